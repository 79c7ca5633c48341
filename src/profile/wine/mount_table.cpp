// Reading /proc/self/mountinfo.
#include "profile/wine/mount_table.h"

#include <array>
#include <cstdlib>

#include "platform/file_system.h"

namespace zendrift::profile {

namespace {

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start < line.size()) {
    const std::size_t end = std::min(line.find(' ', start), line.size());
    if (end > start) fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

}  // namespace

// mountinfo and fstab write space, tab, newline and backslash in names as \ooo.
std::string unescapeMountField(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string_view digits = field.substr(i + 1, 3);
      bool octal = true;
      for (const char d : digits) octal = octal && d >= '0' && d <= '7';
      if (octal) {
        out += static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0'));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

bool isNetworkFileSystem(std::string_view type) {
  constexpr std::array kNetwork = {"nfs",  "nfs4",      "cifs",       "smb3",       "smbfs",    "ncpfs",
                                   "afs",  "ceph",      "glusterfs",  "fuse.sshfs", "sshfs",    "davfs",
                                   "fuse.davfs2",       "fuse.rclone", "fuse.s3fs", "fuse.glusterfs"};
  for (const std::string_view name : kNetwork) {
    if (type == name) return true;
  }
  return false;
}

std::vector<MountEntry> readMountTable() {
  return parseMountTable(platform::readFile("/proc/self/mountinfo").valueOr(""));
}

std::vector<MountEntry> parseMountTable(std::string_view text) {
  std::vector<MountEntry> mounts;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    const auto fields = splitFields(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
    // id parent major:minor root mountpoint options [optional...] - fstype source superoptions
    std::size_t dash = 6;
    while (dash < fields.size() && fields[dash] != "-") ++dash;
    if (fields.size() < 5 || dash + 2 >= fields.size()) continue;
    MountEntry entry;
    const std::string device(fields[2]);
    const std::size_t colon = device.find(':');
    if (colon != std::string::npos) {
      entry.major = static_cast<unsigned>(std::strtoul(device.c_str(), nullptr, 10));
      entry.minor = static_cast<unsigned>(std::strtoul(device.c_str() + colon + 1, nullptr, 10));
    }
    entry.mountPoint = unescapeMountField(fields[4]);
    entry.fsType = unescapeMountField(fields[dash + 1]);
    entry.source = unescapeMountField(fields[dash + 2]);
    mounts.push_back(std::move(entry));
  }
  return mounts;
}

const MountEntry* mountHolding(const std::vector<MountEntry>& mounts, std::string_view canonicalPath) {
  const MountEntry* best = nullptr;
  for (const MountEntry& mount : mounts) {
    const std::string_view point = mount.mountPoint;
    const bool holds = point == "/" ||
                       (canonicalPath.substr(0, point.size()) == point &&
                        (canonicalPath.size() == point.size() || canonicalPath[point.size()] == '/'));
    if (holds && (!best || point.size() >= best->mountPoint.size())) best = &mount;
  }
  return best;
}

}  // namespace zendrift::profile
