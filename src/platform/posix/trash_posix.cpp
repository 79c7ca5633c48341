// The freedesktop.org trash: a file on the home file system goes to $XDG_DATA_HOME/Trash, one on
// another volume to the trash at that volume's top folder ($topdir/.Trash/$uid when .Trash is a
// sticky folder and not a link, else $topdir/.Trash-$uid). Each move writes info/<name>.trashinfo
// first, created exclusively so that it also reserves the name, then renames the checked entry
// from its open folder into files/<name>.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/file_system.h"
#include "platform/path.h"
#include "platform/posix/guarded_walk.h"
#include "platform/posix/reachable_path.h"
#include "platform/process.h"
#include "platform/trash.h"

namespace zendrift::platform {

using posix::Descriptor;

namespace {

// A trash folder with its two halves open.
struct TrashFolder {
  std::string path;
  std::string topDir;  // the volume's top folder, which the Path= of a volume's trash is relative to
  Descriptor files;
  Descriptor info;
  std::uint64_t filesInode = 0;
  std::error_code error;  // why this volume has no trash
};

bool isOwnPrivateFolder(const struct stat& status) {
  return S_ISDIR(status.st_mode) && status.st_uid == ::getuid();
}

// Makes the folder `path` (mode 0700) unless it is there, and opens it; it must be a folder and
// not a link.
std::error_code openOrMakeFolder(const std::string& path, Descriptor& folder) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return posix::lastError();
  folder.reset(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  return folder.get() < 0 ? posix::lastError() : std::error_code{};
}

// Opens files/ and info/ of the trash at `path`, making what is missing, and checks that the
// trash is on the volume `volume`.
std::error_code openTrashFolder(TrashFolder& trash, std::uint64_t volume) {
  Descriptor top;
  if (auto error = openOrMakeFolder(trash.path, top)) return error;
  if (auto error = openOrMakeFolder(trash.path + "/files", trash.files)) return error;
  if (auto error = openOrMakeFolder(trash.path + "/info", trash.info)) return error;
  struct stat status {};
  if (::fstat(trash.files.get(), &status) != 0) return posix::lastError();
  // Another volume mounted there: a rename would fail, and copying is not allowed.
  if (static_cast<std::uint64_t>(status.st_dev) != volume) return TrashError::noTrash;
  trash.filesInode = static_cast<std::uint64_t>(status.st_ino);
  return {};
}

// The folder behind an open descriptor, as the system names it; empty when unknown.
std::string realPathOf(int fd) {
  std::string buffer(4096, '\0');
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size() || buffer[0] != '/') return {};
  buffer.resize(static_cast<std::size_t>(length));
  return buffer;
}

// The top folder of the volume that holds the folder `real`: the highest folder above it on the
// same device.
std::string topFolderOf(std::string real, std::uint64_t volume) {
  while (real.size() > 1) {
    std::string parent = extractFileDir(real);
    if (parent.empty()) parent = "/";
    struct stat status {};
    if (::stat(parent.c_str(), &status) != 0 || static_cast<std::uint64_t>(status.st_dev) != volume) break;
    real = std::move(parent);
  }
  return real;
}

// The device of the folder `path`, or of its nearest existing parent when it is still to be made.
std::optional<std::uint64_t> deviceOf(std::string path) {
  while (!path.empty()) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) return static_cast<std::uint64_t>(status.st_dev);
    if (path == "/") break;
    path = extractFileDir(path);
    if (path.empty()) path = "/";
  }
  return std::nullopt;
}

