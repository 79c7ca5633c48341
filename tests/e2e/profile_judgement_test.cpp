// The real zendrift binary judging each shortcut in the profile that holds it: a second Wine
// prefix met inside a scanned folder, a Windows installation seen from Linux, and the prefix's
// own Temp folder rather than whatever folder the run started in.
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "home_with_prefix.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

// The program's output lines, in a fixed order.
std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out = outputLines(text);
  std::sort(out.begin(), out.end());
  return out;
}

// The /list line of an orphan that the exclude list does not hold.
std::string marked(const fs::path& path, std::string target) {
  std::string escaped;
  for (const char c : target) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return "x\t" + path.string() + "\t" + escaped;
}

class ProfileJudgement : public HomeWithPrefix {
 protected:
  ProfileJudgement() : other(home.path() / "Games/other") {
    prefix.systemReg("").userReg("[Environment]\n\"NOTES\"=\"C:\\\\nowhere\"\n").file("Games/Real/real.exe");
    // A second prefix whose programs exist only in its own drive_c, and whose environment
    // names another folder.
    other.standardLayout("ann").systemReg("").file("Apps/Tool/tool.exe").file("Notes/notes.txt");
    other.userReg("[Environment]\n\"NOTES\"=\"C:\\\\Notes\"\n");
  }

  fs::path otherPrograms() const {
    return other.path() / "drive_c/users/ann/AppData/Roaming/Microsoft/Windows/Start Menu/Programs";
  }

  // The other prefix's Start menu: two working shortcuts (one through its environment) and one
  // that is broken in that prefix too.
  void fillOtherStartMenu() const {
    shortcut(otherPrograms() / "Tool.lnk", "C:\\Apps\\Tool\\tool.exe");
    LnkBuilder().environmentTarget("%NOTES%\\notes.txt", "%NOTES%\\notes.txt").writeTo(otherPrograms() / "Notes.lnk");
    shortcut(otherPrograms() / "Gone.lnk", "C:\\Apps\\Gone\\gone.exe");
  }

  WinePrefixBuilder other;
};

TEST_F(ProfileJudgement, AnotherPrefixInTheUserFolderKeepsItsWorkingShortcuts) {
  fillOtherStartMenu();
  // Loose shortcuts beside the prefixes belong to none of them: they are judged in every prefix
  // found on the machine (~/Games/other among them, as Lutris keeps its prefixes there).
  shortcut(home.path() / "Games/Real.lnk", "C:\\Games\\Real\\real.exe");
  shortcut(home.path() / "Games/Tool.lnk", "C:\\Apps\\Tool\\tool.exe");
  shortcut(home.path() / "Games/Gone.lnk", "C:\\Apps\\Gone\\gone.exe");

  const ProgramResult listed = run({"/list", "/userdir", (home.path() / "Games").string()});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  const auto found = lines(listed.out);
  for (const char* working : {"/Tool.lnk\t", "/Notes.lnk\t"}) {
    EXPECT_EQ(listed.out.find(otherPrograms().string() + working), std::string::npos) << working;
  }
  EXPECT_EQ(found, std::vector<std::string>{marked(home.path() / "Games/Gone.lnk", "C:\\Apps\\Gone\\gone.exe")})
      << "a loose shortcut that works in one prefix is no orphan";

  const ProgramResult silent = run({"/silent", "/userdir", (home.path() / "Games").string()});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_TRUE(fs::exists(otherPrograms() / "Tool.lnk"));
  EXPECT_TRUE(fs::exists(otherPrograms() / "Notes.lnk")) << "expanded from the other prefix's own environment";
  EXPECT_TRUE(fs::exists(home.path() / "Games/Real.lnk"));
  EXPECT_TRUE(fs::exists(home.path() / "Games/Tool.lnk"));
  EXPECT_FALSE(fs::exists(home.path() / "Games/Gone.lnk"));
}

