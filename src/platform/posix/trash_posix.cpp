// The freedesktop.org trash: a file on the home file system goes to $XDG_DATA_HOME/Trash, one on
// another volume to the trash at that volume's top folder ($topdir/.Trash/$uid when .Trash is a
// sticky folder and not a link, and $uid is this user's own folder that only they can write; else
// $topdir/.Trash-$uid). Each move writes info/<name>.trashinfo first, created exclusively so that
// it also reserves the name, then renames the checked entry from its open folder into
// files/<name>. Putting back takes only that file out of a trash this user keeps, and walks to its
// place below the folder the removal started from, never through a link.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

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

// Opens the folder `name` in `parent`, making it (mode 0700) when missing. It must be a folder of
// this user, not a link, and with `ownerOnly` writable by its owner alone: a trash that another
// user can write into is a trash that user can empty or fill.
std::error_code openOwnFolder(int parent, const std::string& name, bool ownerOnly, Descriptor& folder) {
  if (::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST) return posix::lastError();
  folder.reset(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (folder.get() < 0) return posix::whyNotAFolder(parent, name, errno);
  struct stat status {};
  if (::fstat(folder.get(), &status) != 0) return posix::lastError();
  if (status.st_uid != ::getuid() || (ownerOnly && (status.st_mode & (S_IWGRP | S_IWOTH)) != 0)) {
    return TrashError::noTrash;
  }
  return {};
}

// Opens files/ and info/ of the trash `trash.path`, the folder `name` in `parent`, making what is
// missing, and checks that the trash is on the volume `volume`.
std::error_code openTrashFolder(TrashFolder& trash, int parent, const std::string& name, bool ownerOnly,
                                std::uint64_t volume) {
  Descriptor top;
  if (auto error = openOwnFolder(parent, name, ownerOnly, top)) return error;
  if (auto error = openOwnFolder(top.get(), "files", false, trash.files)) return error;
  if (auto error = openOwnFolder(top.get(), "info", false, trash.info)) return error;
  struct stat status {};
  if (::fstat(trash.files.get(), &status) != 0) return posix::lastError();
  // Another volume mounted there: a rename would fail, and copying is not allowed.
  if (static_cast<std::uint64_t>(status.st_dev) != volume) return TrashError::noTrash;
  trash.filesInode = static_cast<std::uint64_t>(status.st_ino);
  return {};
}

// The shared .Trash of a volume's top folder, opened, when it is one every user may keep a trash
// in: a real folder (not a link) with the sticky bit, so that none can remove another's. What is
// checked is what was opened, so nothing can be swapped in between.
Descriptor openSharedTrash(int top) {
  Descriptor shared(::openat(top, ".Trash", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat status {};
  if (shared.get() < 0 || ::fstat(shared.get(), &status) != 0 || (status.st_mode & S_ISVTX) == 0) return Descriptor();
  return shared;
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
    std::string parent = parentPath(real);
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
    path = parentPath(path);
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

// Splits an absolute path into its names; false when it is not absolute or a name is empty, "."
// or "..", so that it can neither stay in place nor climb.
bool namesOf(std::string_view path, std::vector<std::string>& names) {
  if (!path.starts_with('/')) return false;
  path.remove_prefix(1);
  while (true) {
    const std::size_t slash = path.find('/');
    const std::string_view name = path.substr(0, slash);
    if (name.empty() || name == "." || name == "..") return false;
    names.emplace_back(name);
    if (slash == std::string_view::npos) return true;
    path.remove_prefix(slash + 1);
  }
}

// Whether the folder `trash` (named `name`, in the folder `parent`) is a trash this user keeps:
// the home trash, a volume's .Trash-$uid, or a .Trash/$uid that only this user can write.
bool isOwnTrash(int parent, const std::string& name, int trash) {
  struct stat status {};
  if (::fstat(trash, &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::getuid()) return false;
  const std::string uid = std::to_string(::getuid());
  if (name == ".Trash-" + uid) return true;
  if (name == uid) {
    struct stat shared {};
    return (status.st_mode & (S_IWGRP | S_IWOTH)) == 0 && ::fstat(parent, &shared) == 0 && S_ISDIR(shared.st_mode) &&
           (shared.st_mode & S_ISVTX) != 0 && fileName(realPathOf(parent)) == ".Trash";
  }
  struct stat home {};
  const std::string dataHome = userDataFolder();
  return !dataHome.empty() && ::stat(posix::ReachablePath(dataHome + "/Trash").c_str(), &home) == 0 &&
         home.st_dev == status.st_dev && home.st_ino == status.st_ino;
}

// Opens files/ and info/ of the trash that holds `trashed`, which must be files/<name> of a trash
// this user keeps, with its information at info/<name>.trashinfo of the same trash.
std::error_code openTrashOf(const TrashedFile& trashed, Descriptor& files, Descriptor& info, std::string& name) {
  std::vector<std::string> names;
  if (!namesOf(trashed.inTrash, names) || names.size() < 3 || names[names.size() - 2] != "files") {
    return TrashError::notOurTrash;
  }
  name = names.back();
  const std::string trashPath = parentPath(parentPath(trashed.inTrash));
  if (trashed.info != trashPath + "/info/" + name + ".trashinfo") return TrashError::notOurTrash;
  const std::string trashName = names[names.size() - 3];
  std::string above = parentPath(trashPath);
  if (above.empty()) above = "/";
  const Descriptor parent(posix::openFolderAnyLength(above));
  if (parent.get() < 0) return errno == ENOENT ? std::error_code(TrashError::notInTrash) : posix::lastError();
  const Descriptor trash(::openat(parent.get(), trashName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (trash.get() < 0) return errno == ENOENT ? std::error_code(TrashError::notInTrash) : TrashError::notOurTrash;
  if (!isOwnTrash(parent.get(), trashName, trash.get())) return TrashError::notOurTrash;
  for (auto [half, folder] : {std::pair{"files", &files}, std::pair{"info", &info}}) {
    folder->reset(::openat(trash.get(), half, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat status {};
    if (folder->get() < 0 || ::fstat(folder->get(), &status) != 0 || status.st_uid != ::getuid()) {
      return TrashError::notOurTrash;
    }
  }
  return {};
}

// Opens the folder that `original` goes back into and gives its last name. Below `root`, opened as
// the removal opened it, each folder is entered without following a link and made again when it
// is missing; without a root only the folder as it stands is taken.
std::error_code openPlaceOf(const std::string& original, std::string_view root, Descriptor& parent,
                            std::string& place) {
  std::vector<std::string> names;
  if (!namesOf(original, names)) return TrashError::notOurTrash;
  place = names.back();
  names.pop_back();
  std::string rootFolder = withoutTrailingSeparator(root);
  if (rootFolder == "/") rootFolder.clear();
  if (root.empty()) {
    const std::string folder = parentPath(original);
    parent.reset(posix::openFolderAnyLength(folder.empty() ? "/" : folder));
    return parent.get() < 0 ? posix::lastError() : std::error_code{};
  }
  std::vector<std::string> rootNames;
  if ((!rootFolder.empty() && !namesOf(rootFolder, rootNames)) || rootNames.size() > names.size() ||
      !std::equal(rootNames.begin(), rootNames.end(), names.begin())) {
    return RemovalError::notBelowRoot;
  }
  parent.reset(posix::openFolderAnyLength(rootFolder.empty() ? "/" : rootFolder));
  if (parent.get() < 0) return posix::lastError();
  for (std::size_t i = rootNames.size(); i < names.size(); ++i) {
    const char* name = names[i].c_str();
    int next = ::openat(parent.get(), name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0 && errno == ENOENT) {
      if (::mkdirat(parent.get(), name, 0777) != 0 && errno != EEXIST) return posix::lastError();
      next = ::openat(parent.get(), name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    }
    if (next < 0) return posix::whyNotAFolder(parent.get(), names[i], errno);
    parent.reset(next);
  }
  return {};
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
      known->second = filesPath == rootPath || filesPath.starts_with(withTrailingSeparator(rootPath));
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
      const Descriptor home(posix::openFolderAnyLength(dataHome));
      if (!trash.error && (home.get() < 0 || openTrashFolder(trash, home.get(), "Trash", false, volume))) {
        trash.error = TrashError::noTrash;
      }
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
    const Descriptor topFolder(::open(trash.topDir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (topFolder.get() < 0) {
      trash.error = TrashError::noTrash;
      return trash;
    }
    // .Trash/$uid only when this user made it for themselves; one that another user prepared
    // would let that user delete what goes there.
    if (const Descriptor shared = openSharedTrash(topFolder.get()); shared.get() >= 0) {
      trash.path = top + "/.Trash/" + uid;
      if (!openTrashFolder(trash, shared.get(), uid, true, volume)) return trash;
    }
    trash.path = top + "/.Trash-" + uid;
    if (openTrashFolder(trash, topFolder.get(), ".Trash-" + uid, false, volume)) trash.error = TrashError::noTrash;
    return trash;
  }
};

Trash::Trash() : folders_(std::make_unique<Folders>()) {}
Trash::~Trash() = default;

Result<TrashedFile> Trash::moveBelow(std::string_view root, std::string_view relative, const EntryIdentity& expected,
                                     std::string_view original) {
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
    if (static_cast<std::uint64_t>(folder.st_ino) == trash.filesInode) {
      return std::error_code(TrashError::inTrashAlready);
    }
  }

  // The home trash takes the absolute path as the scan named it; a volume's trash, the path from
  // its top folder, which only the real path of the folder gives.
  std::string where(original);
  if (!trash.topDir.empty() || where.empty() || where[0] != '/') {
    where = realPathOf(parent.get());
    if (where.empty()) return std::error_code(TrashError::noTrash);
    where = withTrailingSeparator(where) + name;
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
      if (error == EXDEV) return std::error_code(TrashError::noTrash);
      return trashWriteError(error);
    }
    // When it last changed status (the rename is such a change), so that undo takes only this file.
    struct stat moved {};
    const bool known = ::fstatat(trash.files.get(), candidate.c_str(), &moved, AT_SYMLINK_NOFOLLOW) == 0;
    next = next < 2 ? 2 : next + 1;  // the next file of this name starts past this one
    return TrashedFile{std::string(original), trash.path + "/files/" + candidate, trash.path + "/info/" + infoName,
                       expected, known ? nanoseconds(moved.st_ctim) : 0,
                       known ? static_cast<std::uint64_t>(moved.st_size) : 0};
  }
  return std::error_code(TrashError::trashFull);
}

std::error_code restoreFromTrash(const TrashedFile& trashed, std::string_view root) {
  Descriptor files;
  Descriptor info;
  std::string name;
  if (const auto error = openTrashOf(trashed, files, info, name)) return error;
  struct stat status {};
  if (::fstatat(files.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT ? std::error_code(TrashError::notInTrash) : posix::lastError();
  }
  const EntryIdentity found{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  if (found != trashed.identity || nanoseconds(status.st_ctim) != trashed.changed ||
      !(S_ISREG(status.st_mode) || S_ISLNK(status.st_mode))) {
    return TrashError::notInTrash;
  }
  Descriptor parent;
  std::string place;
  if (const auto error = openPlaceOf(trashed.original, root, parent, place)) return error;
  if (renameNoReplace(files.get(), name.c_str(), parent.get(), place.c_str()) != 0) {
    return errno == EEXIST ? std::error_code(TrashError::placeTaken) : posix::lastError();
  }
  ::unlinkat(info.get(), (name + ".trashinfo").c_str(), 0);
  return {};
}

}  // namespace zendrift::platform
