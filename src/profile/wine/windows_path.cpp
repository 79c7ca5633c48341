// Windows paths on POSIX systems: resolved below a Wine drive's folder (or a mounted SMB share)
// one component at a time, letter case ignored as Windows and Wine ignore it.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/path.h"
#include "profile/folder_listings.h"
#include "profile/wine/folder_names.h"
#include "profile/wine/disk_mounts.h"
#include "profile/wine/name_case.h"
#include "profile/windows_profile.h"
#include "profile/wine_menu_entries.h"
#include "profile/wine_prefix.h"

namespace zendrift::profile {

namespace {

bool isSlash(char c) { return c == '\\' || c == '/'; }
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

struct WindowsPath {
  bool unc = false;
  char letter = 0;
  std::string server;
  std::string share;
  std::vector<std::string> components;  // "." and ".." already applied
  bool trailingDelimiter = false;
};

// Characters Windows never allows in a name; a colon in the middle would name a stream.
bool validComponent(std::string_view name) {
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::string_view takeSegment(std::string_view& rest) {
  std::size_t end = 0;
  while (end < rest.size() && !isSlash(rest[end])) ++end;
  const std::string_view segment = rest.substr(0, end);
  rest.remove_prefix(end);
  while (!rest.empty() && isSlash(rest.front())) rest.remove_prefix(1);
  return segment;
}

bool onlyDotsAndSpaces(std::string_view name) {
  return name.find_first_not_of(". ") == std::string_view::npos;
}

// Splits a Windows path the way Windows normalises it: both slashes separate, runs of them
// count once, "." is dropped, ".." climbs but never above the drive or share, a folder's name
// loses one trailing dot and the last name all its trailing dots and spaces. Relative and
// drive-relative paths are not accepted.
std::optional<WindowsPath> parseWindowsPath(std::string_view path) {
  // The device forms name the same files: "\\?\C:\x" and "\\.\C:\x" are "C:\x", and
  // "\\?\UNC\server\share" is "\\server\share".
  std::string unprefixed;
  if (path.size() >= 8 && (path.substr(0, 4) == "\\\\?\\") && platform::equalsIgnoringAsciiCase(path.substr(4, 4), "UNC\\")) {
    unprefixed = "\\\\" + std::string(path.substr(8));
    path = unprefixed;
  } else if (path.size() >= 6 && (path.substr(0, 4) == "\\\\?\\" || path.substr(0, 4) == "\\\\.\\") && path[5] == ':') {
    path.remove_prefix(4);
  }
  WindowsPath parsed;
  std::string_view rest;
  if (path.size() >= 2 && path[1] == ':') {
    if (!isAsciiLetter(path[0])) return std::nullopt;
    parsed.letter = path[0];
    rest = path.substr(2);
    if (!rest.empty() && !isSlash(rest.front())) return std::nullopt;
  } else if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1])) {
    parsed.unc = true;
    rest = path.substr(2);
    parsed.server = std::string(takeSegment(rest));
    parsed.share = std::string(takeSegment(rest));
    // A server or share of dots alone ("..") would climb out of the folder that holds the shares.
    if (parsed.server.empty() || parsed.share.empty() || parsed.server == "?" || onlyDotsAndSpaces(parsed.server) ||
        onlyDotsAndSpaces(parsed.share) || !validComponent(parsed.server) || !validComponent(parsed.share)) {
      return std::nullopt;
    }
  } else {
    return std::nullopt;
  }
  parsed.trailingDelimiter = isSlash(path.back());
  while (!rest.empty() && isSlash(rest.front())) rest.remove_prefix(1);

  while (!rest.empty()) {
    std::string_view segment = takeSegment(rest);
    const bool last = rest.empty();
    if (segment == ".") continue;
    if (segment == "..") {
      if (!parsed.components.empty()) parsed.components.pop_back();
      continue;
    }
    if (last && !parsed.trailingDelimiter) {
      while (!segment.empty() && (segment.back() == '.' || segment.back() == ' ')) segment.remove_suffix(1);
      if (segment.empty()) {
        parsed.trailingDelimiter = true;
        continue;
      }
    } else if (segment.back() == '.') {
      // A folder's name loses one trailing dot, and no space, as in Wine 8 and Windows.
      segment.remove_suffix(1);
      if (segment == "." || segment == "..") return std::nullopt;
    }
    if (!validComponent(segment)) return std::nullopt;
    parsed.components.emplace_back(segment);
  }
  return parsed;
}

// The mount point of //server/share when it is mounted over SMB.
std::string shareMountPoint(std::string_view server, std::string_view share) {
  const std::string wanted = "//" + std::string(server) + "/" + std::string(share);
  for (const MountEntry& mount : readMountTable()) {
    if (mount.fsType != "cifs" && mount.fsType != "smb3" && mount.fsType != "smbfs") continue;
    std::string source = mount.source;
    for (char& c : source) {
      if (c == '\\') c = '/';
    }
    while (source.size() > 2 && source.back() == '/') source.pop_back();
    if (sameNameIgnoringCase(source, wanted)) return mount.mountPoint;
  }
  return {};
}

