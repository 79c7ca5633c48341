// Drive types of a Wine prefix's letters: Wine's drive settings, then the mapped file system.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "profile/windows_profile.h"
#include "temp_dir.h"
#include "../platform/wine_prefix_builder.h"

namespace zendrift::profile {
namespace {

using testing::TempDir;
using testing::WinePrefixBuilder;

bool devShmIsTmpfs() {
  std::ifstream mounts("/proc/mounts");
  std::string device;
  std::string point;
  std::string type;
  std::string rest;
  while (mounts >> device >> point >> type && std::getline(mounts, rest)) {
    if (point == "/dev/shm" && type == "tmpfs") return true;
  }
  return false;
}

class DriveTypeTest : public ::testing::Test {
 protected:
  DriveTypeTest() : prefix_(temp_.path() / "prefix"), scanned_(scannedProfile(prefix_.str())) {
    prefix_.link('c', "../drive_c").link('k', "../nowhere").link('l', "l:");
    prefix_.link('d', "/media/cdrom-not-inserted").link('f', "/media/floppy-not-inserted").link('e', "../drive_c");
    prefix_.link('g', "../drive_c").link('h', "../nowhere").link('i', "../drive_c").link('j', "../drive_c");
    prefix_.systemReg(
        "[Software\\\\Wine\\\\Drives] 1700000000\n"
        "\"d:\"=\"cdrom\"\n"
        "\"E:\"=\"network\"\n"
        "\"f:\"=\"floppy\"\n"
        "\"g:\"=\"ramdisk\"\n"
        "\"h:\"=\"hd\"\n"
        "\"i:\"=\"something else\"\n"
        "\"j:\"=dword:00000005\n"
        "\"r:\"=\"cdrom\"\n"
        "\"s:\"=\"network\"\n");
  }

  TempDir temp_;
  WinePrefixBuilder prefix_;
  const ShortcutProfile scanned_;
  RegistryCache registries_;
};

TEST_F(DriveTypeTest, WineDriveSettingsTypeLinkedLettersOnly) {
  struct Case {
    const char* drive;
    unsigned type;
  };
  // As Wine 8: only a letter with a dosdevices link is a drive (R: and S: are typed but not
  // linked); a CD-ROM or floppy keeps its type with no disc in, a fixed drive (H:) does not;
  // a type Wine does not know leaves the folder's own (C: is a disk, I: and J: link to it).
  const unsigned disk = windowsDriveType("C:", scanned_, registries_);
  const Case cases[] = {
      {"D:", kDriveCdrom},  {"d:", kDriveCdrom}, {"E:", kDriveRemote},     {"F:", kDriveRemovable},
      {"G:", kDriveRamdisk}, {"H:", kDriveNoRootDir}, {"I:", disk},        {"J:", disk},
      {"R:", kDriveNoRootDir}, {"S:", kDriveNoRootDir},
  };
  for (const Case& c : cases) EXPECT_EQ(windowsDriveType(c.drive, scanned_, registries_), c.type) << c.drive;
}

TEST_F(DriveTypeTest, UnmappedAndMalformedDrivesHaveNoRoot) {
  for (const char* drive : {"K:", "L:", "M:", "1:", "@:", "", "C", "CC", "C:x", "C:\\dir", "\\\\server",
                            "\\\\server\\", "\\\\\\share", "\\\\server\\share\\dir", "\\x"}) {
    EXPECT_EQ(windowsDriveType(drive, scanned_, registries_), kDriveNoRootDir) << drive;
  }
}

TEST_F(DriveTypeTest, SharesAreRemote) {
  EXPECT_EQ(windowsDriveType("\\\\server\\share", scanned_, registries_), kDriveRemote);
  EXPECT_EQ(windowsDriveType("\\\\server\\share\\", scanned_, registries_), kDriveRemote);
}

TEST_F(DriveTypeTest, MappedLettersTakeTheirFileSystemsType) {
  const unsigned c = windowsDriveType("C:", scanned_, registries_);
  EXPECT_NE(c, kDriveNoRootDir);
  EXPECT_EQ(windowsDriveType("c:", scanned_, registries_), c);
  EXPECT_EQ(windowsDriveType("C:\\", scanned_, registries_), c);
  if (!devShmIsTmpfs()) GTEST_SKIP() << "/dev/shm is not a tmpfs here";
  prefix_.link('t', "/dev/shm");
  // Wine 8 tells no RAM disk from a disk by its file system.
  EXPECT_EQ(windowsDriveType("T:", scanned_, registries_), kDriveFixed);
}

TEST(DriveTypeWithoutPrefix, EveryLetterHasNoRoot) {
  TempDir temp;
  for (const std::string& prefix : {(temp.path() / "absent").string(), std::string()}) {
    RegistryCache registries;
    EXPECT_EQ(windowsDriveType("C:", scannedProfile(prefix), registries), kDriveNoRootDir);
    EXPECT_EQ(windowsDriveType("\\\\server\\share", scannedProfile(prefix), registries), kDriveRemote);
  }
}

}  // namespace
}  // namespace zendrift::profile
