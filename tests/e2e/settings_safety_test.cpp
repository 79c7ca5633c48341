// The real binary never loses the user's exclusions to a settings file it may not write or reads
// badly, and an unattended run leaves no file behind.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "../platform/wine_prefix_builder.h"
#include "lnk_builder.h"
#include "program_run.h"
#include "temp_dir.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

// Makes `folder` the current folder, which the program inherits, for the life of the object.
class InFolder {
 public:
  explicit InFolder(const fs::path& folder) : old_(fs::current_path()) { fs::current_path(folder); }
  ~InFolder() { fs::current_path(old_); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  fs::path old_;
};

class SettingsSafety : public ::testing::Test {
 protected:
  SettingsSafety() : prefix(home.path() / ".wine") { prefix.standardLayout("ann"); }

  fs::path iniFile() const { return home.path() / "config/Zendrift/zendrift.ini"; }
  fs::path desktop() const { return prefix.path() / "drive_c/users/ann/Desktop"; }
  fs::path startMenu() const { return prefix.path() / "drive_c/users/ann/AppData/Roaming/Microsoft/Windows/Start Menu"; }
  static void shortcut(const fs::path& path, std::string_view target) { LnkBuilder().localPath(target).writeTo(path); }

  ProgramResult run(std::vector<std::string> arguments, const std::optional<Account>& account = std::nullopt) const {
    return runProgram(zendriftBinary(), arguments,
                      {{"HOME", home.str()}, {"USER", "ann"}, {"WINEPREFIX", prefix.str()},
                       {"XDG_CONFIG_HOME", (home.path() / "config").string()}, {"PATH", "/usr/bin:/bin"}},
                      account);
  }

  TempDir home;
  TempDir work;  // the current folder of every run
  WinePrefixBuilder prefix;
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
  fs::permissions(iniFile(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  InFolder inWork(work.path());

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
  InFolder inWork(work.path());

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
  InFolder inWork(work.path());

  const ProgramResult result = run({"/list"}, account);
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "x\t" + (desktop() / "Gone.lnk").string() + "\tC:\\\\Gone\\\\gone.exe\n");
  EXPECT_FALSE(fs::exists(home.path() / "config")) << "no settings folder made";
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
