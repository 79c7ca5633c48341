// Disks that fstab or a removable-media folder expects but that are not mounted now: what lies
// below them is away, not gone; their drive letters are drives with nothing in them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "profile/wine/disk_mounts.h"
#include "profile/wine_menu_entries.h"
#include "temp_dir.h"
#include "../platform/wine_prefix_builder.h"

namespace zendrift::profile {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WinePrefixBuilder;
using testing::writeFile;

constexpr std::string_view kRootMounted = "22 1 253:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n";

std::string mountLine(const fs::path& point, std::string_view type) {
  return "40 22 8:17 / " + point.string() + " rw - " + std::string(type) + " /dev/sdb1 rw\n";
}

TEST(DiskMounts, FstabNamesTheDisksItMountsAndNothingElse) {
  const auto planned = parseFstab(
      "# /etc/fstab: static file system information.\n"
      "UUID=1234 /               ext4    errors=remount-ro 0 1\n"
      "UUID=5678 /home/ann/Games\\040Disk ext4 defaults,nofail 0 2\n"
      "\t/dev/sr0  /media/cdrom0/  udf,iso9660 user,noauto 0 0\n"
      "UUID=9abc none swap sw 0 0\n"
      "tmpfs /tmp tmpfs defaults 0 0\n"
      "nas:/export /mnt/nas nfs4 _netdev\n"
      "   # indented comment\n"
      "lonely\n");
  ASSERT_EQ(planned.size(), 3u);
  EXPECT_EQ(planned[0].mountPoint, "/home/ann/Games Disk");
  EXPECT_EQ(planned[1].mountPoint, "/media/cdrom0");
  EXPECT_EQ(absentDiskDriveType(planned[0]), kDriveRemovable);
  EXPECT_EQ(absentDiskDriveType(planned[1]), kDriveCdrom);
  EXPECT_EQ(absentDiskDriveType(planned[2]), kDriveRemote);
}

TEST(DiskMounts, APathBelowAnEmptyMountPointWithNothingMountedIsAway) {
  TempDir temp;
  const fs::path work = fs::canonical(temp.path());
  fs::create_directories(work / "disk");
  fs::create_directories(work / "full");
  writeFile(work / "full/kept.txt", "x");
  fs::create_directories(work / "plain");
  fs::create_symlink(work / "disk", work / "link");
  DiskMounts disks{parseFstab("/dev/sdb1 " + (work / "disk").string() + " ext4 nofail 0 2\n/dev/sdc1 " +
                              (work / "full").string() + " ext4 nofail 0 2\n"),
                   parseMountTable(kRootMounted)};

  const auto away = absentDiskHolding((work / "disk/prefix/drive_c").string(), disks);
  ASSERT_TRUE(away);
  EXPECT_EQ(away->mountPoint, (work / "disk").string());
  EXPECT_TRUE(absentDiskHolding((work / "disk").string(), disks));
  // Reached through a link, it is the same folder.
  EXPECT_TRUE(absentDiskHolding((work / "link/prefix").string(), disks));
  // A folder fstab does not name, and one that holds files (fstab does not match this system),
  // are what they seem.
  EXPECT_FALSE(absentDiskHolding((work / "plain/prefix").string(), disks));
  EXPECT_FALSE(absentDiskHolding((work / "full/prefix").string(), disks));
  // Where desktops mount removable media, a missing or empty folder is a disk that is away.
  EXPECT_TRUE(absentDiskHolding("/media/zendrift-no-such-user/NO_SUCH_DISK/prefix", disks));
  EXPECT_TRUE(absentDiskHolding("/run/media/zendrift-no-such-user/NO_SUCH_DISK", disks));
  EXPECT_TRUE(absentDiskHolding("/mnt/zendrift-no-such-disk/games", disks));

  // Once the disk is mounted, what is missing below it is missing.
  disks.mounted = parseMountTable(std::string(kRootMounted) + mountLine(work / "disk", "ext4"));
  EXPECT_FALSE(absentDiskHolding((work / "disk/prefix").string(), disks));
  // And a mount table that could not be read tells nothing.
  disks.mounted.clear();
  EXPECT_FALSE(absentDiskHolding("/mnt/zendrift-no-such-disk/games", disks));
}

class UnmountedDiskDrives : public ::testing::Test {
 protected:
  UnmountedDiskDrives() : work_(fs::canonical(temp_.path())), prefix_(work_ / "prefix") {
    prefix_.standardLayout("ann");
    fs::create_directories(work_ / "disk");
    prefix_.link('d', (work_ / "disk").string()).link('e', (work_ / "disk/games").string());
    prefix_.link('f', (work_ / "disc").string());
    fs::create_directories(work_ / "disc");
    disks_ = {parseFstab("/dev/sdb1 " + (work_ / "disk").string() + " ext4 nofail 0 2\n/dev/sr0 " +
                         (work_ / "disc").string() + " udf,iso9660 noauto 0 0\n"),
              parseMountTable(kRootMounted)};
  }

