// Wine's file associations on the host: finding the entries, judging them by the prefix's
// registry, and refreshing the desktop's caches after they changed.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/ascii_case.h"
#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/process.h"
#include "profile/wine/file_association.h"
#include "profile/wine/prefix_facts.h"
#include "profile/wine_menu_entries.h"
#include "profile/wine_prefix.h"

extern char** environ;

namespace zendrift::profile::wine {

namespace {

// Far larger than any entry Wine writes; a bigger file is not Wine's.
constexpr std::size_t kMaxEntrySize = 64 * 1024;

// The ProgID's open command in the prefix's registry: HKEY_CLASSES_ROOT is the user's classes
// over the machine's. The verb is the one the ProgID's shell key names, else "open".
std::optional<std::string> openCommand(const Profile& profile, const std::string& progId) {
  const std::string classKey = "Software\\Classes\\" + progId;
  const auto text = [&](const std::string& key, std::string_view name) -> std::optional<std::string> {
    for (const RegistryFile* file : {profile.user.get(), profile.system.get()}) {
      if (const RegistryValue* value = file ? file->value(key, name) : nullptr) {
        auto found = registryText(*value);
        if (found && value->type == kRegExpandSz) found = expandEnvironment(*found, profile.environment);
        return found;
      }
    }
    return std::nullopt;
  };
  std::string verb = text(classKey + "\\shell", "").value_or("");
  if (verb.empty() || verb.find('\\') != std::string::npos) verb = "open";
  return text(classKey + "\\shell\\" + verb + "\\command", "");
}

// Runs `program` with `argument`, its output dropped, and waits for it. A program that is not
// installed does nothing.
void runQuietly(const char* program, const std::string& argument) {
  posix_spawn_file_actions_t actions;
  if (::posix_spawn_file_actions_init(&actions) != 0) return;
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string name(program);
  std::string folder(argument);
  char* arguments[] = {name.data(), folder.data(), nullptr};
  pid_t child = 0;
  if (::posix_spawnp(&child, program, &actions, nullptr, arguments, environ) == 0) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  ::posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

AssociationPlaces associationPlaces() {
  const std::string data = platform::userDataFolder();
  const std::string config = platform::applicationDataFolder();
  if (data.empty()) return {};
  AssociationPlaces places;
  places.applications = platform::join(data, "applications");
  places.mime = platform::join(data, "mime");
  places.mimePackages = platform::join(data, "mime/packages");
  if (!config.empty()) places.mimeappsLists.push_back(platform::join(config, "mimeapps.list"));
  places.mimeappsLists.push_back(platform::join(places.applications, "mimeapps.list"));
  places.icons = platform::join(data, "icons/hicolor");
  places.pixmaps = platform::join(data, "pixmaps");
  return places;
}

platform::Result<VersionedText> readVersionedFile(const std::string& path, std::size_t maxBytes) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return std::error_code(errno, std::system_category());
  if (S_ISLNK(status.st_mode)) return std::make_error_code(std::errc::too_many_symbolic_link_levels);
  if (!S_ISREG(status.st_mode)) return std::make_error_code(std::errc::invalid_argument);
  const platform::Result<platform::EntryVersion> before = platform::entryVersion(path);
  if (!before) return before.error();
  platform::Result<std::string> text = platform::readFile(path, maxBytes + 1);
  if (!text) return text.error();
  if (text->size() > maxBytes) return std::make_error_code(std::errc::file_too_large);
  // Still the same entry, and still no link: one put in its place meanwhile was what was read.
  if (!(platform::entryVersion(path) == *before) || ::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return std::error_code(platform::RemovalError::changedSinceScan);
  }
  return VersionedText{std::move(text).value(), *before};
}

std::optional<AssociationEntry> readAssociationEntry(const std::string& path, const std::string& root) {
  if (!path.starts_with(root + "/")) return std::nullopt;
  auto extension = associationExtension(platform::fileName(path));
  if (!extension) return std::nullopt;
  // What was read must be the entry whose identity was taken: the removal checks that one.
  const platform::Result<VersionedText> file = readVersionedFile(path, kMaxEntrySize);
  if (!file || !hasWineAssociationForm(file->text)) return std::nullopt;
  const auto exec = applicationExec(file->text);
  if (!exec) return std::nullopt;
  auto launch = parseAssociationLaunch(*exec);
  if (!launch) return std::nullopt;
  return AssociationEntry{path, root, file->version.identity, std::move(*extension), std::move(*launch)};
}

std::vector<AssociationEntry> listAssociationEntries(const AssociationPlaces& places) {
  std::vector<AssociationEntry> entries;
  if (places.applications.empty()) return entries;
  platform::DirectoryListing listing;
  for (std::error_code code = listing.open(places.applications); !code; code = listing.next()) {
    const platform::DirEntry& entry = listing.entry();
    if (entry.isDirectory() || entry.isSymlink() || !associationExtension(entry.name())) continue;
    if (auto association = readAssociationEntry(entry.fullPath(), places.applications)) {
      entries.push_back(std::move(*association));
    }
  }
  return entries;
}

AssociationVerdict associationState(const AssociationEntry& entry, PrefixFacts& prefixes) {
  const std::string& prefix = entry.launch.prefix;
  if (prefixes.gone(prefix)) return {AssociationState::prefixGone, {}};
  const std::shared_ptr<const Profile> profile = prefixes.profile(prefix);
  if (!profile) return {};
  const std::optional<std::string> command = openCommand(*profile, entry.launch.progId);
  if (!command) return {};
  const std::vector<std::string> candidates = commandProgramCandidates(*command);
  // A drive that is not there now (a disk not plugged in) says nothing about the program.
  if (candidates.empty() || prefixes.drive(prefix, candidates.front()[0]).empty()) return {};
  // Only a program surely missing makes the entry stale: a folder that cannot be read leaves it.
  for (const std::string& candidate : candidates) {
    for (const std::string& name : {candidate, candidate + ".exe"}) {
      if (prefixes.presence(name, prefix) != TargetPresence::missing) return {};
    }
  }
  // The program as the command names it: quoted, or the longest run that names an .exe.
  std::string program = candidates.front();
  for (const std::string& candidate : candidates) {
    if (candidate.size() > 4 && platform::equalsIgnoringAsciiCase(candidate.substr(candidate.size() - 4), ".exe")) {
      program = candidate;
    }
  }
  return {AssociationState::programGone, std::move(program)};
}

void refreshDesktopCaches(const std::string& applications, const std::string& mime) {
  if (!applications.empty() && platform::folderExists(applications)) runQuietly("update-desktop-database", applications);
  if (!mime.empty() && platform::folderExists(mime)) runQuietly("update-mime-database", mime);
}

}  // namespace zendrift::profile::wine
