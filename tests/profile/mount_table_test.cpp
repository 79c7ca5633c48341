// The mount table behind drive types and UNC shares: parsing mountinfo and finding a path's mount.
#include <gtest/gtest.h>

#include "profile/wine/mount_table.h"

namespace zendrift::profile {
namespace {

constexpr std::string_view kMountInfo =
    "22 1 253:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
    "30 22 0:26 / /dev/shm rw,nosuid,nodev shared:4 - tmpfs tmpfs rw\n"
    "41 22 0:40 / /mnt/my\\040share rw,relatime shared:20 master:3 - cifs //nas/Public rw,vers=3.0\n"
    "42 22 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
    "broken line\n"
    "43 22 0:41 / /mnt/other rw\n"
    "44 41 0:42 / /mnt/my\\040share/inner rw - nfs4 server:/export rw\n";

TEST(MountTable, ParsesFieldsAndEscapes) {
  const auto mounts = parseMountTable(kMountInfo);
  ASSERT_EQ(mounts.size(), 5u);
  EXPECT_EQ(mounts[0].mountPoint, "/");
  EXPECT_EQ(mounts[0].major, 253u);
  EXPECT_EQ(mounts[1].fsType, "tmpfs");
  EXPECT_EQ(mounts[1].minor, 26u);
  // Optional fields before the "-" do not shift the file-system type.
  EXPECT_EQ(mounts[2].mountPoint, "/mnt/my share");
  EXPECT_EQ(mounts[2].fsType, "cifs");
  EXPECT_EQ(mounts[2].source, "//nas/Public");
  EXPECT_EQ(mounts[3].fsType, "iso9660");
}

TEST(MountTable, LongestContainingMountHoldsAPath) {
  const auto mounts = parseMountTable(kMountInfo);
  struct Case {
    const char* path;
    const char* mountPoint;
  };
  const Case cases[] = {
      {"/", "/"},
      {"/home/ann", "/"},
      {"/dev/shm", "/dev/shm"},
      {"/dev/shm/x", "/dev/shm"},
      {"/dev/shmem", "/"},
      {"/mnt/my share/doc", "/mnt/my share"},
      {"/mnt/my share/inner/deep", "/mnt/my share/inner"},
      {"/media/cdrom", "/media/cdrom"},
  };
  for (const Case& c : cases) {
    const MountEntry* mount = mountHolding(mounts, c.path);
    ASSERT_NE(mount, nullptr) << c.path;
    EXPECT_EQ(mount->mountPoint, c.mountPoint) << c.path;
  }
  EXPECT_EQ(mountHolding({}, "/x"), nullptr);
}

TEST(MountTable, ReadsThisMachinesTable) {
  const auto mounts = readMountTable();
  ASSERT_FALSE(mounts.empty());
  EXPECT_NE(mountHolding(mounts, "/"), nullptr);
}

}  // namespace
}  // namespace zendrift::profile