enum class Want { File, Folder, Any };

// What resolving a path found: the host path of the entry, or why there is none.
struct Resolved {
  TargetPresence presence = TargetPresence::missing;
  std::string hostPath;
};
const Resolved kMissing{TargetPresence::missing, {}};
const Resolved kUnknown{TargetPresence::unknown, {}};

Resolved resolveBelow(const std::string& base, const std::vector<std::string>& components, Want want,
                      FolderListings& listings);

// Whether a failed lookup says that nothing is there by that name, rather than that the disk
// could not tell (permissions, I/O). A name too long for the host, or a loop of links, leads
// nowhere on Windows either.
bool nothingThere(int error) { return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP; }

// A share is reached through the prefix's dosdevices/unc/<server>/<share> when Wine has one,
// else through an SMB mount of //server/share. Nothing when Wine's folder cannot be searched.
std::optional<std::string> shareFolder(const std::string& prefix, std::string_view server, std::string_view share,
                                       FolderListings& listings) {
  if (!prefix.empty()) {
    Resolved viaWine =
        resolveBelow(prefix + "/dosdevices/unc", {std::string(server), std::string(share)}, Want::Folder, listings);
    if (viaWine.presence == TargetPresence::present) return std::move(viaWine.hostPath);
    if (viaWine.presence == TargetPresence::unknown) return std::nullopt;
  }
  return shareMountPoint(server, share);
}

// The host folder of a drive letter; empty when the prefix has no such drive, nothing when its
// link could not be read (a dosdevices folder that cannot be searched hides every drive).
std::optional<std::string> driveBase(const std::string& prefix, char letter) {
  std::string folder = wine::driveFolder(prefix, letter, false);
  if (!folder.empty()) {
    // A disk that is not mounted now leaves an empty mount point or none: the drive has nothing
    // in it, and its root is not there, as on Windows. Only then is fstab worth reading.
    if (emptyOrMissingFolder(folder) && absentDiskHolding(folder, readDiskMounts())) return std::string();
    return folder;
  }
  const std::string link = prefix + "/dosdevices/" + std::string(1, platform::lowerAscii(letter)) + ":";
  struct stat status {};
  if (::lstat(link.c_str(), &status) == 0 || nothingThere(errno)) return std::string();
  return std::nullopt;
}

// The host folder the path's drive or share stands for: empty when there is none, nothing when
// the disk could not tell.
std::optional<std::string> baseFolder(const WindowsPath& path, const ShortcutProfile& profile,
                                      FolderListings& listings) {
  if (profile.kind == ProfileKind::WindowsInstallation) {
    // Seen from outside, the installation's own folder is its C:; nothing else is known.
    return !path.unc && platform::lowerAscii(path.letter) == 'c' ? profile.root : std::string();
  }
  const std::string& prefix = profile.root;
  if (path.unc) return shareFolder(prefix, path.server, path.share, listings);
  if (prefix.empty()) return std::string();  // no prefix, no drives
  // resolveBelow() looks at the folder itself; no need to check it here.
  return listings.driveFolder(prefix, platform::lowerAscii(path.letter), [&] { return driveBase(prefix, path.letter); });
}

bool fits(const struct stat& status, Want want) {
  if (want == Want::Any) return true;
  return want == Want::Folder ? S_ISDIR(status.st_mode) : !S_ISDIR(status.st_mode);
}

std::int64_t modifiedAt(const struct stat& status) {
  return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}

