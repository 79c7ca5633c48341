// The menu entries that go with a removal: those Wine made from a shortcut being deleted, and
// those listed as orphans of their own. Each goes with its .menu file, the .directory files that
// no remaining .menu file names, its icons when no remaining entry names them, and its folder
// below applications/wine when that is left empty;
// the files into the trash or for good as the removal's shortcuts go, so that an undo finds them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "profile/wine_menu_entries.h"
#include "scan/orphan_check.h"
#include "scan/orphan_removal.h"
#include "scan/wine_icon_removal.h"

namespace zendrift::scan {

class MenuEntryRemoval {
 public:
  // Deletes as `disposal` says: into `trash`, the removal's own, or for good.
  MenuEntryRemoval(Disposal disposal, platform::Trash& trash, WineIconRemoval& icons)
      : disposal_(disposal), trash_(trash), icons_(icons) {}

  // The entries Wine made from the shortcut `orphan`, looked for while the shortcut is still there:
  // those that start it, and on its desktop the one that starts its target. None off POSIX hosts.
  std::vector<profile::wine::MenuEntry> madeFrom(const OrphanRecord& orphan);
  // Deletes entries found by madeFrom() after their shortcut went; what could not be deleted is
  // reported as a failure, what was gone already as such.
  void removeMadeFrom(const std::vector<profile::wine::MenuEntry>& entries, RemovalReport& report);
  // Deletes an entry listed as an orphan of its own (a record of kind menuEntry): no error when
  // it went now, no_such_file_or_directory when someone else deleted it before, else why it is
  // still there. Its companions are reported like those above.
  std::error_code removeOrphanEntry(const OrphanRecord& orphan, RemovalReport& report);

 private:
  // Deletes one entry and what goes with it: no_such_file_or_directory when it was gone already.
  std::error_code removeEntry(const profile::wine::MenuEntry& entry, RemovalReport& report);
  void removeCompanions(const profile::wine::MenuEntry& entry, RemovalReport& report);
  void deleteCompanion(const std::string& folder, const std::string& name, const platform::EntryIdentity& identity,
                       RemovalReport& report);
  // Deletes the checked file `relative` below `root` the way this removal deletes, noting where it went.
  std::error_code dispose(const std::string& root, std::string_view relative, const platform::EntryIdentity& identity,
                          const std::string& path, RemovalReport& report);
  const profile::wine::MenuPlaces& places();

  const Disposal disposal_;
  platform::Trash& trash_;
  WineIconRemoval& icons_;  // the icons that go with the last entry naming them

  std::optional<profile::wine::MenuPlaces> places_;
  // The entries that start a shortcut, by the shortcut's identity; read once, at the first use.
  std::optional<std::multimap<std::pair<std::uint64_t, std::uint64_t>, profile::wine::MenuEntry>> byShortcut_;
  std::map<std::string, std::string> ownDesktops_;  // each scanned prefix's own desktop folder
  // Which profile holds a shortcut; one held by none is the scanned prefix of its record.
  ProfileCache profiles_{profile::scannedProfile({})};
};

}  // namespace zendrift::scan
