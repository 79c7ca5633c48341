// The orphan test on real shortcuts in a real prefix.
#include <gtest/gtest.h>

#include "scan_fixture.h"
#include "shortcut/orphan_test.h"

namespace zendrift::testing {
namespace {

class OrphanVerdictTest : public PrefixFixture {
 protected:
  OrphanVerdictTest() {
    prefix.folder("Games/Real").file("Games/Real/real.exe").link('d', "../nowhere").link('e', "../nowhere");
    prefix.link('f', "../nowhere").link('g', "../nowhere");
    prefix.systemReg(
        "[Software\\\\Wine\\\\Drives] 1700000000\n"
        "\"d:\"=\"cdrom\"\n\"e:\"=\"network\"\n\"f:\"=\"floppy\"\n\"g:\"=\"ramdisk\"\n");
    options.ExcludeList = "";
  }

  shortcut::OrphanVerdict verdictFor(std::string_view target) {
    return shortcut::TestForOrphan(shortcut(desktop() / "t.lnk", target), options);
  }

  settings::TIniRec options;  // every drive class off
};

TEST_F(OrphanVerdictTest, ExistingTargetsAreNeverOrphans) {
  for (const char* target : {"C:\\Games\\Real\\real.exe", "c:\\games\\REAL\\Real.exe", "C:\\Games\\Real",
                             "C:\\Games\\Real\\", "C:\\", "C:"}) {
    EXPECT_FALSE(verdictFor(target).orphan) << target;
  }
  EXPECT_TRUE(verdictFor("C:\\Games\\Real\\real.exe\\").orphan) << "a file is no folder";
}

TEST_F(OrphanVerdictTest, MissingTargetsOnFixedOrUnknownDrivesAreOrphans) {
  const auto verdict = verdictFor("C:\\Games\\Gone\\gone.exe");
  EXPECT_TRUE(verdict.orphan);
  EXPECT_FALSE(verdict.excluded);
  EXPECT_EQ(verdict.target, "C:\\Games\\Gone\\gone.exe");
  EXPECT_TRUE(verdictFor("Q:\\unmapped.exe").orphan);
  EXPECT_TRUE(verdictFor("C:\\nowhere\\DOS.PIF").orphan);
  EXPECT_FALSE(verdictFor("C:\\nowhere\\dos.pif").orphan);
  EXPECT_FALSE(verdictFor("nowhere\\x.exe").orphan);
  EXPECT_FALSE(verdictFor("\\nowhere\\x.exe").orphan);
}

TEST_F(OrphanVerdictTest, EachSwitchedDriveClassCountsOnlyWhenItsFlagIsOn) {
  struct Case {
    const char* target;
    bool settings::TIniRec::*flag;
  };
  const Case cases[] = {{"D:\\disc.exe", &settings::TIniRec::CDRomDrives},
                        {"E:\\share.exe", &settings::TIniRec::NetworkDrives},
                        {"F:\\floppy.exe", &settings::TIniRec::RemovableDrives},
                        {"G:\\ram.exe", &settings::TIniRec::RamDrives},
                        {"\\\\server\\share\\doc.txt", &settings::TIniRec::NetworkDrives}};
  for (const Case& c : cases) {
    options = settings::TIniRec{};
    EXPECT_FALSE(verdictFor(c.target).orphan) << c.target;
    options.*c.flag = true;
    EXPECT_TRUE(verdictFor(c.target).orphan) << c.target;
  }
}

TEST_F(OrphanVerdictTest, TheExcludeListKeepsTheMarkOffByExactPath) {
  const std::string path = shortcut(desktop() / "Old Game.lnk", "C:\\Gone\\x.exe");
  options.ExcludeList = "/elsewhere/a.lnk, " + path + ", ";
  EXPECT_TRUE(shortcut::TestForOrphan(path, options).excluded);
  std::string upper = path;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  options.ExcludeList = upper + ", ";
  const auto verdict = shortcut::TestForOrphan(path, options);
  EXPECT_TRUE(verdict.orphan);
  EXPECT_FALSE(verdict.excluded);
}

TEST_F(OrphanVerdictTest, BrokenOrVanishedFilesAreNeverOrphans) {
  writeFile(desktop() / "empty.lnk", "");
  writeFile(desktop() / "noise.lnk", std::string(1 << 20, '\x4C'));
  std::string truncated = LnkBuilder().localPath("C:\\Gone\\x.exe").build();
  truncated.resize(truncated.size() / 2);
  writeFile(desktop() / "cut.lnk", truncated);
  for (const char* name : {"empty.lnk", "noise.lnk", "cut.lnk", "vanished.lnk"}) {
    EXPECT_FALSE(shortcut::TestForOrphan((desktop() / name).string(), options).orphan) << name;
  }
  const std::string self = (desktop() / "self.lnk").string();
  shortcut(self, "C:\\users\\ann\\Desktop\\self.lnk");
  EXPECT_FALSE(shortcut::TestForOrphan(self, options).orphan) << "a shortcut to itself points at a file that exists";
  const auto longTarget = verdictFor("C:\\" + std::string(400, 'x') + "\\y.exe");
  EXPECT_TRUE(longTarget.orphan);
  EXPECT_EQ(longTarget.target.size(), 3u + 400 + 6);
}

}  // namespace
}  // namespace zendrift::testing
