// Disks that are planned at a mount point but not mounted now, from fstab and mountinfo.
#include "profile/wine/disk_mounts.h"

#include <dirent.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "platform/file_system.h"
#include "platform/process.h"
#include "profile/windows_profile.h"

namespace zendrift::profile {

namespace {

// Far larger than any fstab; a bigger file is not read.
constexpr std::size_t kMaxFstabSize = 1024 * 1024;

// File systems that hold no disk: a missing one leaves the folder below it as it is.
bool holdsNoDisk(std::string_view type) {
  constexpr std::array kKinds = {"swap",     "tmpfs",   "ramfs",      "proc",    "sysfs",   "devpts",
                                 "devtmpfs", "cgroup",  "cgroup2",    "mqueue",  "debugfs", "tracefs",
                                 "configfs", "pstore",  "securityfs", "efivarfs", "hugetlbfs", "binfmt_misc"};
  for (const std::string_view kind : kKinds) {
    if (type == kind) return true;
  }
  return false;
}

std::vector<std::string_view> blankSeparated(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start < line.size()) {
    start = line.find_first_not_of(" \t\r", start);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
    fields.push_back(line.substr(start, end - start));
    start = end;
  }
  return fields;
}

std::string_view parentOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string_view::npos ? std::string_view("/") : path.substr(0, slash);
}

bool mountedAt(std::string_view folder, const DiskMounts& disks) {
  return std::any_of(disks.mounted.begin(), disks.mounted.end(),
                     [folder](const MountEntry& mount) { return mount.mountPoint == folder; });
}

// Where desktops and people mount removable media: a folder directly in /mnt or /media, or in a
// user's folder there (/media/ann/USB, /run/media/ann/USB), which is no mount of its own.
bool removableMediaPlace(std::string_view folder, const DiskMounts& disks) {
  const std::string_view parent = parentOf(folder);
  if (parent == "/mnt" || parent == "/media") return true;
  const std::string_view grandparent = parentOf(parent);
  return (grandparent == "/media" || grandparent == "/run/media") && !mountedAt(parent, disks);
}

// The path with its links resolved as far as it exists, the rest taken as written.
std::string realPath(std::string_view hostPath) {
  std::error_code error;
  std::string path = std::filesystem::weakly_canonical(std::filesystem::path(hostPath), error).string();
  if (error) path = std::string(hostPath);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::vector<PlannedMount> parseFstab(std::string_view text) {
  std::vector<PlannedMount> planned;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const auto fields = blankSeparated(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    // source mountpoint [type [options [dump [pass]]]]
    if (fields.size() < 2 || fields[0].starts_with('#')) continue;
    std::string point = unescapeMountField(fields[1]);
    while (point.size() > 1 && point.back() == '/') point.pop_back();
    const std::string type = fields.size() > 2 ? unescapeMountField(fields[2]) : std::string("auto");
    // The root is always mounted; "none" and "swap" name no folder.
    if (point.size() < 2 || point.front() != '/' || holdsNoDisk(type)) continue;
    planned.push_back({std::move(point), type});
  }
  return planned;
}

DiskMounts readDiskMounts() {
  std::string fstab = platform::environmentVariable("LIBMOUNT_FSTAB").value_or("");
  if (fstab.empty()) fstab = "/etc/fstab";
  const platform::Result<std::string> text = platform::readFile(fstab, kMaxFstabSize);
  return {text ? parseFstab(*text) : std::vector<PlannedMount>{}, readMountTable()};
}

std::optional<PlannedMount> absentDiskHolding(std::string_view hostPath, const DiskMounts& disks) {
  // Without the mount table every planned disk would look absent.
  if (disks.mounted.empty() || hostPath.empty() || hostPath.front() != '/') return std::nullopt;
  const std::string path = realPath(hostPath);
  for (std::string_view at = path; at.size() > 1; at = parentOf(at)) {
    if (mountedAt(at, disks)) return std::nullopt;
    // What is in the folder of a disk that is not mounted is not the disk's: the folder stays
    // empty, and one that is not (an fstab that does not match this system) is taken as it is.
    const auto planned = std::find_if(disks.planned.begin(), disks.planned.end(),
                                      [at](const PlannedMount& mount) { return mount.mountPoint == at; });
    if (planned != disks.planned.end() || removableMediaPlace(at, disks)) {
      if (!emptyOrMissingFolder(std::string(at))) return std::nullopt;
      return planned != disks.planned.end() ? *planned : PlannedMount{std::string(at), {}};
    }
  }
  return std::nullopt;
}

bool emptyOrMissingFolder(const std::string& folder) {
  struct CloseListing {
    void operator()(DIR* listing) const { ::closedir(listing); }
  };
  const std::unique_ptr<DIR, CloseListing> listing(::opendir(folder.c_str()));
  if (!listing) return errno == ENOENT;
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") return false;
  }
  return true;
}

unsigned absentDiskDriveType(const PlannedMount& disk) {
  // fstab may name several types to try ("udf,iso9660").
  std::string_view types = disk.fsType;
  while (!types.empty()) {
    const std::size_t comma = std::min(types.find(','), types.size());
    const std::string_view type = types.substr(0, comma);
    types.remove_prefix(std::min(comma + 1, types.size()));
    if (isNetworkFileSystem(type)) return kDriveRemote;
    if (type == "iso9660" || type == "udf") return kDriveCdrom;
  }
  return kDriveRemovable;
}

}  // namespace zendrift::profile