// Percent-encodes a path for Path=, as a URL path: every byte but the unreserved ones and '/'.
std::string encodedPath(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(path.size());
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                       c == '-' || c == '_' || c == '.' || c == '~' || c == '/';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

// DeletionDate= in local time, worked out once a second: a removal moves thousands of files in it.
class DeletionDate {
 public:
  const std::string& now() {
    const std::time_t second = std::time(nullptr);
    if (second != second_ || text_.empty()) {
      std::tm local{};
      ::localtime_r(&second, &local);
      char text[32];
      std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
      text_ = text;
      second_ = second;
    }
    return text_;
  }

 private:
  std::time_t second_ = 0;
  std::string text_;
};

bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A full volume or quota speaks of the trash; other errors are the system's own.
std::error_code trashWriteError(int error) {
  if (error == ENOSPC || error == EDQUOT) return TrashError::trashFull;
  if (error == EROFS) return TrashError::noTrash;
  return {error, std::system_category()};
}

// `name` with a number before its extension: "Game.lnk", "Game.2.lnk", "Game.3.lnk"...
std::string numberedName(const std::string& name, unsigned number) {
  if (number < 2) return name;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return name + "." + std::to_string(number);
  return name.substr(0, dot) + "." + std::to_string(number) + name.substr(dot);
}

std::int64_t nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// When the entry `name` in `folder` last changed status (a rename is such a change); 0 if unknown.
std::int64_t changedAt(int folder, const std::string& name) {
  struct stat status {};
  if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) return 0;
  return nanoseconds(status.st_ctim);
}

// Renames without replacing anything; where the file system cannot promise that, checks first.
int renameNoReplace(int fromFolder, const char* from, int toFolder, const char* to) {
  if (::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  struct stat status {};
  if (::fstatat(toFolder, to, &status, AT_SYMLINK_NOFOLLOW) == 0) {
    errno = EEXIST;
    return -1;
  }
  return ::renameat(fromFolder, from, toFolder, to);
}

}  // namespace

struct Trash::Folders {
  std::map<std::uint64_t, std::unique_ptr<TrashFolder>> byVolume;
  // The next number to try per name, so that many files of one name do not retry every number.
  std::unordered_map<std::string, unsigned> nextNumber;
  DeletionDate date;
  // Per scanned root, whether the trash's files/ lies below it, so that only then each file's
  // folder is compared with it.
  std::unordered_map<std::string, bool> rootHoldsTrash;

  bool holdsTrash(std::string_view root, const TrashFolder& trash) {
    const auto [known, added] = rootHoldsTrash.try_emplace(std::string(root), true);
    if (!added) return known->second;
    const Descriptor folder(posix::openFolderAnyLength(root));
    const std::string rootPath = folder.get() < 0 ? std::string() : realPathOf(folder.get());
    const std::string filesPath = realPathOf(trash.files.get());
    // Unknown either way: compare every file.
    if (!rootPath.empty() && !filesPath.empty()) {
      known->second = filesPath == rootPath || filesPath.starts_with(includeTrailingDelimiter(rootPath));
    }
    return known->second;
  }

  TrashFolder& forVolume(std::uint64_t volume, int parent) {
    std::unique_ptr<TrashFolder>& slot = byVolume[volume];
    if (slot) return *slot;
    slot = std::make_unique<TrashFolder>();
    TrashFolder& trash = *slot;
    const std::string dataHome = userDataFolder();
    if (!dataHome.empty() && deviceOf(dataHome) == volume) {
      trash.path = dataHome + "/Trash";
      if (!folderExists(dataHome) && createFolders(dataHome)) trash.error = TrashError::noTrash;
      if (!trash.error && openTrashFolder(trash, volume)) trash.error = TrashError::noTrash;
      return trash;
    }
    const std::string real = realPathOf(parent);
    if (real.empty()) {
      trash.error = TrashError::noTrash;
      return trash;
    }
    trash.topDir = topFolderOf(real, volume);
    const std::string top = trash.topDir == "/" ? std::string() : trash.topDir;
    const std::string uid = std::to_string(::getuid());
    struct stat shared {};
    const std::string sharedTrash = top + "/.Trash";
    if (::lstat(sharedTrash.c_str(), &shared) == 0 && S_ISDIR(shared.st_mode) && (shared.st_mode & S_ISVTX)) {
      trash.path = sharedTrash + "/" + uid;
      if (!openTrashFolder(trash, volume)) return trash;
    }
    trash.path = top + "/.Trash-" + uid;
    struct stat own {};
    if (openTrashFolder(trash, volume) || ::lstat(trash.path.c_str(), &own) != 0 || !isOwnPrivateFolder(own)) {
      trash.error = TrashError::noTrash;
    }
    return trash;
  }
};