// Needs the walk to stay out of profile roots (isProfileRoot), which the scan driver wires.
TEST_F(ProfileJudgement, ADesktopLinkedToHomeNeverWalksIntoPrefixes) {
  fillOtherStartMenu();
  fs::remove_all(desktop());
  fs::create_directory_symlink(home.path(), desktop());
  // Outside every well-known folder: only a walk into ~/.wine through the Desktop would find it.
  shortcut(prefix.path() / "drive_c/Games/Old.lnk", "C:\\Games\\Old\\old.exe");
  shortcut(home.path() / "Loose.lnk", "C:\\Games\\Gone\\gone.exe");

  const ProgramResult result = run({"/list", "/desktop"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(lines(result.out), std::vector<std::string>{marked(desktop() / "Loose.lnk", "C:\\Games\\Gone\\gone.exe")})
      << "neither ~/.wine itself nor the other prefix is walked through the Desktop";

  const TreeSnapshot otherBefore = snapshot(other.path());
  const ProgramResult silent = run({"/silent", "/desktop"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_EQ(snapshot(other.path()), otherBefore);
}

TEST_F(ProfileJudgement, AWindowsInstallationIsCheckedOnItsOwnDriveOnly) {
  const fs::path win = home.path() / "mnt/win";
  fs::create_directories(win / "Windows/System32");
  writeFile(win / "Program Files/Microsoft Office/root/Office16/WINWORD.EXE", "MZ");
  const fs::path userDesktop = win / "Users/Ann/Desktop";
  shortcut(userDesktop / "Word.lnk", "C:\\PROGRAM FILES\\Microsoft Office\\root\\Office16\\winword.exe");
  shortcut(userDesktop / "Gone.lnk", "C:\\Program Files\\Gone\\gone.exe");
  shortcut(userDesktop / "Data.lnk", "D:\\Data\\book.xlsx");
  shortcut(userDesktop / "Share.lnk", "\\\\server\\share\\doc.txt");
  // Windows' own short names live in the file system's records, which Linux does not show.
  shortcut(userDesktop / "WordShort.lnk", "C:\\PROGRA~1\\MICROS~1\\root\\Office16\\WINWORD.EXE");
  const fs::path programs = win / "Users/Ann/AppData/Roaming/Microsoft/Windows/Start Menu/Programs";
  shortcut(programs / "gone.lnk", "C:\\Program Files\\Gone\\gone.exe");
  // The scanned prefix has no such program: judged there, Word.lnk would be an orphan.

  const ProgramResult listed = run({"/list", "/networkdrives", "/userdir", win.string()});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  std::vector<std::string> found = lines(listed.out);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{marked(programs / "gone.lnk", "C:\\Program Files\\Gone\\gone.exe"),
                                             marked(userDesktop / "Gone.lnk", "C:\\Program Files\\Gone\\gone.exe")}));

  const ProgramResult silent = run({"/silent", "/networkdrives", "/userdir", win.string()});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_TRUE(fs::exists(userDesktop / "Word.lnk"));
  EXPECT_TRUE(fs::exists(userDesktop / "Data.lnk"));
  EXPECT_TRUE(fs::exists(userDesktop / "WordShort.lnk"));
  EXPECT_FALSE(fs::exists(userDesktop / "Gone.lnk"));
  EXPECT_FALSE(fs::exists(programs / "gone.lnk"));
  EXPECT_TRUE(fs::is_directory(programs)) << "another profile's folders are that profile's to remove";
}

TEST_F(ProfileJudgement, TempIsThePrefixsOwnNeverTheCurrentFolder) {
  const fs::path temp = prefix.path() / "drive_c/users/ann/Temp";
  prefix.userReg("[Environment]\n\"TEMP\"=str(2):\"%USERPROFILE%\\\\Temp\"\n");
  shortcut(temp / "Setup.lnk", "C:\\Games\\Setup\\setup.exe");
  // Where a cron job starts: the home folder, here holding a shortcut of nobody's profile.
  shortcut(home.path() / "Here.lnk", "C:\\Games\\Here\\here.exe");

  const CurrentFolder inHome(home.path());
  const ProgramResult result = run({"/list", "/temppath"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(lines(result.out), std::vector<std::string>{marked(temp / "Setup.lnk", "C:\\Games\\Setup\\setup.exe")});
}

TEST_F(ProfileJudgement, ShortcutsWithoutATargetAreNeverOrphans) {
  // "x:" reads as a drive letter: a reader that fell back to the shortcut's own path would
  // take "x:/empty.lnk" for a missing file on drive X.
  const fs::path folder = home.path() / "x:";
  writeFile(folder / "empty.lnk", "");
  writeFile(folder / "text.lnk", "not a shortcut\n");
  shortcut(folder / "gone.lnk", "C:\\Games\\Gone\\gone.exe");

  const CurrentFolder inHome(home.path());
  const ProgramResult result = run({"/list", "/userdir", "x:"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(lines(result.out), std::vector<std::string>{marked("x:/gone.lnk", "C:\\Games\\Gone\\gone.exe")});
}

TEST_F(ProfileJudgement, AUserFolderTypedAsAWindowsPathIsThatFolderOfThePrefix) {
  const fs::path games = prefix.path() / "drive_c/Games";
  shortcut(games / "Old/gone.lnk", "C:\\Games\\Old\\old.exe");
  shortcut(games / "real.lnk", "C:\\Games\\Real\\real.exe");
  const ProgramResult listed = run({"/list", "/userdir", "C:\\Games"});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_EQ(lines(listed.out), std::vector<std::string>{marked(games / "Old/gone.lnk", "C:\\Games\\Old\\old.exe")});
  // Names as Windows takes them: any letter case.
  const ProgramResult silent = run({"/silent", "/userdir", "c:\\games"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_FALSE(fs::exists(games / "Old/gone.lnk"));
  EXPECT_TRUE(fs::exists(games / "real.lnk"));
}

}  // namespace
}  // namespace zendrift::testing
