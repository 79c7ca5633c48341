// Deleting one checked file below a folder the way a removal deletes: into the trash, noting where
// it went, or for good; the folder is noted so that an undo enters it the same way.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "platform/guarded_removal.h"
#include "platform/trash.h"
#include "scan/orphan_removal.h"

namespace zendrift::scan {

inline std::error_code disposeBelow(Disposal disposal, platform::Trash& trash, const std::string& root,
                                    std::string_view relative, const platform::EntryIdentity& identity,
                                    const std::string& path, RemovalReport& report) {
  report.addRoot(root);
  if (disposal == Disposal::permanent) return platform::deleteFileBelow(root, relative, identity);
  platform::Result<platform::TrashedFile> trashed = trash.moveBelow(root, relative, identity, path);
  if (trashed) report.trashed.push_back(std::move(trashed).value());
  return trashed.error();
}

}  // namespace zendrift::scan
