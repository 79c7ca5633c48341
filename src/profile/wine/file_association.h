// The file associations that Wine's menu builder writes on the host for each file type a program
// in a prefix registers, and the icons it extracts for its entries.
//
// For an extension ".zdoc" whose ProgID's open command starts a program, Wine writes
//   $XDG_DATA_HOME/applications/wine-extension-zdoc.desktop
//     Exec=env WINEPREFIX="<prefix>" wine start /ProgIDOpen <ProgID> %f
//   $XDG_DATA_HOME/mime/packages/x-wine-extension-zdoc.xml   (when the host knows no MIME type)
// and the desktop (or the user) may name the entry in a mimeapps.list. Its icons are PNG files in
// $XDG_DATA_HOME/icons/hicolor/<w>x<h>/apps, named "<CRC16 in hex>_<file name>.<index>" after the
// Windows file they came from, or after a MIME type Wine made ("application-x-wine-extension-zdoc").
// Only files of exactly these forms are ever taken for Wine's. The text parts here are host-neutral;
// what touches files is for POSIX hosts only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/guarded_removal.h"
#include "platform/result.h"

namespace zendrift::profile {
struct DiskMounts;
class FolderListings;
class RegistryCache;
}  // namespace zendrift::profile

namespace zendrift::profile::wine {

// What an association entry's Exec= starts: env WINEPREFIX="<prefix>" <wine> start /ProgIDOpen <ProgID> %f.
struct AssociationLaunch {
  std::string prefix;  // an absolute host path, no trailing delimiter
  std::string progId;
};
std::optional<AssociationLaunch> parseAssociationLaunch(std::string_view exec);

// Whether `fileText` is an entry as Wine's menu builder writes it: "[Desktop Entry]" and then
// exactly its keys, each once and in no other group: Type=Application, Name, MimeType, Exec,
// NoDisplay=true, StartupNotify=true, and Icon when it has one. Anything more or less is someone's
// own file, or one edited since.
bool hasWineAssociationForm(std::string_view fileText);

// "zdoc" for "wine-extension-zdoc.desktop"; empty for any other name.
std::optional<std::string> associationExtension(std::string_view fileName);

// Whether `text` is the MIME package Wine writes for `extension`: its header, one MIME type, and
// the glob "*.<extension>". The MIME type when it is.
std::optional<std::string> wineMimePackageType(std::string_view text, std::string_view extension);

// The program a Windows command line starts, as the places to look for it: the quoted path, or,
// unquoted, each run of words from the start (as Windows tries them). Empty when the first is not
// an absolute path with a drive letter.
std::vector<std::string> commandProgramCandidates(std::string_view command);

// The Icon= of a desktop entry's [Desktop Entry] group; empty when it has none.
std::optional<std::string> desktopEntryIcon(std::string_view fileText);

// Whether `name` is an icon name of Wine's making: "<4 hex digits>_<name>.<index>", or a MIME
// type of Wine's with "-" for "/" ("application-x-wine-extension-zdoc").
bool isWineIconName(std::string_view name);

// One line of a text file changed or removed in place; `line` counts from 0, and each line keeps
// its line break, so that putting it back gives the file byte for byte.
struct LineEdit {
  std::size_t line = 0;
  std::string before;
  std::optional<std::string> after;  // none: the line was removed
  std::string above;  // a removed line's neighbour above it then; empty at the top
  friend bool operator==(const LineEdit&, const LineEdit&) = default;
};

// The edits that take the desktop file id `desktopId` out of every list of a mimeapps.list
// ("text/x-zdoc=wine-extension-zdoc.desktop;other.desktop;"); a line that named nothing else goes.
std::vector<LineEdit> mimeappsEditsDropping(std::string_view text, std::string_view desktopId);
// The desktop file ids of Wine's associations ("wine-extension-zdoc.desktop") that `edit` took
// out of its line.
std::vector<std::string> associationIdsDropped(const LineEdit& edit);
// `text` with `edits` made (in the order given).
std::string withLineEdits(std::string_view text, const std::vector<LineEdit>& edits);
// `text` with `edits` undone (the last first): each changed line is found at its place, else
// once anywhere; each removed line goes back below the line that stood above it, at its place or,
// when lines moved, below the one such line anywhere. Empty when a line has nowhere to go.
std::optional<std::string> withoutLineEdits(std::string_view text, const std::vector<LineEdit>& edits);

// The places of Wine's association files, from the XDG variables and $HOME; empty when the home
// folder is not known.
struct AssociationPlaces {
  std::string applications;               // $XDG_DATA_HOME/applications
  std::string mime;                       // $XDG_DATA_HOME/mime
  std::string mimePackages;               // $XDG_DATA_HOME/mime/packages
  std::vector<std::string> mimeappsLists; // $XDG_CONFIG_HOME/mimeapps.list, applications/mimeapps.list
  std::string icons;                      // $XDG_DATA_HOME/icons/hicolor
  std::string pixmaps;                    // $XDG_DATA_HOME/pixmaps
};
AssociationPlaces associationPlaces();

struct AssociationEntry {
  std::string path;  // the .desktop file
  std::string root;  // the applications place
  platform::EntryIdentity identity;
  std::string extension;
  AssociationLaunch launch;
};

// A file the removal edits in place or deletes after judging its text, and the version it had
// throughout the read: it is written or deleted only while it still has that version.
struct VersionedText {
  std::string text;
  platform::EntryVersion version;
};
// Reads the regular file at `path` itself, of at most `maxBytes`. A link there is someone's own
// arrangement and answers too_many_symbolic_link_levels; a larger file file_too_large; a file
// written while it was read RemovalError::changedSinceScan.
platform::Result<VersionedText> readVersionedFile(const std::string& path, std::size_t maxBytes);

// Reads the entry at `path` in `root`; empty when it is not of Wine's form.
std::optional<AssociationEntry> readAssociationEntry(const std::string& path, const std::string& root);
// The entries of Wine's form directly in the applications place.
std::vector<AssociationEntry> listAssociationEntries(const AssociationPlaces& places);

// Whether the entry still opens anything: its prefix is gone (as a menu entry's is), or the
// program its ProgID's open command starts is gone from the prefix. An entry that cannot be
// judged (no registry, no such ProgID or command, a program found through the search path, a
// drive that is not mapped or lies on a disk not mounted now, a folder that cannot be read) is
// current.
enum class AssociationState { current, prefixGone, programGone };
struct AssociationVerdict {
  AssociationState state = AssociationState::current;
  std::string program;  // the Windows path of the program that is gone
};
class PrefixFacts;
// Judges an entry with what `prefixes` (profile/wine/prefix_facts.h) knows or reads of its prefix.
AssociationVerdict associationState(const AssociationEntry& entry, PrefixFacts& prefixes);

// Has the desktop read its caches again after association files changed: update-desktop-database
// on the applications folder and update-mime-database on the mime folder, each when installed.
// Neither outcome is an error of the caller's.
void refreshDesktopCaches(const std::string& applications, const std::string& mime);

}  // namespace zendrift::profile::wine
