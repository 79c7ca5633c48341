// Removing a stale file association of Wine's with everything that goes with it: its MIME package,
// the lines of the mimeapps.list files that name it (edited in place, the rest of each file kept
// byte for byte), and the icons no other entry names. The desktop's caches are refreshed after.
#pragma once

#include <optional>
#include <string>
#include <system_error>

#include "platform/trash.h"
#include "scan/orphan_removal.h"
#include "scan/wine_icon_removal.h"

namespace zendrift::scan {

class AssociationRemoval {
 public:
  AssociationRemoval(Disposal disposal, platform::Trash& trash, WineIconRemoval& icons)
      : disposal_(disposal), trash_(trash), icons_(icons) {}

  // Why the entry of a record of kind fileAssociation must stay, read and judged again just
  // before it goes: no longer of Wine's form, or no longer stale. Nothing when it is still the
  // stale entry the scan listed, or is gone or replaced (the guarded removal tells those apart).
  std::optional<std::string> reasonToKeep(const OrphanRecord& orphan) const;
  // Deletes the entry of a record of kind fileAssociation: no error when it went now,
  // no_such_file_or_directory when someone else deleted it before, else why it is still there.
  // Its companions go in either case; what of them could not is reported as a failure.
  std::error_code removeOrphan(const OrphanRecord& orphan, RemovalReport& report);
  // Has the desktop read its caches again, when anything was removed.
  void refreshCaches();

 private:
  void removeMimePackage(const std::string& extension, RemovalReport& report);
  void editMimeappsLists(const std::string& extension, RemovalReport& report);

  const Disposal disposal_;
  platform::Trash& trash_;
  WineIconRemoval& icons_;
  bool changed_ = false;
};

}  // namespace zendrift::scan
