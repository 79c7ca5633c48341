// Disks that the machine mounts at a known folder but has not mounted now (a USB disk unplugged,
// a partition left unmounted): what lies below such a folder is away for now, not gone.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/windows_profile.h"
#include "profile/wine/mount_table.h"

namespace zendrift::profile {

// A mount that fstab plans.
struct PlannedMount {
  std::string mountPoint;
  std::string fsType;  // as fstab writes it: "ext4", "udf,iso9660", "auto"; empty when not known
};

// What the machine says of its disks; read once and handed to every question of one scan.
struct DiskMounts {
  std::vector<PlannedMount> planned;  // fstab's mounts of disks (swap and memory file systems left out)
  std::vector<MountEntry> mounted;    // what is mounted now; empty when that cannot be read
};

// The planned mounts of an fstab text; comments and malformed lines are skipped.
std::vector<PlannedMount> parseFstab(std::string_view text);

// The fstab that mount(8) reads ($LIBMOUNT_FSTAB, else /etc/fstab) and /proc/self/mountinfo.
DiskMounts readDiskMounts();

// The mount point of the disk that would hold `hostPath` (absolute; it need not exist) when that
// disk is not mounted now: the nearest folder at or above the path, with nothing mounted on it,
// that fstab names or that is a place for removable media (a folder directly in /mnt or /media,
// or /media/<user>/<name>, /run/media/<user>/<name>), when that folder is empty or missing.
// Nothing when the path's disk is there, or when what is mounted cannot be told.
std::optional<PlannedMount> absentDiskHolding(std::string_view hostPath, const DiskMounts& disks);

// Whether `folder` is missing or holds nothing: what a mount point with nothing mounted on it is,
// or the desktop removed it. A folder that cannot be listed is neither.
bool emptyOrMissingFolder(const std::string& folder);

// The drive type of a drive on such a disk: a network drive for a network file system, a CD-ROM
// drive for a disc's, else a removable drive; in each case one with nothing in it.
unsigned absentDiskDriveType(const PlannedMount& disk);

// windowsDriveType() with what the machine says of its disks given: a letter whose folder lies on
// a disk that is not mounted now has the type absentDiskDriveType() gives, unless Wine's drive
// settings name one that may have nothing in it.
unsigned windowsDriveType(std::string_view drivePart, const ShortcutProfile& profile, RegistryCache& registries,
                          const DiskMounts& disks);

}  // namespace zendrift::profile
