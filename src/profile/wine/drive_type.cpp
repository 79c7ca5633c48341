// Drive types on POSIX systems, as Wine 8 shows them: a letter with a dosdevices link is a drive;
// its type is the one Wine's drive settings name, else that of the file system holding its folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "profile/wine/disk_mounts.h"
#include "profile/windows_profile.h"
#include "profile/wine_prefix.h"

namespace zendrift::profile {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::string canonical(const std::string& path) {
  const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

bool fileSaysOne(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char c = 0;
  const bool one = ::read(fd, &c, 1) == 1 && c == '1';
  ::close(fd);
  return one;
}

// Whether the block device major:minor (or the disk it is a partition of) is removable.
bool removableDevice(unsigned major, unsigned minor) {
  if (major == 0) return false;
  const std::string device =
      canonical("/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor));
  if (device.empty()) return false;
  if (::access((device + "/removable").c_str(), F_OK) == 0) return fileSaysOne(device + "/removable");
  return fileSaysOne(device + "/../removable");
}

unsigned typeOfFileSystem(const MountEntry& mount) {
  const std::string_view type = mount.fsType;
  if (isNetworkFileSystem(type)) return kDriveRemote;
  if (type == "iso9660" || type == "udf") return kDriveCdrom;
  // tmpfs and ramfs are not told apart from a disk: Wine 8 shows them as fixed drives.
  if (removableDevice(mount.major, mount.minor)) return kDriveRemovable;
  return kDriveFixed;
}

// Wine's Software\Wine\Drives names a drive's type outright ("cdrom" even with no disc in).
std::optional<unsigned> typeFromWineSettings(const wine::Profile& profile, char letter) {
  const RegistryValue* value = profile.system->value("Software\\Wine\\Drives", std::string(1, letter) + ":");
  if (!value) return std::nullopt;
  const auto text = registryText(*value);
  if (!text) return std::nullopt;
  const std::string type = asciiLower(*text);
  if (type == "hd") return kDriveFixed;
  if (type == "network") return kDriveRemote;
  if (type == "floppy") return kDriveRemovable;
  if (type == "cdrom") return kDriveCdrom;
  if (type == "ramdisk") return kDriveRamdisk;
  return std::nullopt;
}

// "\\server\share" with both names present and nothing after the share.
bool wellFormedShare(std::string_view drivePart) {
  std::string_view rest = drivePart.substr(2);
  const std::size_t serverEnd = rest.find_first_of("\\/");
  if (serverEnd == 0 || serverEnd == std::string_view::npos) return false;
  rest.remove_prefix(serverEnd + 1);
  if (!rest.empty() && isSeparator(rest.back())) rest.remove_suffix(1);
  return !rest.empty() && rest.find_first_of("\\/") == std::string_view::npos;
}

}  // namespace

unsigned windowsDriveType(std::string_view drivePart, const ShortcutProfile& profile, RegistryCache& registries) {
  // A share's type asks nothing of the disks, and shares are asked about for every shortcut.
  const bool share = drivePart.size() >= 2 && isSeparator(drivePart[0]) && isSeparator(drivePart[1]);
  return windowsDriveType(drivePart, profile, registries, share ? DiskMounts{} : readDiskMounts());
}

unsigned windowsDriveType(std::string_view drivePart, const ShortcutProfile& profile, RegistryCache& registries,
                          const DiskMounts& disks) {
  if (drivePart.size() >= 2 && isSeparator(drivePart[0]) && isSeparator(drivePart[1])) {
    return wellFormedShare(drivePart) ? kDriveRemote : kDriveNoRootDir;
  }
  const bool letterForm = (drivePart.size() == 2 || (drivePart.size() == 3 && isSeparator(drivePart[2]))) &&
                          drivePart[1] == ':';
  if (!letterForm) return kDriveNoRootDir;
  char letter = drivePart[0];
  if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
  if (letter < 'a' || letter > 'z') return kDriveNoRootDir;

  std::string folder;
  std::optional<unsigned> configured;
  if (profile.kind == ProfileKind::WindowsInstallation) {
    // Only the installation's own drive is known: its type is that of the disk it lies on.
    if (letter != 'c') return kDriveNoRootDir;
    folder = profile.root;
  } else {
    const auto wine = wine::wineProfileOf(profile, registries);
    if (!wine) return kDriveNoRootDir;
    // Wine 8 makes a drive only of a dosdevices link; a type in its settings alone names none.
    folder = wine::driveFolder(wine->prefix, letter, false);
    if (folder.empty()) return kDriveNoRootDir;
    configured = typeFromWineSettings(*wine, letter);
  }
  // A disk that is not mounted now leaves its empty mount point, or none: the drive is there and
  // has nothing in it, as a drive with no disc in has.
  if (const auto absent = absentDiskHolding(folder, disks)) {
    const bool mayBeEmpty = configured == kDriveCdrom || configured == kDriveRemovable || configured == kDriveRemote;
    return mayBeEmpty ? *configured : absentDiskDriveType(*absent);
  }
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    // A drive whose folder is missing is no drive, unless it is one that may have no disc in.
    const bool mayBeEmpty = configured == kDriveCdrom || configured == kDriveRemovable;
    return mayBeEmpty ? *configured : kDriveNoRootDir;
  }
  if (configured) return *configured;
  // The mount is the one whose device the folder lives on; the last one listed hides the others.
  const std::vector<MountEntry>& mounts = disks.mounted;
  const MountEntry* mount = nullptr;
  for (const MountEntry& entry : mounts) {
    if (entry.major == major(status.st_dev) && entry.minor == minor(status.st_dev)) mount = &entry;
  }
  if (!mount) {
    const std::string real = canonical(folder);
    mount = real.empty() ? nullptr : mountHolding(mounts, real);
  }
  if (!mount) return kDriveUnknown;
  return typeOfFileSystem(*mount);
}

}  // namespace zendrift::profile
