// The mounted file systems, as /proc/self/mountinfo lists them: for drive types and UNC shares.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zendrift::profile {

struct MountEntry {
  std::string mountPoint;
  std::string fsType;  // "ext4", "cifs", "fuse.sshfs", ...
  std::string source;  // "/dev/sda1", "//server/share", ...
  unsigned major = 0;
  unsigned minor = 0;
};

// Empty when the table cannot be read.
std::vector<MountEntry> readMountTable();
// The entries of a mountinfo text; malformed lines are skipped.
std::vector<MountEntry> parseMountTable(std::string_view text);

// A field of mountinfo or fstab with its octal escapes ("\040" for a space) undone.
std::string unescapeMountField(std::string_view field);

// Whether file systems of `type` ("nfs4", "cifs", "fuse.sshfs", ...) are reached over a network.
bool isNetworkFileSystem(std::string_view type);

// A field of mountinfo or fstab with its octal escapes ("\040" for a space) undone.
std::string unescapeMountField(std::string_view field);

// Whether file systems of `type` ("nfs4", "cifs", "fuse.sshfs", ...) are reached over a network.
bool isNetworkFileSystem(std::string_view type);

// The mount that holds `canonicalPath` (an absolute path without links): the one with the
// longest mount point that contains it; the last such mount wins, as it hides earlier ones.
const MountEntry* mountHolding(const std::vector<MountEntry>& mounts, std::string_view canonicalPath);

}  // namespace zendrift::profile
