// The menu entries that Wine's own menu builder made from real shortcuts, found and cleaned by the
// real program: with the shortcuts they were made from, and on their own when their prefix is gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "home_with_prefix.h"
#include "program_run.h"
#include "temp_dir.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

bool wineInstalled() {
  return std::system("command -v wine >/dev/null 2>&1 || command -v wine64 >/dev/null 2>&1") == 0;
}

// Everything the program may touch here, by its place: the prefix, the home, the XDG folders.
TreeSnapshot wholeTree(const fs::path& work) {
  TreeSnapshot tree;
  for (const char* part :
       {"prefix/drive_c/users", "home", "data/applications", "data/desktop-directories", "data/icons", "config/menus"}) {
    for (const auto& [path, kind] : snapshot(work / part)) tree[std::string(part) + "/" + path] = kind;
  }
  return tree;
}

TEST(WineMenuEntries, GoWithTheirShortcutsOrWithTheirPrefixAndNothingElseIsTouched) {
  if (!wineInstalled()) GTEST_SKIP() << "Wine is not installed: its menu builder cannot make the entries";
  TempDir work;
  const ProgramResult made = runProgram("/bin/bash", {ZENDRIFT_WINE_MENUS_SCRIPT, work.str()},
                                        {{"PATH", "/usr/bin:/bin"}, {"USER", "ann"}});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  const std::string user = made.out.substr(0, made.out.find('\n'));
  const fs::path data = work.path() / "data";
  const fs::path home = work.path() / "home";
  const fs::path programs = work.path() / "prefix/drive_c/users" / user / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs";
  const fs::path userDesktop = work.path() / "prefix/drive_c/users" / user / "Desktop";
  const fs::path commonDesktop = work.path() / "prefix/drive_c/users/Public/Desktop";
  const std::string winePrograms = "C:\\\\users\\\\" + user + "\\\\AppData\\\\Roaming\\\\Microsoft\\\\Windows\\\\Start Menu\\\\Programs";

  // Entries that Wine did not make, or not in this form: each would start nothing, none is Wine's.
  const std::string gonePrefix = (work.path() / "old-prefix").string();
  writeFile(data / "applications/wine/Programs/No Prefix.desktop",
            "[Desktop Entry]\nType=Application\nExec=wine C:\\\\\\\\Gone.lnk\n");
  writeFile(data / "applications/wine/Programs/Old Start.desktop",
            "[Desktop Entry]\nType=Application\nExec=env WINEPREFIX=\"" + gonePrefix + "\" wine start /unix /x/Gone.lnk\n");
  writeFile(data / "applications/wine/Programs/With Arguments.desktop",
            "[Desktop Entry]\nType=Application\nExec=env WINEPREFIX=\"" + gonePrefix + "\" wine C:\\\\\\\\Gone.lnk -x\n");
  writeFile(data / "applications/Outside.desktop",
            "[Desktop Entry]\nType=Application\nExec=env WINEPREFIX=\"" + gonePrefix + "\" wine C:\\\\\\\\Gone.lnk\n");
  writeFile(home / "Desktop/By Hand.desktop",
            "[Desktop Entry]\nType=Application\nExec=env WINEPREFIX=\"" + gonePrefix + "\" winecfg\n");
  writeFile(home / "Desktop/Hand Game.desktop", "[Desktop Entry]\nName=Game\nType=Application\nExec=env WINEPREFIX=\"" +
                                                   gonePrefix + "\" wine C:\\\\\\\\game.exe\n");
  // Wine's, but they cannot be judged: the prefix's disk is not there (nor the folder above the
  // prefix), or the shortcut lies on a drive the prefix does not map now.
  writeFile(data / "applications/wine/Programs/Unplugged.desktop",
            "[Desktop Entry]\nType=Application\nExec=env WINEPREFIX=\"" + (work.path() / "disk/prefix").string() +
                "\" wine C:\\\\\\\\Gone.lnk\n");
  writeFile(data / "applications/wine/Programs/Drive Q.desktop",
            "[Desktop Entry]\nType=Application\nExec=env WINEPREFIX=\"" + (work.path() / "prefix").string() +
                "\" wine Q:\\\\\\\\Gone.lnk\n");
  // The exclude list keeps a stale entry as it keeps a shortcut.
  const fs::path oldDesk = home / "Desktop/Old Desk.desktop";
  writeFile(work.path() / "config/Zendrift/zendrift.ini", "[Exclude]\nExcludeList=" + oldDesk.string() + ", \n");

  const std::map<std::string, std::string> environment{
      {"HOME", home.string()}, {"USER", user}, {"WINEPREFIX", (work.path() / "prefix").string()},
      {"XDG_DATA_HOME", data.string()}, {"XDG_CONFIG_HOME", (work.path() / "config").string()},
      {"XDG_STATE_HOME", (work.path() / "state").string()}, {"PATH", "/usr/bin:/bin"}};
  const ProgramResult list = runProgram(zendriftBinary(), {"/list"}, environment);
  ASSERT_EQ(list.exitCode, 0) << list.err;
  const std::vector<std::string> lines = outputLines(list.out);
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()),
            (std::set<std::string>{
                "x\t" + (programs / "My Games/Sub Dir/Space Game.lnk").string() + "\tC:\\\\Program Files\\\\Gone\\\\game.exe",
                "x\t" + (userDesktop / "Desk Thing.lnk").string() + "\tC:\\\\Program Files\\\\Gone\\\\desk.exe",
                "x\t" + (commonDesktop / "Common Thing.lnk").string() + "\tC:\\\\Program Files\\\\Gone\\\\common.exe",
                // Stale entries are lines of their own, after the shortcuts, with what they start.
                "x\t" + (data / "applications/wine/Programs/Old Stuff/Old Game.desktop").string() + "\t" + winePrograms +
                    "\\\\Old Stuff\\\\Old Game.lnk",
                "x\t" + (data / "applications/wine/Programs/Old Stuff/Old Tool.desktop").string() + "\t" + winePrograms +
                    "\\\\Old Stuff\\\\Old Tool.lnk",
                "x\t" + (data / "applications/wine/Programs/Old Stuff/Old Notepad.desktop").string() + "\t" +
                    winePrograms + "\\\\Old Stuff\\\\Old Notepad.lnk",
                "-\t" + oldDesk.string() + "\tC:\\\\Program Files\\\\Old\\\\desk.exe",
            }));
  EXPECT_EQ(lines.size(), 7u);
  EXPECT_EQ(list.err, "Ready. 7 orphan(s) found.\n");

  TreeSnapshot expected = wholeTree(work.path());
  const TreeSnapshot before = expected;
  const ProgramResult silent = runProgram(zendriftBinary(), {"/silent"}, environment);
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_EQ(silent.err, "");

  const std::string users = "prefix/drive_c/users/";
  const std::string programsPart = users + user + "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/";
  for (const std::string& gone : {
           // The shortcuts, and the folder the last one left empty.
           programsPart + "My Games/Sub Dir/Space Game.lnk", programsPart + "My Games/Sub Dir",
           std::string("home/Desktop/Desk Thing.lnk"), users + "Public/Desktop/Common Thing.lnk",
           // What Wine made from them: the entries, the .menu file, the .directory files that no
           // other .menu names, and the folder that the entry left empty.
           std::string("data/applications/wine/Programs/My Games/Sub Dir/Space Game.desktop"),
           std::string("data/applications/wine/Programs/My Games/Sub Dir"),
           std::string("config/menus/applications-merged/wine-Programs-My Games-Sub Dir-Space Game.menu"),
           std::string("data/desktop-directories/wine-Programs-My Games-Sub Dir.directory"),
           std::string("data/desktop-directories/wine-Programs-My Games.directory"),
           std::string("home/Desktop/Desk Thing.desktop"), std::string("home/Desktop/Common Thing.desktop"),
           // The stale entries of the prefix that is gone, and theirs.
           std::string("data/applications/wine/Programs/Old Stuff/Old Game.desktop"),
           std::string("data/applications/wine/Programs/Old Stuff"),
           std::string("config/menus/applications-merged/wine-Programs-Old Stuff-Old Game.menu"),
           std::string("data/applications/wine/Programs/Old Stuff/Old Tool.desktop"),
           std::string("config/menus/applications-merged/wine-Programs-Old Stuff-Old Tool.menu"),
           std::string("data/applications/wine/Programs/Old Stuff/Old Notepad.desktop"),
           std::string("config/menus/applications-merged/wine-Programs-Old Stuff-Old Notepad.menu"),
           std::string("data/desktop-directories/wine-Programs-Old Stuff.directory"),
       }) {
    EXPECT_EQ(expected.erase(gone), 1u) << gone;
  }
  // The icons Wine extracted from regedit for the stale entry alone go with it, each size; notepad's,
  // which the prefix's own Notepad entry names too, stay.
  std::size_t icons = 0;
  for (auto entry = expected.begin(); entry != expected.end();) {
    const bool regedit = entry->first.starts_with("data/icons/") && entry->first.ends_with("_regedit.0.png");
    icons += regedit ? 1 : 0;
    entry = regedit ? expected.erase(entry) : std::next(entry);
  }
  EXPECT_GT(icons, 0u);
  EXPECT_EQ(std::count_if(expected.begin(), expected.end(), [](const auto& entry) {
              return entry.first.ends_with("_notepad.0.png");
            }),
            std::count_if(before.begin(), before.end(), [](const auto& entry) { return entry.first.ends_with("_notepad.0.png"); }));
  EXPECT_EQ(wholeTree(work.path()), expected);

  // Every file went to the trash and into the record: the undo gives back the shortcuts, Wine's
  // files and their folders. Deleted for good, there is nothing to undo.
  const ProgramResult undone = runProgram(zendriftBinary(), {"/undo"}, environment);
  EXPECT_EQ(undone.exitCode, 0) << undone.err;
  EXPECT_EQ(undone.err, "Restored 3 shortcut(s) and " + std::to_string(13 + icons) + " menu file(s).\n");
  EXPECT_EQ(wholeTree(work.path()), before);
  ASSERT_EQ(runProgram(zendriftBinary(), {"/silent", "/permanent"}, environment).exitCode, 0);
  EXPECT_EQ(wholeTree(work.path()), expected);
  const ProgramResult gone = runProgram(zendriftBinary(), {"/undo"}, environment);
  EXPECT_EQ(gone.exitCode, 0);
  EXPECT_EQ(gone.err, "The last cleaning deleted 3 shortcut(s) and " + std::to_string(13 + icons) +
                         " menu file(s) for good: there is nothing to undo.\n");
}

}  // namespace
}  // namespace zendrift::testing
