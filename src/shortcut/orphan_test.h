// Deciding whether a found shortcut is an orphan: its target is missing on a drive class that
// the options examine.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/ini_rec.h"

namespace zendrift::shortcut {

struct OrphanVerdict {
  bool orphan = false;
  // Listed but left unmarked: the exclude list names the shortcut.
  bool excluded = false;
  // The target as the shortcut stores it (the shortcut's own path when it stores none).
  std::string target;
};

// Drive types already asked during one scan, by drive letter: each answer needs the mount
// table, and a scan asks for one with every shortcut. Cleared when a scan starts.
class DriveTypeMemo {
 public:
  DriveTypeMemo() { clear(); }
  // The platform's type of the drive `drivePart` names; asked once per letter until cleared.
  unsigned typeOf(std::string_view drivePart);
  void clear() noexcept { types_.fill(kNotAsked); }

 private:
  static constexpr unsigned kNotAsked = ~0u;
  std::array<unsigned, 26> types_{};
};

// Reads the shortcut at `path` (a host path) and classifies its target. Touches nothing on disk.
// With `driveTypes`, a drive's type is taken from it when already asked.
OrphanVerdict TestForOrphan(const std::string& path, const settings::TIniRec& options,
                            DriveTypeMemo* driveTypes = nullptr);

}  // namespace zendrift::shortcut
