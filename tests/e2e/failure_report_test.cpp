// Unattended runs that cannot do everything they were asked: each failure is named on standard
// error and the run fails, while everything else that could be done is done.
#include <gtest/gtest.h>

#include "home_with_prefix.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class FailureReport : public HomeWithPrefix {
 protected:
  static void orphan(const fs::path& path) { shortcut(path, "C:\\Gone\\x.exe"); }
};

TEST_F(FailureReport, ShortcutsThatCannotBeDeletedAndFoldersThatCannotBeReadAreNamed) {
  const std::optional<Account> account = unprivilegedAccount();
  if (!account) GTEST_SKIP() << "no unprivileged account to run as";
  orphan(desktop() / "locked/a.lnk");
  orphan(desktop() / "b.lnk");
  orphan(desktop() / "closed/c.lnk");
  orphan(desktop() / "z/d.lnk");
  giveTo(home.path(), *account);
  giveTo(xdg.path(), *account);
  fs::permissions(desktop() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  fs::permissions(desktop() / "closed", fs::perms::none);

  const ProgramResult silent = run({"/silent", "/desktop"}, account);
  fs::permissions(desktop() / "locked", fs::perms::owner_all);
  EXPECT_EQ(silent.exitCode, 1);
  EXPECT_NE(silent.err.find("Could not read " + (desktop() / "closed").string() + ": "), std::string::npos) << silent.err;
  EXPECT_NE(silent.err.find("Could not delete " + (desktop() / "locked/a.lnk").string() + ": Permission denied\n"),
            std::string::npos)
      << silent.err;
  EXPECT_TRUE(fs::exists(desktop() / "locked/a.lnk"));
  EXPECT_FALSE(fs::exists(desktop() / "b.lnk")) << "the other orphans are deleted all the same";
  EXPECT_FALSE(fs::exists(desktop() / "z")) << "a folder after the unreadable one is walked and emptied";

  const ProgramResult list = run({"/list", "/desktop"}, account);
  fs::permissions(desktop() / "closed", fs::perms::owner_all);
  EXPECT_EQ(list.exitCode, 0) << list.err;
  EXPECT_TRUE(list.err.ends_with("\nReady. 1 orphan(s) found. 1 folder(s) could not be read.\n")) << list.err;
}

TEST_F(FailureReport, AUserFolderThatIsNotThereStopsTheRunBeforeAnythingIsScanned) {
  TempDir saved;
  orphan(saved.path() / "saved.lnk");
  orphan(desktop() / "gone.lnk");
  writeFile(home.path() / "config/Zendrift/zendrift.ini", "[Directories]\nUserDir=" + saved.str() + "\n");
  const TreeSnapshot before = snapshot(home.path());
  const TreeSnapshot savedBefore = snapshot(saved.path());

  const ProgramResult result = run({"/silent", "/desktop", "/userdir", (home.path() / "not-mounted").string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Zendrift: /userdir names no existing folder; nothing was scanned.\n");
  EXPECT_EQ(snapshot(home.path()), before);
  EXPECT_EQ(snapshot(saved.path()), savedBefore) << "the folder saved in the settings is not cleaned instead";
}

}  // namespace
}  // namespace zendrift::testing
