// The reason given with each orphan.
#include "scan/orphan_reason.h"

namespace zendrift::scan {

namespace {

// How a drive of `driveType` is named to the user ("removable drive E:"); `drive` as "E:".
std::string driveName(std::string_view drive, unsigned driveType) {
  std::string letter(drive);
  if (!letter.empty() && letter[0] >= 'a' && letter[0] <= 'z') letter[0] = static_cast<char>(letter[0] - 'a' + 'A');
  switch (driveType) {
    case profile::kDriveRemovable: return "removable drive " + letter;
    case profile::kDriveRemote: return "network drive " + letter;
    case profile::kDriveCdrom: return "CD-ROM drive " + letter;
    case profile::kDriveRamdisk: return "RAM disk " + letter;
    default: return "drive " + letter;
  }
}

}  // namespace

std::string orphanReason(std::string_view drive, unsigned driveType, const profile::ShortcutProfile& profile) {
  const bool unc = drive.size() >= 2 && drive[0] == '\\' && drive[1] == '\\';
  if (unc) {
    const std::string share(drive);
    if (!profile::windowsFolderExists(share, profile)) return "network share " + share + " is not reachable";
    return "file not found on network share " + share;
  }
  const bool present =
      driveType != profile::kDriveNoRootDir && profile::windowsFolderExists(std::string(drive) + "\\", profile);
  if (!present) {
    if (driveType == profile::kDriveCdrom) return driveName(drive, driveType) + " holds no disc";
    if (driveType == profile::kDriveRemote) return driveName(drive, driveType) + " is not reachable";
    return driveName(drive, driveType) + " is not present";
  }
  if (driveType == profile::kDriveFixed || driveType == profile::kDriveUnknown) return "file not found";
  return "file not found on " + driveName(drive, driveType);
}

std::string missingEverywhereReason(std::string_view reason, std::string_view own, std::span<const std::string> others) {
  // A reason is shown beside its line: a few hundred prefixes would drown it.
  constexpr std::size_t kNamed = 8;
  std::string text(reason);
  text += " (missing in every prefix: ";
  std::size_t named = 0;
  if (!own.empty()) {
    text += own;
    ++named;
  }
  for (const std::string& other : others) {
    if (named == kNamed) break;
    if (named > 0) text += ", ";
    text += other;
    ++named;
  }
  const std::size_t total = others.size() + (own.empty() ? 0 : 1);
  if (named < total) text += " and " + std::to_string(total - named) + " more";
  return text + ")";
}

}  // namespace zendrift::scan