  TempDir temp_;
  fs::path work_;
  WinePrefixBuilder prefix_;
  DiskMounts disks_;
};

TEST_F(UnmountedDiskDrives, LettersOnADiskThatIsAwayAreDrivesWithNothingIn) {
  const ShortcutProfile profile{ProfileKind::WinePrefix, prefix_.str()};
  RegistryCache registries;
  // The mount point itself (an empty folder) and a folder below it (missing) alike.
  EXPECT_EQ(windowsDriveType("D:", profile, registries, disks_), kDriveRemovable);
  EXPECT_EQ(windowsDriveType("E:", profile, registries, disks_), kDriveRemovable);
  EXPECT_EQ(windowsDriveType("F:", profile, registries, disks_), kDriveCdrom);

  disks_.mounted = parseMountTable(std::string(kRootMounted) + mountLine(work_ / "disk", "ext4"));
  EXPECT_EQ(windowsDriveType("E:", profile, registries, disks_), kDriveNoRootDir);
}

TEST_F(UnmountedDiskDrives, MenuEntriesOfAPrefixOnADiskThatIsAwayAreNotStale) {
  const auto entry = [](const fs::path& prefix, std::string shortcut) {
    wine::MenuEntry made;
    made.path = "/home/ann/.local/share/applications/wine/Programs/Game.desktop";
    made.root = "/home/ann/.local/share/applications/wine";
    made.launch.prefix = prefix.string();
    made.launch.path = std::move(shortcut);
    return made;
  };
  // The prefix's folder is missing, the folder above it (the mount point) is there.
  EXPECT_FALSE(wine::menuEntryOrphaned(entry(work_ / "disk/prefix", "C:\\Game.lnk"), disks_));
  // A shortcut on a drive whose disk is away cannot be judged either.
  EXPECT_FALSE(wine::menuEntryOrphaned(entry(prefix_.path(), "D:\\Game.lnk"), disks_));
  EXPECT_FALSE(wine::menuEntryOrphaned(entry(prefix_.path(), "E:\\Game.lnk"), disks_));
  // With the disk mounted, or for a folder that is no mount point, the prefix is gone.
  EXPECT_EQ(wine::menuEntryState(entry(work_ / "other-prefix", "C:\\Game.lnk"), disks_),
            wine::MenuEntryState::prefixGone);
  EXPECT_EQ(wine::menuEntryState(entry(prefix_.path(), "C:\\Game.lnk"), disks_), wine::MenuEntryState::shortcutGone);
  disks_.mounted = parseMountTable(std::string(kRootMounted) + mountLine(work_ / "disk", "ext4"));
  EXPECT_TRUE(wine::menuEntryOrphaned(entry(work_ / "disk/prefix", "C:\\Game.lnk"), disks_));
}

}  // namespace
}  // namespace zendrift::profile
