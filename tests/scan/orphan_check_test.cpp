// The orphan test on real shortcuts in a real prefix.
#include <gtest/gtest.h>

#include "profile/folder_listings.h"
#include "profile/wine_prefix.h"

#include "scan_fixture.h"
#include "scan/orphan_check.h"

namespace zendrift::testing {
namespace {

class OrphanVerdictTest : public PrefixFixture {
 protected:
  OrphanVerdictTest() {
    // A CD-ROM or floppy drive keeps its type with no disc in; a network or RAM drive needs its folder.
    prefix.folder("Games/Real").file("Games/Real/real.exe").link('d', "../nowhere").link('e', "../drive_c/Games");
    prefix.link('f', "../nowhere").link('g', "../drive_c/Games");
    prefix.folder("stick").link('k', "../drive_c/stick");
    prefix.systemReg(
        "[Software\\\\Wine\\\\Drives] 1700000000\n"
        "\"d:\"=\"cdrom\"\n\"e:\"=\"network\"\n\"f:\"=\"floppy\"\n\"g:\"=\"ramdisk\"\n\"k:\"=\"floppy\"\n");
    options.excludeList = "";
  }

  scan::OrphanVerdict verdictFor(std::string_view target) { return judge(shortcut(desktop() / "t.lnk", target)); }

  // Judged alone, as a first check of a scan of the prefix judges it.
  scan::OrphanVerdict judge(const std::string& path) {
    scan::ProfileCache cache(scanned());
    return scan::checkForOrphan(path, options, cache);
  }
  profile::ShortcutProfile scanned() const { return profile::scannedProfile(prefix.str()); }

