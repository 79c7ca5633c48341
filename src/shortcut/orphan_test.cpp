// The orphan test, in the order the checks must run: each step that stops the test makes
// the shortcut a non-orphan.
#include "shortcut/orphan_test.h"

#include "platform/ascii_case.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/windows_profile.h"
#include "shortcut/read_shortcut.h"

namespace zendrift::shortcut {

namespace {

bool driveClassExamined(unsigned driveType, const settings::TIniRec& options) {
  switch (driveType) {
    case platform::kDriveRemovable: return options.RemovableDrives;
    case platform::kDriveRemote: return options.NetworkDrives;
    case platform::kDriveCdrom: return options.CDRomDrives;
    case platform::kDriveRamdisk: return options.RamDrives;
    default: return true;
  }
}

}  // namespace

unsigned DriveTypeMemo::typeOf(std::string_view drivePart) {
  // Only drive letters ("C:") are kept; a share is asked about every time.
  const char letter = drivePart.size() == 2 && drivePart[1] == ':' ? platform::lowerAscii(drivePart[0]) : '\0';
  if (letter < 'a' || letter > 'z') return platform::windowsDriveType(drivePart);
  unsigned& type = types_[static_cast<std::size_t>(letter - 'a')];
  if (type == kNotAsked) type = platform::windowsDriveType(drivePart);
  return type;
}

OrphanVerdict TestForOrphan(const std::string& path, const settings::TIniRec& options, DriveTypeMemo* driveTypes) {
  OrphanVerdict verdict;
  if (!platform::fileExists(path)) return verdict;

  ShortcutInfo info;
  info.FileName = path;
  ReadShortcut(info);
  verdict.target = info.Target.empty() ? info.FileName : info.Target;
  const std::string& target = verdict.target;

  if (platform::extractFileExt(target, platform::PathStyle::Windows) == ".pif") return verdict;
  const std::string_view drive = platform::windowsDrivePart(target);
  if (drive.empty()) return verdict;
  const unsigned driveType = driveTypes ? driveTypes->typeOf(drive) : platform::windowsDriveType(drive);
  if (!driveClassExamined(driveType, options)) return verdict;
  if (platform::windowsFileExists(target) || platform::windowsFolderExists(target)) return verdict;
  const bool unc = drive.size() >= 2 && drive[0] == '\\' && drive[1] == '\\';
  if (unc && !options.NetworkDrives) return verdict;

  verdict.orphan = true;
  verdict.excluded = options.ExcludeList.find(path) != std::string::npos;
  return verdict;
}

}  // namespace zendrift::shortcut