Trash::Trash() : folders_(std::make_unique<Folders>()) {}
Trash::~Trash() = default;

std::error_code Trash::moveBelow(std::string_view root, std::string_view relative, const EntryIdentity& expected,
                                 std::string_view original, TrashedFile& trashed) {
  Descriptor parent;
  std::string name;
  if (const auto error = posix::openParentBelow(root, relative, parent, name)) return error;
  if (const auto error = posix::checkScannedFile(parent.get(), name, expected)) return error;
  TrashFolder& trash = folders_->forVolume(expected.volume, parent.get());
  if (trash.error) return trash.error;
  // Moving a file of the trash within it would leave its .trashinfo behind, naming nothing.
  if (folders_->holdsTrash(root, trash)) {
    struct stat folder {};
    if (::fstat(parent.get(), &folder) != 0) return posix::lastError();
    if (static_cast<std::uint64_t>(folder.st_ino) == trash.filesInode) return TrashError::inTrashAlready;
  }

  // The home trash takes the absolute path as the scan named it; a volume's trash, the path from
  // its top folder, which only the real path of the folder gives.
  std::string where(original);
  if (!trash.topDir.empty() || where.empty() || where[0] != '/') {
    where = realPathOf(parent.get());
    if (where.empty()) return TrashError::noTrash;
    where = includeTrailingDelimiter(where) + name;
    if (!trash.topDir.empty()) where = where.substr(trash.topDir == "/" ? 1 : trash.topDir.size() + 1);
  }
  const std::string content =
      "[Trash Info]\nPath=" + encodedPath(where) + "\nDeletionDate=" + folders_->date.now() + "\n";

  unsigned& next = folders_->nextNumber[name];
  // Numbers are tried one by one, then in growing steps: a trash that holds thousands of one name
  // costs a few tries, not thousands.
  auto advance = [&next, misses = 0u]() mutable {
    next = next < 2 ? 2 : (++misses > 8 && next < 0x10000000 ? next * 2 : next + 1);
  };
  constexpr unsigned kMaxTries = 100;
  for (unsigned tries = 0; tries < kMaxTries; ++tries) {
    const std::string candidate = numberedName(name, next);
    const std::string infoName = candidate + ".trashinfo";
    const Descriptor info(::openat(trash.info.get(), infoName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (info.get() < 0) {
      if (errno != EEXIST) return trashWriteError(errno);
      advance();
      continue;
    }
    if (!writeAll(info.get(), content)) {
      const int error = errno;
      ::unlinkat(trash.info.get(), infoName.c_str(), 0);
      return trashWriteError(error);
    }
    // As in the deletion, the entry is renamed relative to its pinned folder right after the check.
    if (renameNoReplace(parent.get(), name.c_str(), trash.files.get(), candidate.c_str()) != 0) {
      const int error = errno;
      ::unlinkat(trash.info.get(), infoName.c_str(), 0);
      if (error == EEXIST) {
        advance();
        continue;
      }
      if (error == EXDEV) return TrashError::noTrash;
      return trashWriteError(error);
    }
    trashed = {std::string(original), trash.path + "/files/" + candidate, trash.path + "/info/" + infoName, expected,
               changedAt(trash.files.get(), candidate)};
    next = next < 2 ? 2 : next + 1;  // the next file of this name starts past this one
    return {};
  }
  return TrashError::trashFull;
}

std::error_code restoreFromTrash(const TrashedFile& trashed) {
  struct stat status {};
  const posix::ReachablePath from(trashed.inTrash);
  if (::lstat(from.c_str(), &status) != 0) {
    return errno == ENOENT ? std::error_code(TrashError::notInTrash) : posix::lastError();
  }
  const EntryIdentity found{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  if (found != trashed.identity || nanoseconds(status.st_ctim) != trashed.changed) return TrashError::notInTrash;
  const posix::ReachablePath to(trashed.original);
  if (renameNoReplace(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str()) != 0) {
    return errno == EEXIST ? std::error_code(TrashError::placeTaken) : posix::lastError();
  }
  if (!trashed.info.empty()) ::unlink(posix::ReachablePath(trashed.info).c_str());
  return {};
}

}  // namespace zendrift::platform