  scan::OrphanCriteria options;  // every drive class off
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
  // Drive-relative: it depends on each program's current folder of that drive.
  EXPECT_FALSE(verdictFor("C:Games\\Gone\\gone.exe").orphan);
  EXPECT_FALSE(verdictFor("q:gone.exe").orphan);
}

TEST_F(OrphanVerdictTest, EachSwitchedDriveClassCountsOnlyWhenItsFlagIsOn) {
  struct Case {
    const char* target;
    bool scan::OrphanCriteria::*flag;
  };
  const Case cases[] = {{"D:\\disc.exe", &scan::OrphanCriteria::cdRomDrives},
                        {"E:\\share.exe", &scan::OrphanCriteria::networkDrives},
                        {"F:\\floppy.exe", &scan::OrphanCriteria::removableDrives},
                        {"G:\\ram.exe", &scan::OrphanCriteria::ramDrives},
                        {"\\\\server\\share\\doc.txt", &scan::OrphanCriteria::networkDrives}};
  for (const Case& c : cases) {
    options = scan::OrphanCriteria{};
    EXPECT_FALSE(verdictFor(c.target).orphan) << c.target;
    options.*c.flag = true;
    EXPECT_TRUE(verdictFor(c.target).orphan) << c.target;
  }
}

TEST_F(OrphanVerdictTest, EachOrphanSaysWhy) {
  options.removableDrives = options.networkDrives = options.cdRomDrives = options.ramDrives = true;
  std::filesystem::create_directories(prefix.path() / "dosdevices/unc/server/public");
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Games\\Gone\\gone.exe", "file not found"},
      {"q:\\unmapped.exe", "drive Q: is not present"},
      {"F:\\floppy.exe", "removable drive F: is not present"},
      {"K:\\gone.exe", "file not found on removable drive K:"},
      {"D:\\disc.exe", "CD-ROM drive D: holds no disc"},
      {"E:\\share.exe", "file not found on network drive E:"},
      {"G:\\ram.exe", "file not found on RAM disk G:"},
      {"\\\\server\\share\\doc.txt", "network share \\\\server\\share is not reachable"},
      {"\\\\server\\public\\doc.txt", "file not found on network share \\\\server\\public"},
  };
  for (const auto& [target, reason] : cases) {
    const auto verdict = verdictFor(target);
    EXPECT_TRUE(verdict.orphan) << target;
    EXPECT_EQ(verdict.reason, reason) << target;
  }
  EXPECT_EQ(verdictFor("C:\\Games\\Real\\real.exe").reason, "") << "no orphan, no reason";
}

TEST_F(OrphanVerdictTest, TheExcludeListKeepsTheMarkOffByWholeExactEntries) {
  const std::string path = shortcut(desktop() / "Old Game.lnk", "C:\\Gone\\x.exe");
  std::string upper = path;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  struct Case {
    std::string list;
    bool excluded;
  };
  const Case cases[] = {
      {path + ", ", true},
      {"/elsewhere/a.lnk, " + path + ", /more.lnk, ", true},
      {"/elsewhere/a.lnk, " + path, true},  // the last entry, its separator lost
      {upper + ", ", false},
      {"/old" + path + ", ", false},  // another path that ends in this one
      {path + ".bak, ", false},
      {path.substr(0, path.size() - 4) + ", ", false},
      {"", false},
  };
  for (const Case& c : cases) {
    options.excludeList = c.list;
    const auto verdict = judge(path);
    EXPECT_TRUE(verdict.orphan);
    EXPECT_EQ(verdict.excluded, c.excluded) << c.list;
  }
}

TEST_F(OrphanVerdictTest, EnvironmentTargetsNeedEveryNameKnown) {
  const std::string computer = profile::wine::computerName();
  ASSERT_FALSE(computer.empty());
  prefix.file("zd/" + computer + "/app.exe");
  const auto verdictOf = [&](std::string_view target) {
    const std::string path = (desktop() / "env.lnk").string();
    LnkBuilder().environmentTarget(target, target).writeTo(path);
    return judge(path);
  };
  EXPECT_FALSE(verdictOf("C:\\zd\\%COMPUTERNAME%\\app.exe").orphan) << "Wine supplies the computer name";
  EXPECT_TRUE(verdictOf("C:\\zd\\%COMPUTERNAME%\\gone.exe").orphan);
  EXPECT_EQ(verdictOf("C:\\zd\\%COMPUTERNAME%\\gone.exe").target, "C:\\zd\\" + computer + "\\gone.exe");
  const auto unknown = verdictOf("C:\\zd\\%NO_SUCH_NAME%\\gone.exe");
  EXPECT_FALSE(unknown.orphan) << "a target that cannot be named cannot be missing";
  EXPECT_EQ(unknown.target, "C:\\zd\\%NO_SUCH_NAME%\\gone.exe");
}

TEST_F(OrphanVerdictTest, EachShortcutIsJudgedInTheProfileThatHoldsIt) {
  WinePrefixBuilder other(home.path() / "Games/other");
  other.standardLayout("bob").link('h', "../drive_h").file("Tool/tool.exe");
  std::filesystem::create_directories(other.path() / "drive_h/Data");
  const std::filesystem::path menu = other.path() / "drive_c/users/bob/Desktop";
  scan::ProfileCache memo(scanned());
  EXPECT_EQ(memo.profileOf((menu / "a.lnk").string()),
            (profile::ShortcutProfile{profile::ProfileKind::WinePrefix, other.str()}));
  EXPECT_EQ(memo.profileOf((home.path() / "Games/a.lnk").string()), scanned());
  for (const char* target : {"C:\\Tool\\tool.exe", "H:\\Data"}) {
    EXPECT_FALSE(scan::checkForOrphan(shortcut(menu / "t.lnk", target), options, memo).orphan) << target;
    // The same target, from a shortcut of the scanned prefix, is missing there.
    EXPECT_TRUE(scan::checkForOrphan(shortcut(desktop() / "t.lnk", target), options, memo).orphan) << target;
  }
  EXPECT_TRUE(scan::checkForOrphan(shortcut(menu / "t.lnk", "C:\\Tool\\gone.exe"), options, memo).orphan);
}

TEST_F(OrphanVerdictTest, OneScanListsAFolderOnceForAllTargetsBelowIt) {
  scan::ProfileCache memo(scanned());
  for (int i = 0; i < 50; ++i) {
    const std::string name = "app" + std::to_string(i) + ".exe";
    const std::string gone = shortcut(desktop() / (name + ".lnk"), "C:\\Games\\Gone\\" + name);
    EXPECT_TRUE(scan::checkForOrphan(gone, options, memo).orphan) << name;
    const std::string there = shortcut(desktop() / (name + ".there.lnk"), "c:\\GAMES\\real\\REAL.exe");
    EXPECT_FALSE(scan::checkForOrphan(there, options, memo).orphan) << name;
  }
  EXPECT_EQ(memo.listings().listingsRead(), 3u) << "drive_c, Games and Real";
}

TEST_F(OrphanVerdictTest, BrokenOrVanishedFilesAreNeverOrphans) {
  writeFile(desktop() / "empty.lnk", "");
  writeFile(desktop() / "noise.lnk", std::string(1 << 20, '\x4C'));
  std::string truncated = LnkBuilder().localPath("C:\\Gone\\x.exe").build();
  truncated.resize(truncated.size() / 2);
  writeFile(desktop() / "cut.lnk", truncated);
  for (const char* name : {"empty.lnk", "noise.lnk", "cut.lnk", "vanished.lnk"}) {
    EXPECT_FALSE(judge((desktop() / name).string()).orphan) << name;
  }
  const std::string self = (desktop() / "self.lnk").string();
  shortcut(self, "C:\\users\\ann\\Desktop\\self.lnk");
  EXPECT_FALSE(judge(self).orphan) << "a shortcut to itself points at a file that exists";
  const auto longTarget = verdictFor("C:\\" + std::string(400, 'x') + "\\y.exe");
  EXPECT_TRUE(longTarget.orphan);
  EXPECT_EQ(longTarget.target.size(), 3u + 400 + 6);
}

}  // namespace
}  // namespace zendrift::testing
