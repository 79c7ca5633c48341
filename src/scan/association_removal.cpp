// Deleting Wine's file associations and their companions, through the guarded removal below
// Wine's own places.
#include "scan/association_removal.h"

#include <functional>

#include "platform/file_system.h"
#include "platform/path.h"
#include "profile/wine/disk_mounts.h"
#include "profile/wine/file_association.h"
#include "profile/wine/prefix_facts.h"
#include "scan/file_disposal.h"

namespace zendrift::scan {

namespace {

namespace wine = profile::wine;

constexpr std::size_t kMaxFileSize = 1024 * 1024;

// Whether a file that could not be read as it stands (a link, unreadable, written meanwhile) may
// hold what the removal would take from it, told by `holds` from its text read through any link:
// then its staying as it is is a failure.
bool mayHold(const std::string& path, const std::function<bool(std::string_view)>& holds) {
  const platform::Result<std::string> text = platform::readFile(path, kMaxFileSize + 1);
  if (!text) return text.error() != std::errc::no_such_file_or_directory;
  return text->size() > kMaxFileSize || holds(*text);
}

}  // namespace

std::optional<std::string> AssociationRemoval::reasonToKeep([[maybe_unused]] const OrphanRecord& orphan) const {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Posix) {
    // Gone or replaced: the guarded removal tells those apart itself.
    if (!(platform::entryIdentity(orphan.path) == orphan.identity)) return std::nullopt;
    const std::optional<wine::AssociationEntry> entry = wine::readAssociationEntry(orphan.path, orphan.root);
    if (!entry || !(entry->identity == orphan.identity)) return "changed since the scan and no longer of Wine's form";
    // Judged with fresh lookups: a program installed again since the scan counts.
    const profile::DiskMounts disks = profile::readDiskMounts();
    wine::PrefixFacts prefixes(disks);
    if (wine::associationState(*entry, prefixes).state == wine::AssociationState::current) {
      return "what it opens with is no longer missing";
    }
  }
  return std::nullopt;
}

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
  const platform::Result<wine::VersionedText> file = wine::readVersionedFile(path, kMaxFileSize);
  if (!file) {
    const auto winePackage = [&extension](std::string_view text) { return wine::wineMimePackageType(text, extension).has_value(); };
    if (file.error() != std::errc::no_such_file_or_directory && mayHold(path, winePackage)) {
      report.failures.push_back({path, file.error(), false});
    }
    return;
  }
  const std::optional<std::string> type = wine::wineMimePackageType(file->text, extension);
  if (!type) return;
  const std::error_code error = disposeBelow(disposal_, trash_, places.mimePackages, name, file->version.identity, path, report);
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
  const auto namesEntry = [&desktopId](std::string_view text) { return !wine::mimeappsEditsDropping(text, desktopId).empty(); };
  for (const std::string& list : wine::associationPlaces().mimeappsLists) {
    const platform::Result<wine::VersionedText> file = wine::readVersionedFile(list, kMaxFileSize);
    if (!file) {
      if (file.error() != std::errc::no_such_file_or_directory && mayHold(list, namesEntry)) {
        report.failures.push_back({list, file.error(), false});
      }
      continue;
    }
    std::vector<wine::LineEdit> edits = wine::mimeappsEditsDropping(file->text, desktopId);
    if (edits.empty()) continue;
    // Written over only while it is still the file that was read: a program that rewrote it in
    // place meanwhile keeps its change.
    std::error_code error;
    if (!(platform::entryVersion(list) == file->version)) {
      error = platform::RemovalError::changedSinceScan;
    } else {
      error = platform::replaceFile(list, wine::withLineEdits(file->text, edits));
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
