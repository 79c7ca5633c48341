// Deleting Wine's file associations and their companions, through the guarded removal below
// Wine's own places.
#include "scan/association_removal.h"

#include <sys/stat.h>

#include "platform/file_system.h"
#include "platform/path.h"
#include "profile/wine/file_association.h"
#include "scan/file_disposal.h"

namespace zendrift::scan {

namespace {

namespace wine = profile::wine;

constexpr std::size_t kMaxFileSize = 1024 * 1024;

// The text of the regular file at `path` and the identity it had while read; empty when it is not
// one (a link is someone's own arrangement), cannot be read, or changed meanwhile.
std::optional<std::pair<std::string, platform::EntryIdentity>> readRegularFile(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  const platform::Result<platform::EntryIdentity> before = platform::entryIdentity(path);
  if (!before) return std::nullopt;
  auto text = platform::readFile(path, kMaxFileSize + 1);
  if (!text || text->size() > kMaxFileSize || !(platform::entryIdentity(path) == *before)) return std::nullopt;
  return std::pair{std::move(*text), *before};
}

}  // namespace

std::error_code AssociationRemoval::removeOrphan([[maybe_unused]] const OrphanRecord& orphan,
                                                 [[maybe_unused]] RemovalReport& report) {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    // Only Wine's own place, and only a file of Wine's name directly in it.
    const wine::AssociationPlaces places = wine::associationPlaces();
    const std::string name(platform::fileName(orphan.path));
    const std::optional<std::string> extension = wine::associationExtension(name);
    if (orphan.root.empty() || orphan.root != places.applications || orphan.path != orphan.root + "/" + name ||
        !extension) {
      return platform::RemovalError::notBelowRoot;
    }
    const std::optional<std::string> icon = icons_.iconOf(orphan.path);
    const std::error_code error = disposeBelow(disposal_, trash_, orphan.root, name, orphan.identity, orphan.path, report);
    if (error && error != std::errc::no_such_file_or_directory) return error;
    changed_ = true;
    if (!error && icon) icons_.entryGone(orphan.path, *icon, report);
    removeMimePackage(*extension, report);
    editMimeappsLists(*extension, report);
    return error;
  }
  return platform::RemovalError::notBelowRoot;
}

void AssociationRemoval::removeMimePackage(const std::string& extension, RemovalReport& report) {
  const wine::AssociationPlaces places = wine::associationPlaces();
  const std::string name = "x-wine-extension-" + extension + ".xml";
  const std::string path = places.mimePackages + "/" + name;
  const auto file = readRegularFile(path);
  if (!file) return;
  const std::optional<std::string> type = wine::wineMimePackageType(file->first, extension);
  if (!type) return;
  const std::error_code error = disposeBelow(disposal_, trash_, places.mimePackages, name, file->second, path, report);
  if (error) {
    if (error != std::errc::no_such_file_or_directory) report.failures.push_back({path, error, false});
    return;
  }
  report.menuFiles.push_back(path);
  // The icon Wine named after a MIME type of its own making went with the type.
  std::string icon = *type;
  for (char& c : icon) c = c == '/' ? '-' : c;
  if (icon == "application-x-wine-extension-" + extension) icons_.removeIcon(icon, report);
}

void AssociationRemoval::editMimeappsLists(const std::string& extension, RemovalReport& report) {
  const std::string desktopId = "wine-extension-" + extension + ".desktop";
  for (const std::string& list : wine::associationPlaces().mimeappsLists) {
    const auto file = readRegularFile(list);
    if (!file) continue;
    std::vector<wine::LineEdit> edits = wine::mimeappsEditsDropping(file->first, desktopId);
    if (edits.empty()) continue;
    // Written over only while it is still the file that was read.
    std::error_code error;
    if (!(platform::entryIdentity(list) == file->second)) {
      error = platform::RemovalError::changedSinceScan;
    } else {
      error = platform::replaceFile(list, wine::withLineEdits(file->first, edits));
    }
    if (error) {
      report.failures.push_back({list, error, false});
      continue;
    }
    // Deleted for good, the entry cannot come back: nothing for an undo to name it in again.
    if (disposal_ == Disposal::trash) {
      for (wine::LineEdit& edit : edits) report.editedLines.push_back({list, std::move(edit)});
    }
  }
}

void AssociationRemoval::refreshCaches() {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    if (!changed_) return;
    const wine::AssociationPlaces places = wine::associationPlaces();
    wine::refreshDesktopCaches(places.applications, places.mime);
    changed_ = false;
  }
}

}  // namespace zendrift::scan
