// The real binary never loses the user's exclusions to a settings file it may not write or reads
// badly, and an unattended run leaves no file behind.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "home_with_prefix.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class SettingsSafety : public HomeWithPrefix {
 protected:
  fs::path iniFile() const { return settingsFile(); }

  TempDir work;  // the current folder of every run
};

TEST_F(SettingsSafety, AReadOnlySettingsFileStillKeepsItsExclusions) {
  const auto account = unprivilegedAccount();
  if (!account) GTEST_SKIP() << "no unprivileged account to run as";
  shortcut(desktop() / "Excluded.lnk", "C:\\Gone\\excluded.exe");
  shortcut(desktop() / "Gone.lnk", "C:\\Gone\\gone.exe");
  const std::string settings = "[Exclude]\nExcludeList=" + (desktop() / "Excluded.lnk").string() + ", \n";
  writeFile(iniFile(), settings);
  giveTo(home.path(), *account);
  giveTo(work.path(), *account);
  giveTo(xdg.path(), *account);
  fs::permissions(iniFile(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  CurrentFolder inWork(work.path());

  const ProgramResult result = run({"/silent"}, account);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(fs::exists(desktop() / "Excluded.lnk")) << "the exclusion was not read";
  EXPECT_FALSE(fs::exists(desktop() / "Gone.lnk"));
  EXPECT_EQ(readFile(iniFile()), settings);
  EXPECT_TRUE(fs::is_empty(work.path())) << "no zendrift.ini in the current folder";
}

TEST_F(SettingsSafety, ASettingsFileThatCannotBeReadStopsTheRunBeforeAnythingIsDeleted) {
  // Defaults in its place would drop the exclusions, and /silent would delete what they keep.
  const auto account = unprivilegedAccount();
  if (!account) GTEST_SKIP() << "no unprivileged account to run as";
  shortcut(desktop() / "Excluded.lnk", "C:\\Gone\\excluded.exe");
  writeFile(iniFile(), "[Exclude]\nExcludeList=" + (desktop() / "Excluded.lnk").string() + ", \n");
  giveTo(home.path(), *account);
  giveTo(work.path(), *account);
  fs::permissions(iniFile(), fs::perms::none);
  CurrentFolder inWork(work.path());

  const ProgramResult result = run({"/silent"}, account);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("settings"), std::string::npos) << result.err;
  EXPECT_TRUE(fs::exists(desktop() / "Excluded.lnk"));
  EXPECT_TRUE(fs::is_empty(work.path()));
}

TEST_F(SettingsSafety, ListWritesNothingAnywhere) {
  // A first run: no settings folder yet. /list must not make one, nor a file anywhere else.
  const auto account = unprivilegedAccount();
  if (!account) GTEST_SKIP() << "no unprivileged account to run as";
  shortcut(desktop() / "Gone.lnk", "C:\\Gone\\gone.exe");
  giveTo(home.path(), *account);
  giveTo(work.path(), *account);
  const TreeSnapshot homeBefore = snapshot(home.path());
  CurrentFolder inWork(work.path());

  const ProgramResult result = run({"/list"}, account);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "x\t" + (desktop() / "Gone.lnk").string() + "\tC:\\\\Gone\\\\gone.exe\n");
  EXPECT_FALSE(fs::exists(config() / "Zendrift")) << "no settings folder made";
  EXPECT_TRUE(fs::is_empty(work.path())) << "no zendrift.ini in the current folder";
  EXPECT_EQ(snapshot(home.path()), homeBefore);
}

TEST_F(SettingsSafety, ASettingsFileWithCrLineEndsIsReadWhole) {
  shortcut(desktop() / "Kept.lnk", "C:\\Gone\\kept.exe");
  shortcut(startMenu() / "Programs/Off.lnk", "C:\\Gone\\off.exe");
  writeFile(iniFile(), "[Directories]\rStartMenu=0\rAllUsersStartMenu=0\r[Exclude]\rExcludeList=" +
                           (desktop() / "Kept.lnk").string() + ", \r");
  const ProgramResult result = run({"/list"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "-\t" + (desktop() / "Kept.lnk").string() + "\tC:\\\\Gone\\\\kept.exe\n")
      << "the Start menu is off and the desktop shortcut excluded";
}

}  // namespace
}  // namespace zendrift::testing
