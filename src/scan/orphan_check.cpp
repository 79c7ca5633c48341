// The orphan test, in the order the checks must run: each step that stops the test makes
// the shortcut a non-orphan.
#include "scan/orphan_check.h"

#include <optional>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"
#include "scan/orphan_reason.h"
#include "settings/exclude_list.h"
#include "shortcut/read_shortcut.h"

namespace zendrift::scan {

namespace {

bool driveClassExamined(unsigned driveType, const OrphanCriteria& criteria) {
  switch (driveType) {
    case profile::kDriveRemovable: return criteria.removableDrives;
    case profile::kDriveRemote: return criteria.networkDrives;
    case profile::kDriveCdrom: return criteria.cdRomDrives;
    case profile::kDriveRamdisk: return criteria.ramDrives;
    default: return true;
  }
}

// Windows' own short names ("PROGRA~1"): a partition seen from Linux keeps them only on disk
// structures we do not read, so a target that uses one cannot be checked from here.
bool hasWindowsShortName(std::string_view target) {
  for (std::size_t tilde = target.find('~'); tilde != std::string_view::npos; tilde = target.find('~', tilde + 1)) {
    if (tilde + 1 < target.size() && target[tilde + 1] >= '0' && target[tilde + 1] <= '9') return true;
  }
  return false;
}

bool isDriveRelative(std::string_view target) {
  return target.size() >= 2 && target[1] == ':' && (target.size() == 2 || (target[2] != '\\' && target[2] != '/'));
}

// The folder part of a host path; empty at the top.
std::string parentFolder(const std::string& path) {
  const std::size_t slash = path.find_last_of(platform::kNativeStyle == platform::PathStyle::Windows ? "\\/" : "/");
  if (slash == std::string::npos) return {};
  if (slash == 0) return path == "/" ? std::string() : std::string("/");
  return path.substr(0, slash);
}

// Why `target` (expanded in `profile`) is missing there on a drive class the criteria examine;
// nothing when `profile` does not condemn it.
std::optional<std::string> missingIn(const std::string& target, const OrphanCriteria& criteria,
                                     const profile::ShortcutProfile& profile, ProfileCache& memo) {
  // No target (or no shortcut at all): nothing can be checked, so nothing is condemned.
  if (target.empty()) return std::nullopt;
  if (platform::extension(target, platform::PathStyle::Windows) == ".pif") return std::nullopt;
  const std::string_view drive = platform::windowsDrivePart(target);
  if (drive.empty()) return std::nullopt;
  // "C:zd\app.exe" starts from the current folder of drive C:, which each program has its own
  // of: no answer holds, so nothing is condemned.
  if (isDriveRelative(target)) return std::nullopt;
  if (!profile::profileReaches(drive, profile)) return std::nullopt;
  if (profile.kind == profile::ProfileKind::WindowsInstallation && hasWindowsShortName(target)) return std::nullopt;
  const unsigned driveType = memo.typeOf(drive, profile);
  if (!driveClassExamined(driveType, criteria)) return std::nullopt;
  // A target that could not be looked up (a folder on the way is unreadable) is not condemned.
  if (profile::windowsTargetPresence(target, profile, memo.listings()) != profile::TargetPresence::missing) {
    return std::nullopt;
  }
  const bool unc = drive.size() >= 2 && drive[0] == '\\' && drive[1] == '\\';
  if (unc && !criteria.networkDrives) return std::nullopt;
  return memo.reasonFor(drive, driveType, profile);
}

}  // namespace

unsigned ProfileCache::typeOf(std::string_view drivePart, const profile::ShortcutProfile& profile) {
  // Only drive letters ("C:") are kept; a share is asked about every time.
  const char letter = drivePart.size() == 2 && drivePart[1] == ':' ? platform::lowerAscii(drivePart[0]) : '\0';
  if (letter < 'a' || letter > 'z') return profile::windowsDriveType(drivePart, profile, registries_);
  // A chosen prefix is keyed by its folder, as the same prefix met inside a walk is.
  const auto [entry, added] = types_.try_emplace({profile.root, letter}, 0u);
  if (added) entry->second = profile::windowsDriveType(drivePart, profile, registries_);
  return entry->second;
}

const std::string& ProfileCache::reasonFor(std::string_view drivePart, unsigned driveType,
                                           const profile::ShortcutProfile& profile) {
  const auto [entry, added] = reasons_.try_emplace({profile.root, std::string(drivePart)});
  if (added) entry->second = orphanReason(drivePart, driveType, profile);
  return entry->second;
}

const profile::ShortcutProfile& ProfileCache::profileOfFolder(const std::string& folder) {
  // The folders above that are not known yet, innermost first; then each is settled from the top.
  std::vector<std::string> unknown;
  for (std::string at = folder; !at.empty() && !folders_.contains(at); at = parentFolder(at)) unknown.push_back(at);
  const profile::ShortcutProfile& scanned = scanned_;
  for (auto it = unknown.rbegin(); it != unknown.rend(); ++it) {
    const std::string parent = parentFolder(*it);
    const auto parentEntry = parent.empty() ? folders_.end() : folders_.find(parent);
    const profile::ShortcutProfile& inherited = parentEntry == folders_.end() ? scanned : parentEntry->second;
    folders_.emplace(*it, profile::profileRootedAt(*it).value_or(inherited));
  }
  const auto found = folders_.find(folder);
  return found == folders_.end() ? scanned : found->second;
}

profile::ShortcutProfile ProfileCache::profileOf(std::string_view shortcutPath) {
  // On Windows every shortcut lies in the running system's profile.
  if constexpr (platform::kNativeStyle == platform::PathStyle::Windows) return scanned_;
  std::string path(shortcutPath);
  // A relative path lies below the current folder, which may itself be inside a profile.
  if (!path.empty() && path.front() != '/') path = platform::withTrailingSeparator(platform::currentDirectory()) + path;
  return profileOfFolder(parentFolder(path));
}

OrphanCriteria orphanCriteria(const settings::ScanOptions& options) {
  return {options.removableDrives, options.networkDrives, options.cdRomDrives, options.ramDrives, options.excludeList};
}

OrphanVerdict checkForOrphan(const std::string& path, const OrphanCriteria& criteria, ProfileCache& cache) {
  return checkForOrphan(path, criteria, cache.profileOf(path), cache);
}

OrphanVerdict checkForOrphan(const std::string& path, const OrphanCriteria& criteria,
                             const profile::ShortcutProfile& profile, ProfileCache& memo, const OtherPrefixes& others,
                             std::optional<std::string_view> bytes) {
  // A path that is gone, or is no regular file, cannot be read and so is never condemned.
  OrphanVerdict verdict;
  shortcut::ShortcutInfo info;
  info.fileName = path;
  bool unknownName = false;
  // An environment-variable target as stored: each other prefix expands it with its own values.
  std::string stored;
  const auto expand = [&](std::string_view text) {
    stored = text;
    auto expanded = profile::expandProfileEnvironment(text, profile, memo.registries());
    unknownName |= !expanded;
    return expanded;
  };
  if (bytes) {
    shortcut::readShortcutBytes(info, *bytes, expand);
  } else if (!shortcut::readShortcutFile(info, expand)) {
    return verdict;
  }
  verdict.target = info.target;
  std::optional<std::string> reason = unknownName ? std::nullopt : missingIn(verdict.target, criteria, profile, memo);
  if (!reason) return verdict;
  if (!others.folders.empty()) {
    for (const std::string& folder : others.folders) {
      const profile::ShortcutProfile other{profile::ProfileKind::WinePrefix, folder};
      std::optional<std::string> target = verdict.target;
      if (!stored.empty()) target = profile::expandProfileEnvironment(stored, other, others.cache->registries());
      // One prefix where the target is there, or cannot be judged, keeps the shortcut.
      if (!target || !missingIn(*target, criteria, other, *others.cache)) return verdict;
    }
    *reason = missingEverywhereReason(*reason, others.own, others.folders);
  }
  verdict.orphan = true;
  verdict.reason = std::move(*reason);
  verdict.excluded = settings::excludeListHolds(criteria.excludeList, path);
  return verdict;
}

}  // namespace zendrift::scan
