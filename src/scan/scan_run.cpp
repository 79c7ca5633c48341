// The state one run's scans share, and where a walk's folder really lies.
#include "scan/scan_run.h"

#include "platform/path.h"
#include "profile/prefix_discovery.h"

namespace zendrift::scan {

std::vector<std::string> prefixesBeside(const std::vector<std::string>& prefixes, std::string_view own) {
  std::vector<std::string> others;
  for (const std::string& prefix : prefixes) {
    if (prefix != own) others.push_back(prefix);
  }
  return others;
}

std::vector<std::string> ScanRun::prefixesBeside(std::string_view own) const {
  return scan::prefixesBeside(machinePrefixes_, own);
}

std::string realProfileFolder(const profile::ShortcutProfile& holder, const profile::ShortcutProfile& scanned) {
  const std::string folder = holder.root.empty() ? profile::scannedProfileFolder(scanned) : holder.root;
  return folder.empty() ? folder : profile::realPrefixPath(platform::withoutTrailingSeparator(folder));
}

bool liesInOwnProfile(const std::string& folder, const profile::ShortcutProfile& holder,
                      const profile::ShortcutProfile& scanned) {
  // On Windows every folder is the running user's profile's.
  if constexpr (platform::kNativeStyle == platform::PathStyle::Windows) return true;
  const std::string own = realProfileFolder(holder, scanned);
  if (own.empty()) return false;
  const std::string real = profile::realPrefixPath(platform::withoutTrailingSeparator(folder));
  return real == own || real.starts_with(platform::withTrailingSeparator(own));
}

}  // namespace zendrift::scan