// The host path of the entry the components name below `base`, of the wanted kind. The exact
// name is tried first; only when it is missing is the folder listed for a case-blind match
// (once per scan: `listings` keeps it). Only "no such entry" makes a target missing: a folder
// that cannot be read or searched leaves it unknown.
Resolved resolveBelow(const std::string& base, const std::vector<std::string>& components, Want want,
                      FolderListings& listings) {
  struct stat status {};
  std::string whole = base;
  for (const std::string& name : components) whole = platform::join(whole, name);
  if (::stat(whole.c_str(), &status) == 0) {
    if (!fits(status, components.empty() ? Want::Folder : want)) return kMissing;
    return {TargetPresence::present, std::move(whole)};
  }
  if (!nothingThere(errno)) return kUnknown;
  if (components.empty() || (errno != ENOENT && errno != ENOTDIR)) return kMissing;

  // Where the names are resolved from, and its modification time when its status was just read
  // (a listing kept of it is then checked against that, at no further call).
  std::string current = base;
  std::optional<std::int64_t> currentModified;
  std::size_t first = 0;
  // Most missing targets name a file gone from a folder that is still there: when the exact
  // folder is there, so is every exact name above it, and only the last name is left to match
  // case-blind (its exact form is the one just found missing).
  bool exactLastMissing = false;
  if (errno == ENOENT) {
    std::string parent = base;
    for (std::size_t i = 0; i + 1 < components.size(); ++i) parent = platform::join(parent, components[i]);
    if (::stat(parent.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
      current = std::move(parent);
      currentModified = modifiedAt(status);
      first = components.size() - 1;
      exactLastMissing = true;
    }
  }
  for (std::size_t i = first; i < components.size(); ++i) {
    const std::string& wanted = components[i];
    const Want here = i + 1 == components.size() ? want : Want::Folder;
    // The exact name is always asked of the disk, at the cost of one call: a listing kept from
    // earlier in the scan may be older than the entry.
    if (!exactLastMissing) {
      std::string exact = platform::join(current, wanted);
      if (::stat(exact.c_str(), &status) == 0) {
        if (!fits(status, here)) return kMissing;
        current = std::move(exact);
        currentModified = modifiedAt(status);
        continue;
      }
      if (!nothingThere(errno)) return kUnknown;
      if (errno != ENOENT) return kMissing;
    }
    exactLastMissing = false;
    std::shared_ptr<const FolderNames> names = listings.namesOf(current);
    // A listing kept from earlier in the scan answers only while the folder is unchanged since:
    // one made or renamed meanwhile (an install running during the scan) is listed afresh.
    const bool changed = currentModified ? names->changedSince(*currentModified) : names->changedSince(current);
    if (changed) names = listings.reread(current);
    if (names->state() == FolderNames::State::missing) return kMissing;
    if (names->state() == FolderNames::State::unreadable) return kUnknown;
    std::optional<std::string> match;
    bool uncertain = false;
    for (const std::string_view name : names->candidates(wanted)) {
      std::string candidate = platform::join(current, name);
      if (::stat(candidate.c_str(), &status) == 0) {
        if (!fits(status, here)) continue;
        match = std::move(candidate);
        currentModified = modifiedAt(status);
        break;
      }
      uncertain |= !nothingThere(errno);
    }
    if (!match) return uncertain ? kUnknown : kMissing;
    current = std::move(*match);
  }
  return {TargetPresence::present, std::move(current)};
}

// Whether the last name of a drive path is one of DOS's devices (NUL, CON, PRN, AUX, COM1-9,
// LPT1-9), with any extension and, without one, any trailing spaces. Windows and Wine 8 open the
// device whatever folder the path names (C:\zd\nul, D:\lpt1.exe).
bool namesDosDevice(std::string_view windowsPath) {
  if (windowsPath.size() >= 2 && isSlash(windowsPath[0]) && isSlash(windowsPath[1])) return false;
  std::string_view name = windowsPath.substr(windowsPath.find_last_of("\\/") + 1);
  if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) {
    name = name.substr(0, dot);
  } else {
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  }
  if (name.size() == 3) {
    for (const std::string_view device : {"nul", "con", "prn", "aux"}) {
      if (platform::equalsIgnoringAsciiCase(name, device)) return true;
    }
    return false;
  }
  const std::string_view stem = name.substr(0, 3);
  return name.size() == 4 && (platform::equalsIgnoringAsciiCase(stem, "com") || platform::equalsIgnoringAsciiCase(stem, "lpt")) &&
         name[3] >= '1' && name[3] <= '9';
}

Resolved resolve(std::string_view windowsPath, Want want, const ShortcutProfile& profile, FolderListings& listings) {
  const auto parsed = parseWindowsPath(windowsPath);
  if (!parsed) return kMissing;
  const bool folderOnly = parsed->trailingDelimiter || parsed->components.empty();
  if (want == Want::File && folderOnly) return kMissing;
  if (want == Want::Any && folderOnly) want = Want::Folder;
  const std::optional<std::string> base = baseFolder(*parsed, profile, listings);
  if (!base) return kUnknown;
  if (base->empty()) return kMissing;
  return resolveBelow(*base, parsed->components, want, listings);
}

// A lookup on its own: what it lists is kept for its own steps only.
Resolved resolveOnce(std::string_view windowsPath, Want want, const ShortcutProfile& profile) {
  FolderListings listings;
  return resolve(windowsPath, want, profile, listings);
}

}  // namespace

bool windowsFileExists(std::string_view windowsPath, const ShortcutProfile& profile) {
  if (namesDosDevice(windowsPath) && parseWindowsPath(windowsPath)) return true;
  return resolveOnce(windowsPath, Want::File, profile).presence == TargetPresence::present;
}

bool windowsFolderExists(std::string_view windowsPath, const ShortcutProfile& profile) {
  return resolveOnce(windowsPath, Want::Folder, profile).presence == TargetPresence::present;
}

TargetPresence windowsTargetPresence(std::string_view windowsPath, const ShortcutProfile& profile,
                                     FolderListings& listings) {
  if (namesDosDevice(windowsPath) && parseWindowsPath(windowsPath)) return TargetPresence::present;
  return resolve(windowsPath, Want::Any, profile, listings).presence;
}

std::string windowsFolderHostPath(std::string_view windowsPath, const ShortcutProfile& scanned) {
  return resolveOnce(windowsPath, Want::Folder, scanned).hostPath;
}

std::optional<std::string> wine::fileHostPath(std::string_view windowsPath, std::string_view prefix) {
  std::string host = resolveOnce(windowsPath, Want::File, {ProfileKind::WinePrefix, std::string(prefix)}).hostPath;
  if (host.empty()) return std::nullopt;
  return host;
}

}  // namespace zendrift::profile
