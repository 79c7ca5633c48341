// The icons Wine extracted for its desktop entries, removed with the last entry that names them:
// an icon of Wine's naming that no remaining desktop entry names is of no use to anyone.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/trash.h"
#include "scan/orphan_removal.h"

namespace zendrift::scan {

class WineIconRemoval {
 public:
  WineIconRemoval(Disposal disposal, platform::Trash& trash) : disposal_(disposal), trash_(trash) {}

  // The icon of Wine's naming that the desktop entry at `path` names; read before the entry goes.
  std::optional<std::string> iconOf(const std::string& path) const;
  // The entry at `path`, which named `icon`, is gone: the icon's files go too when no remaining
  // desktop entry (in the applications folder, below it, or on the desktop) names it, and every
  // one of them could be read.
  void entryGone(const std::string& path, const std::string& icon, RemovalReport& report);
  // Removes the files of the icon `name` of Wine's naming: each size below icons/hicolor, and pixmaps.
  void removeIcon(const std::string& name, RemovalReport& report);

 private:
  // Which entries name each icon; read once, at the first use. Empty when not every entry could
  // be read (a folder not listed whole, a linked or unreadable entry): then no icon is removed.
  std::optional<std::map<std::string, std::set<std::string>>>& users();

  const Disposal disposal_;
  platform::Trash& trash_;
  bool read_ = false;
  std::optional<std::map<std::string, std::set<std::string>>> users_;
};

}  // namespace zendrift::scan
