// The real zendrift binary, run unattended over real Wine-style prefixes.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "home_with_prefix.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class UnattendedRun : public HomeWithPrefix {
 protected:
  UnattendedRun() { prefix.folder("Games/Real").file("Games/Real/real.exe"); }

  void settings(std::string_view text) const { writeFile(settingsFile(), text); }
};

TEST_F(UnattendedRun, ListPrintsOrphansInFolderOrderAndDeletesNothing) {
  shortcut(startMenu() / "Programs/Gone/gone.lnk", "C:\\Games\\Gone\\gone.exe");
  shortcut(startMenu() / "Programs/Real.lnk", "C:\\Games\\Real\\real.exe");
  shortcut(startMenu() / "Programs/RealFolder.lnk", "c:\\GAMES\\real\\");
  shortcut(desktop() / "Kept.lnk", "C:\\Games\\Kept.exe");
  shortcut(desktop() / "UPPER.LNK", "C:\\nowhere\\x.exe");
  shortcut(desktop() / "old.pif.lnk", "C:\\nowhere\\dos.pif");
  shortcut(desktop() / "big.lnk", "C:\\nowhere\\DOS.PIF");
  shortcut(desktop() / "relative.lnk", "nowhere\\x.exe");
  shortcut(desktop() / "unmapped.lnk", "Q:\\x.exe");
  writeFile(desktop() / "empty.lnk", "");
  writeFile(desktop() / "text.lnk", "not a shortcut\n");
  const std::string kept = (desktop() / "Kept.lnk").string();
  settings("[Exclude]\nExcludeList=" + kept + ", \n");
  const TreeSnapshot before = snapshot(home.path());

  const ProgramResult result = run({"/list", "/silent", "/delete"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  // Folders come in the scan's order; inside one folder, in the file system's listing order.
  std::vector<std::string> lines = outputLines(result.out);
  ASSERT_EQ(lines.size(), 5u) << result.out;
  EXPECT_EQ(lines[0], "x\t" + (startMenu() / "Programs/Gone/gone.lnk").string() + "\tC:\\\\Games\\\\Gone\\\\gone.exe");
  std::sort(lines.begin() + 1, lines.end());
  EXPECT_EQ(lines[1], "-\t" + kept + "\tC:\\\\Games\\\\Kept.exe");
  EXPECT_EQ(lines[2], "x\t" + (desktop() / "UPPER.LNK").string() + "\tC:\\\\nowhere\\\\x.exe");
  EXPECT_EQ(lines[3], "x\t" + (desktop() / "big.lnk").string() + "\tC:\\\\nowhere\\\\DOS.PIF");
  EXPECT_EQ(lines[4], "x\t" + (desktop() / "unmapped.lnk").string() + "\tQ:\\\\x.exe");
  EXPECT_EQ(result.err, "Ready. 5 orphan(s) found.\n");
  EXPECT_EQ(snapshot(home.path()), before);
}

TEST_F(UnattendedRun, SilentDeletesMarkedOrphansAndTheFoldersTheyEmpty) {
  shortcut(startMenu() / "Programs/Gone/Deeper/a.lnk", "C:\\Gone\\a.exe");
  shortcut(startMenu() / "Programs/Gone/b.lnk", "C:\\Gone\\b.exe");
  shortcut(startMenu() / "Programs/Mixed/c.lnk", "C:\\Gone\\c.exe");
  writeFile(startMenu() / "Programs/Mixed/readme.txt", "stays");
  shortcut(startMenu() / "Programs/Hidden/d.lnk", "C:\\Gone\\d.exe");
  writeFile(startMenu() / "Programs/Hidden/.keep", "");
  shortcut(desktop() / "e.lnk", "C:\\Gone\\e.exe");
  shortcut(desktop() / "Real.lnk", "C:\\Games\\Real\\real.exe");
  shortcut(desktop() / "Excluded.lnk", "C:\\Gone\\x.exe");
  settings("[Exclude]\nExcludeList=" + (desktop() / "Excluded.lnk").string() + ", \n");

  TreeSnapshot expected = snapshot(home.path());
  for (const char* removed : {"Programs/Gone/Deeper/a.lnk", "Programs/Gone/Deeper", "Programs/Gone/b.lnk",
                              "Programs/Gone", "Programs/Mixed/c.lnk", "Programs/Hidden/d.lnk"}) {
    ASSERT_EQ(expected.erase(fs::relative(startMenu() / removed, home.path()).string()), 1u) << removed;
  }
  ASSERT_EQ(expected.erase(fs::relative(desktop() / "e.lnk", home.path()).string()), 1u);

  const ProgramResult result = run({"/silent"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(snapshot(home.path()), expected) << "the Desktop itself is protected and stays, though empty of shortcuts";
}

TEST_F(UnattendedRun, SilentNeverFollowsLinksAndKeepsAndReportsReadOnlyShortcutsAndTheUserFolder) {
  TempDir outside;
  shortcut(outside.path() / "real-orphan.lnk", "C:\\Gone\\a.exe");
  fs::create_directories(desktop() / "Links");
  fs::create_symlink(outside.path() / "real-orphan.lnk", desktop() / "Links/via-link.lnk");
  shortcut(desktop() / "ReadOnly/ro.lnk", "C:\\Gone\\ro.exe");
  fs::permissions(desktop() / "ReadOnly/ro.lnk", fs::perms::owner_read);
  TempDir user;
  shortcut(user.path() / "top.lnk", "C:\\Gone\\top.exe");
  shortcut(user.path() / "sub/inner.lnk", "C:\\Gone\\inner.exe");
  const TreeSnapshot outsideBefore = snapshot(outside.path());

  // The user folder is named with a trailing slash; it must stay protected all the same.
  const ProgramResult result = run({"/silent", "/userdir", user.str() + "/"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Could not delete " + (desktop() / "ReadOnly/ro.lnk").string() + ": Permission denied\n");
  EXPECT_EQ(snapshot(outside.path()), outsideBefore) << "the link's target is untouched";
  EXPECT_FALSE(fs::exists(fs::symlink_status(desktop() / "Links/via-link.lnk")));
  EXPECT_FALSE(fs::exists(desktop() / "Links"));
  EXPECT_TRUE(fs::exists(desktop() / "ReadOnly/ro.lnk")) << "read-only shortcuts are not deleted, as on Windows";
  EXPECT_TRUE(fs::is_directory(user.path()));
  EXPECT_TRUE(fs::is_empty(user.path()));
}

TEST_F(UnattendedRun, PathsWithTabsAndLineBreaksStayOnOneLine) {
  shortcut(desktop() / "tab\there/new\nline.lnk", "C:\\Gone\\back\\slash.exe");
  const ProgramResult result = run({"/list"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  std::string escapedDesktop;
  for (const char c : desktop().string()) escapedDesktop += c;
  EXPECT_EQ(result.out, "x\t" + escapedDesktop + "/tab\\there/new\\nline.lnk\tC:\\\\Gone\\\\back\\\\slash.exe\n");
}

TEST_F(UnattendedRun, APipeNamedLikeAShortcutDoesNotStopTheScan) {
  ASSERT_EQ(::mkfifo((desktop() / "pipe.lnk").c_str(), 0600), 0);
  shortcut(desktop() / "gone.lnk", "C:\\Gone\\x.exe");
  const ProgramResult result = run({"/list"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "x\t" + (desktop() / "gone.lnk").string() + "\tC:\\\\Gone\\\\x.exe\n");
}

TEST_F(UnattendedRun, APrefixNamedButNotThereStopsTheRunEvenWithAUserFolder) {
  fs::remove_all(prefix.path());
  fs::create_directories(prefix.path());  // WINEPREFIX names an ordinary folder
  TempDir mine;
  // Judged with no drives at all, every shortcut in the user's folder would be an orphan.
  shortcut(mine.path() / "works.lnk", "C:\\Games\\Real\\real.exe");
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"/list", "/desktop"}, std::vector<std::string>{"/list", "/desktop", "/userdir", mine.str()}}) {
    const ProgramResult result = run(arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("Zendrift: " + prefix.str(), 0), 0u) << result.err;
    EXPECT_TRUE(result.err.ends_with("; nothing was scanned.\n")) << result.err;
  }
  EXPECT_FALSE(fs::exists(config() / "Zendrift")) << "/list writes nothing, not even a first settings file";
}

}  // namespace
}  // namespace zendrift::testing
