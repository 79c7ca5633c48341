// Deciding whether a found shortcut is an orphan: its target is missing on a drive class that
// the options examine.
#pragma once

#include <string>

#include "settings/ini_rec.h"

namespace zendrift::shortcut {

struct OrphanVerdict {
  bool orphan = false;
  // Listed but left unmarked: the exclude list names the shortcut.
  bool excluded = false;
  // The target as the shortcut stores it (the shortcut's own path when it stores none).
  std::string target;
};

// Reads the shortcut at `path` (a host path) and classifies its target. Touches nothing on disk.
OrphanVerdict TestForOrphan(const std::string& path, const settings::TIniRec& options);

}  // namespace zendrift::shortcut
