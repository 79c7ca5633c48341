// The facts of prefixes that many desktop entries share, each read once.
#include "profile/wine/prefix_facts.h"

#include "platform/ascii_case.h"
#include "profile/wine/disk_mounts.h"
#include "profile/wine_menu_entries.h"
#include "profile/wine_prefix.h"

namespace zendrift::profile::wine {

PrefixFacts::Prefix& PrefixFacts::facts(const std::string& prefix) {
  auto [known, added] = prefixes_.try_emplace(prefix);
  if (added) {
    known->second.gone = prefixIsGone(prefix, disks_);
    if (!known->second.gone && isWinePrefix(prefix)) known->second.profile = profileAt(prefix, registries_);
  }
  return known->second;
}

bool PrefixFacts::gone(const std::string& prefix) { return facts(prefix).gone; }

std::shared_ptr<const Profile> PrefixFacts::profile(const std::string& prefix) { return facts(prefix).profile; }

const std::string& PrefixFacts::drive(const std::string& prefix, char letter) {
  letter = platform::lowerAscii(letter);
  auto [known, added] = drives_.try_emplace({prefix, letter});
  if (added) {
    known->second = driveFolder(prefix, letter);
    if (!known->second.empty() && absentDiskHolding(known->second, disks_)) known->second.clear();
  }
  return known->second;
}

TargetPresence PrefixFacts::presence(const std::string& windowsPath, const std::string& prefix) {
  return windowsTargetPresence(windowsPath, {ProfileKind::WinePrefix, prefix}, listings_);
}

}  // namespace zendrift::profile::wine
