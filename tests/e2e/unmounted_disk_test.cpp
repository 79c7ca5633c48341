// The real program with a disk that fstab mounts but that is not mounted now: the drive letter
// that leads to its empty mount point is a removable drive with nothing in it, and the menu
// entries of a prefix on it are not stale.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "home_with_prefix.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class UnmountedDisk : public HomeWithPrefix {
 protected:
  UnmountedDisk() : disk(fs::canonical(home.path()) / "disk") {
    // An fstab that mounts `disk` (mount(8) reads $LIBMOUNT_FSTAB in its place); nothing is
    // mounted there, so the folder is the empty mount point the disk leaves.
    fs::create_directories(disk);
    writeFile(fstab(), "UUID=0ff1ce " + disk.string() + " ext4 defaults,nofail 0 2\n");
  }

  fs::path fstab() const { return home.path() / "fstab"; }

  ProgramResult runWithFstab(const std::vector<std::string>& arguments) const {
    return runProgram(zendriftBinary(), arguments,
                      {{"HOME", home.str()}, {"USER", "ann"}, {"WINEPREFIX", prefix.str()},
                       {"XDG_CONFIG_HOME", config().string()}, {"XDG_DATA_HOME", dataHome.string()},
                       {"XDG_STATE_HOME", (xdg.path() / "state").string()}, {"PATH", "/usr/bin:/bin"},
                       {"LIBMOUNT_FSTAB", fstab().string()}});
  }

  // A menu entry as Wine's menu builder writes it, starting a Start menu shortcut of `wineprefix`.
  void menuEntry(std::string_view name, const fs::path& wineprefix) const {
    writeFile(dataHome / "applications/wine/Programs" / (std::string(name) + ".desktop"),
              "[Desktop Entry]\nName=" + std::string(name) + "\nExec=env WINEPREFIX=\"" + wineprefix.string() +
                  "\" wine C:\\\\\\\\users\\\\\\\\ann\\\\\\\\" + std::string(name) +
                  ".lnk\nType=Application\n");
  }

  fs::path disk;
};

TEST_F(UnmountedDisk, ItsDriveIsARemovableDriveWithNothingInAndItsPrefixIsNotGone) {
  prefix.link('d', disk.string()).link('e', (disk / "games").string());
  shortcut(desktop() / "Editor.lnk", "D:\\Editor\\editor.exe");
  shortcut(desktop() / "Game.lnk", "E:\\Game\\game.exe");
  shortcut(desktop() / "Gone.lnk", "C:\\Gone\\gone.exe");
  menuEntry("DiskGame", disk / "prefix");
  menuEntry("OldGame", home.path() / "old-prefix");

  const ProgramResult list = runWithFstab({"/list", "/desktop", "/startmenu"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  const std::vector<std::string> lines = outputLines(list.out);
  const std::string data = dataHome.string();
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()),
            (std::set<std::string>{
                "x\t" + (desktop() / "Gone.lnk").string() + "\tC:\\\\Gone\\\\gone.exe",
                "x\t" + data + "/applications/wine/Programs/OldGame.desktop\tC:\\\\users\\\\ann\\\\OldGame.lnk",
            }))
      << list.out;

  // With removable drives examined, both letters say their disk is not there.
  const ProgramResult json = runWithFstab({"/list", "/json", "/desktop", "/removabledrives"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  for (const char* reason : {"\"reason\": \"removable drive D: is not present\"",
                             "\"reason\": \"removable drive E: is not present\""}) {
    EXPECT_NE(json.out.find(reason), std::string::npos) << reason << "\n" << json.out;
  }
  // Gone.lnk and the stale entry of the other prefix besides (the Start menu is on by default).
  EXPECT_EQ(json.err, "Ready. 4 orphan(s) found.\n") << json.out;

  // Cleaning leaves the disk's shortcuts and its prefix's menu entry alone.
  const ProgramResult silent = runWithFstab({"/silent", "/desktop", "/startmenu"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_TRUE(fs::exists(desktop() / "Editor.lnk"));
  EXPECT_TRUE(fs::exists(desktop() / "Game.lnk"));
  EXPECT_TRUE(fs::exists(dataHome / "applications/wine/Programs/DiskGame.desktop"));
  EXPECT_FALSE(fs::exists(desktop() / "Gone.lnk"));
  EXPECT_FALSE(fs::exists(dataHome / "applications/wine/Programs/OldGame.desktop"));
}

}  // namespace
}  // namespace zendrift::testing
