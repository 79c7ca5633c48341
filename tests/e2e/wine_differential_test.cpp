// The Linux build against the Windows build run under Wine, on one prefix made by Wine: what a
// Windows program in the prefix sees is the answer, so both builds must give the same verdict
// for every shortcut, and /silent must leave the same tree.
//
// Needs the Windows build (zendrift.exe and zd_shell_link_batch.exe): ZENDRIFT_WINDOWS_BUILD
// names its folder; without it the test is skipped. scripts/test.d/wine-differential.sh runs it
// after the Windows build.
#include <gtest/gtest.h>
#include <locale.h>
#include <pwd.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lnk_builder.h"
#include "profile/wine/wine_short_name.h"
#include "program_run.h"
#include "temp_dir.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

using Differences = std::map<std::string, std::string>;  // shortcut name -> why

// Where the builds differ on purpose when the locale the environment names is not installed.
// Wine then stays in the C locale and reads the names on disk as ASCII, so it finds no folder
// "Café" (its UTF-8 name on disk means nothing to it) and condemns the shortcuts to it. The
// Linux build reads names on disk as the UTF-8 they are, finds the target and keeps them: a
// shortcut whose target is there is never deleted for a broken locale. (Targets stored as ANSI
// text are read as Windows-1252 by both, as the Linux build's own tests and h-ansi-1252 show.)
const Differences kLocaleNotInstalled = {
    {"w-accent.lnk", "Wine in the C locale cannot read the UTF-8 name Caf\xC3\xA9 on disk"},
    {"w-accent-case.lnk", "Wine in the C locale cannot read the UTF-8 name Caf\xC3\xA9 on disk"},
    {"h-ansi-1252.lnk", "Wine in the C locale cannot read the UTF-8 name Caf\xC3\xA9 on disk"},
};

std::string readWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeWhole(const fs::path& path, std::string_view text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string accountName() {
  const passwd* entry = ::getpwuid(::getuid());
  return entry && entry->pw_name ? entry->pw_name : "root";
}

// Sets (or with an empty `line`, removes) value `name` of `key` in a Wine registry file, written
// while no wineserver runs. `key` and `name` as the file spells them.
void setRegistryValue(const fs::path& file, const std::string& key, const std::string& name, const std::string& line) {
  std::string text = readWhole(file);
  const std::string header = "\n[" + key + "]";
  std::size_t at = text.find(header);
  if (at == std::string::npos) {
    text += header + " 1700000000\n";
    at = text.size();
  } else {
    at = text.find('\n', at + 1) + 1;
  }
  const std::size_t end = std::min(text.find("\n[", at), text.size());
  const std::string prefix = "\"" + name + "\"=";
  for (std::size_t line_at = at; line_at < end;) {
    const std::size_t next = text.find('\n', line_at);
    if (text.compare(line_at, prefix.size(), prefix) == 0) {
      text.erase(line_at, (next == std::string::npos ? text.size() : next + 1) - line_at);
      break;
    }
    if (next == std::string::npos) break;
    line_at = next + 1;
  }
  if (!line.empty()) text.insert(at, prefix + line + "\n");
  writeWhole(file, text);
}

// The shortcut names that /list printed, each line "MARK<TAB>PATH<TAB>TARGET".
std::set<std::string> listedNames(const std::string& out) {
  std::set<std::string> names;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t first = line.find('\t');
    const std::size_t second = line.find('\t', first + 1);
    if (first == std::string::npos || second == std::string::npos) continue;
    const std::string path = line.substr(first + 1, second - first - 1);
    names.insert(path.substr(path.find_last_of("/\\") + 1));
  }
  return names;
}

// Relative paths of everything below `root`.
std::set<std::string> treeOf(const fs::path& root) {
  std::set<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root)) entries.insert(fs::relative(entry.path(), root).string());
  return entries;
}

class WineDifferential : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* build = std::getenv("ZENDRIFT_WINDOWS_BUILD");
    if (!build || !*build) GTEST_SKIP() << "ZENDRIFT_WINDOWS_BUILD names no Windows build";
    windowsBinary = fs::path(build) / "src/app/zendrift.exe";
    for (const auto& entry : fs::recursive_directory_iterator(build)) {
      if (entry.path().filename() == "zd_shell_link_batch.exe") linkTool = entry.path();
    }
    ASSERT_TRUE(fs::exists(windowsBinary)) << windowsBinary;
    ASSERT_TRUE(fs::exists(linkTool)) << linkTool;
    user = accountName();
    environment = {{"HOME", (scratch.path() / "home").string()},
                   {"USER", user},
                   {"WINEPREFIX", prefix().string()},
                   {"WINEDEBUG", "-all"},
                   {"WINEDLLOVERRIDES", "mscoree,mshtml="},
                   {"XDG_CONFIG_HOME", (scratch.path() / "config").string()},
                   {"LANG", "C.UTF-8"},
                   {"PATH", "/usr/bin:/bin"}};
    fs::create_directories(scratch.path() / "home");
    const ProgramResult boot = wine({"wineboot", "--init"});
    ASSERT_EQ(boot.exitCode, 0) << boot.err;
    settle();
    ASSERT_TRUE(fs::exists(prefix() / "user.reg"));
  }

  void TearDown() override {
    if (!user.empty()) runProgram("/usr/bin/wineserver", {"-k"}, environment);
    if (!ramFolder.empty()) fs::remove_all(ramFolder);
  }

  fs::path prefix() const { return scratch.path() / "prefix"; }
  fs::path driveC() const { return prefix() / "drive_c"; }

  ProgramResult wine(const std::vector<std::string>& arguments) const {
    return runProgram("/usr/bin/wine", arguments, environment);
  }
  // Waits for the wineserver to end, which writes the registry files.
  void settle() const { runProgram("/usr/bin/wineserver", {"-w"}, environment); }

  // The host path of a Windows path on drive C:.
  fs::path onC(std::string_view windowsPath) const {
    std::string relative(windowsPath.substr(3));
    for (char& c : relative) c = c == '\\' ? '/' : c;
    return driveC() / relative;
  }

  void makeTargets() {
    for (const char* file : {"zd/app.exe", "zd/app/app.exe", "zd/Docs/readme.txt", "zd/Caf\xC3\xA9/menu.txt",
                             "zd/kelvin.txt", "zd/istanbul.txt", "zd/Long Folder Name/tool.exe",
                             "zd/favs-stale/.keep"}) {
      writeWhole(driveC() / file, "x");
    }
    writeWhole(scratch.path() / "cd/cd.txt", "x");
    writeWhole(scratch.path() / "net/net.txt", "x");
    writeWhole(scratch.path() / "share/doc.txt", "x");
    writeWhole(driveC() / "users" / user / "marker-mine.txt", "x");
    writeWhole(driveC() / "users/someoneelse/marker-other.txt", "x");
    const fs::path devices = prefix() / "dosdevices";
    fs::create_directory_symlink(scratch.path() / "cd", devices / "d:");
    fs::create_directory_symlink(scratch.path() / "net", devices / "n:");
    fs::create_directory_symlink(scratch.path() / "no-floppy", devices / "f:");
    fs::create_directories(devices / "unc/server");
    fs::create_directory_symlink(scratch.path() / "share", devices / "unc/server/share");
    if (fs::is_directory("/dev/shm")) {
      ramFolder = fs::path("/dev/shm") / ("zd-differential-" + std::to_string(::getpid()));
      writeWhole(ramFolder / "tmp.txt", "x");
      fs::create_directory_symlink(ramFolder, devices / "t:");
    }
    const fs::path system = prefix() / "system.reg";
    setRegistryValue(system, "Software\\\\Wine\\\\Drives", "d:", "\"cdrom\"");
    setRegistryValue(system, "Software\\\\Wine\\\\Drives", "n:", "\"network\"");
    setRegistryValue(system, "Software\\\\Wine\\\\Drives", "f:", "\"floppy\"");
    const fs::path userReg = prefix() / "user.reg";
    setRegistryValue(userReg, "Software\\\\Wine", "ShowDotFiles", "\"Y\"");
  }

  // The shortcuts of one tree, at C:\zd-links\<tree>: hand-made ones written here, Wine's own
  // added to `jobs` for the shell-link tool.
  void makeLinks(const std::string& tree, std::string& jobs) const {
    const std::string windowsRoot = "C:\\zd-links\\" + tree;
    const fs::path root = onC(windowsRoot);
    const auto byWine = [&](std::string_view name, std::string_view target) {
      jobs += windowsRoot + "\\" + std::string(name) + ".lnk\t" + std::string(target) + "\n";
    };
    const auto byHand = [&](std::string_view name, std::string_view target) {
      LnkBuilder().localPath(target).writeTo(root / (std::string(name) + ".lnk"));
    };
    const auto byHandEnv = [&](std::string_view name, std::string_view target) {
      LnkBuilder().environmentTarget(target, target).writeTo(root / (std::string(name) + ".lnk"));
    };
    // Ordinary targets.
    byWine("w-file", "C:\\zd\\app.exe");
    byWine("w-file-gone", "C:\\zd\\gone.exe");
    byWine("w-folder", "C:\\zd\\Docs");
    byWine("w-folder-gone", "C:\\zd\\GoneDir\\");
    byWine("w-case", "c:\\ZD\\APP.EXE");
    byHand("h-case-deep", "C:\\ZD\\docs\\README.TXT");
    byHand("h-pif", "C:\\zd\\missing.pif");
    byHand("h-pif-upper", "C:\\zd\\DOS.PIF");
    byWine("w-accent", "C:\\zd\\Caf\xC3\xA9\\menu.txt");
    byWine("w-accent-case", "C:\\ZD\\CAF\xC3\x89\\MENU.TXT");
    byWine("w-unc", "\\\\server\\share\\doc.txt");
    byWine("w-unc-gone", "\\\\server\\share\\gone.txt");
    byWine("w-unc-noserver", "\\\\nosuch\\share\\x.txt");
    // Drive letters of each type.
    byWine("w-cd", "D:\\cd.txt");
    byWine("w-cd-gone", "D:\\gone.txt");
    byWine("w-net", "N:\\net.txt");
    byWine("w-net-gone", "N:\\gone.txt");
    byWine("w-floppy-gone", "F:\\gone.txt");
    byHand("h-typed-unlinked", "R:\\gone.txt");
    byHand("h-unmapped", "Q:\\gone.txt");
    if (!ramFolder.empty()) {
      byHand("h-tmpfs", "T:\\tmp.txt");
      byHand("h-tmpfs-gone", "T:\\gone.txt");
    }
    // Reserved device names, trailing dots, letter case beyond ASCII.
    for (const char* device : {"nul", "con.exe", "COM1", "lpt1.exe"}) byHand(std::string("h-device-") + device, std::string("C:\\zd\\") + device);
    byHand("h-dot-folder", "C:\\zd\\app.\\app.exe");
    byHand("h-dots-folder", "C:\\zd\\app..\\app.exe");
    // Wine's shell link keeps an ANSI path too, with "K" for the Kelvin sign: the hand-made ones
    // store Unicode alone.
    byWine("w-kelvin", "C:\\zd\\\xE2\x84\xAA" "elvin.txt");
    byWine("w-dotted-i", "C:\\zd\\\xC4\xB0stanbul.txt");
    LnkBuilder().localPath("C:\\zd\\\xE2\x84\xAA" "elvin.txt", {}, true).writeTo(root / "h-kelvin.lnk");
    LnkBuilder().localPath("C:\\zd\\\xC4\xB0stanbul.txt", {}, true).writeTo(root / "h-dotted-i.lnk");
    byWine("w-upper-i", "C:\\zd\\ISTANBUL.TXT");
    // Short names, the environment, drive-relative targets, an ANSI name in Windows-1252.
    const std::string shortFolder = profile::wineShortName("Long Folder Name");
    byWine("w-short", "C:\\zd\\" + shortFolder + "\\tool.exe");
    byHand("h-short-gone", "C:\\zd\\" + shortFolder + "\\gone.exe");
    byHandEnv("h-env-mine", "%USERPROFILE%\\marker-mine.txt");
    byHandEnv("h-env-other", "%USERPROFILE%\\marker-other.txt");
    byHandEnv("h-env-unknown", "%ZD_NOT_SET%\\x.exe");
    byHandEnv("h-env-windir", "%windir%\\notepad.exe");
    byHandEnv("h-env-gone", "%ProgramFiles%\\gone.exe");
    byHand("h-drive-relative", "C:zd\\app.exe");
    byHand("h-drive-relative-gone", "C:zd\\gone.exe");
    byHand("h-ansi-1252", "C:\\zd\\Caf\xE9\\menu.txt");
    // Where the walk goes: a dot folder marked system (shown, as ShowDotFiles is on), a hidden
    // system folder (never walked), a plain dot folder.
    for (const char* folder : {".dotsys", "hidsys", ".plain"}) {
      LnkBuilder().localPath("C:\\zd\\gone.exe").writeTo(root / folder / (std::string("in") + folder + ".lnk"));
    }
    ASSERT_EQ(::setxattr((root / ".dotsys").c_str(), "user.DOSATTRIB", "0x4", 3, 0), 0) << "no extended attributes";
    ASSERT_EQ(::setxattr((root / "hidsys").c_str(), "user.DOSATTRIB", "0x6", 3, 0), 0);
  }

  // Both builds' settings: only the chosen folders and drive classes.
  void writeSettings() const {
    const std::string onlyChosen =
        "[Directories]\r\nStartMenu=0\r\nAllUsersStartMenu=0\r\nDesktop=0\r\nAllUsersDeskTop=0\r\nFavorites=0\r\n"
        "History=0\r\nProgramFiles=0\r\nTempPath=0\r\nApplicationData=0\r\nRecent=0\r\n"
        "[Include]\r\nRemovableDrives=0\r\nNetworkDrives=0\r\nRamDrives=0\r\nCDRomDrives=0\r\n";
    writeWhole(scratch.path() / "config/Zendrift/zendrift.ini", onlyChosen);
    writeWhole(driveC() / "users" / user / "AppData/Roaming/Zendrift/zendrift.ini", onlyChosen);
    // The stale Favorites folder has an orphan of its own; neither build may look there.
    LnkBuilder().localPath("C:\\zd\\gone.exe").writeTo(driveC() / "zd/favs-stale/stale-favorite.lnk");
  }

  // What Wine itself mends whenever it runs, put back before each run of the Linux build: a type
  // for a letter with no link (dropped), Favorites set in Shell Folders alone (the default put
  // back in User Shell Folders), a session left by another user (volatile, never kept).
  void restoreStaleRegistry() const {
    setRegistryValue(prefix() / "system.reg", "Software\\\\Wine\\\\Drives", "r:", "\"cdrom\"");
    const fs::path userReg = prefix() / "user.reg";
    const std::string explorer = "Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\";
    setRegistryValue(userReg, explorer + "User Shell Folders", "Favorites", "");
    setRegistryValue(userReg, explorer + "Shell Folders", "Favorites", "\"C:\\\\zd\\\\favs-stale\"");
    setRegistryValue(userReg, "Volatile Environment", "USERNAME", "\"someoneelse\"");
    setRegistryValue(userReg, "Volatile Environment", "USERPROFILE", "\"C:\\\\users\\\\someoneelse\"");
  }

  ProgramResult runLinux(std::vector<std::string> arguments, const std::string& tree) const {
    restoreStaleRegistry();
    arguments.insert(arguments.end(), {"/favorites", "/userdir", (driveC() / "zd-links" / tree).string()});
    return runProgram(zendriftBinary(), arguments, environment);
  }
  ProgramResult runWindows(std::vector<std::string> arguments, const std::string& tree) const {
    restoreStaleRegistry();
    arguments.insert(arguments.begin(), windowsBinary.string());
    arguments.insert(arguments.end(), {"/favorites", "/userdir", "C:\\zd-links\\" + tree});
    ProgramResult result = wine(arguments);
    settle();
    return result;
  }

  // Names on which the two lists disagree, beside those that differ on purpose.
  static void expectSameVerdicts(const std::string& linuxOut, const std::string& windowsOut, const std::string& what,
                                 const Differences& intended = {}) {
    const std::set<std::string> onLinux = listedNames(linuxOut);
    const std::set<std::string> underWine = listedNames(windowsOut);
    for (const std::string& name : onLinux) {
      if (!underWine.contains(name) && !intended.contains(name)) {
        ADD_FAILURE() << what << ": only the Linux build calls " << name << " an orphan";
      }
    }
    for (const std::string& name : underWine) {
      if (!onLinux.contains(name) && !intended.contains(name)) {
        ADD_FAILURE() << what << ": only the Windows build under Wine calls " << name << " an orphan";
      }
    }
    for (const auto& [name, reason] : intended) {
      EXPECT_NE(onLinux.contains(name), underWine.contains(name))
          << what << ": " << name << " no longer differs (" << reason << ")";
    }
  }

  TempDir scratch;
  fs::path windowsBinary;
  fs::path linkTool;
  fs::path ramFolder;
  std::string user;
  std::map<std::string, std::string> environment;
};

TEST_F(WineDifferential, BothBuildsJudgeEveryShortcutAlike) {
  makeTargets();
  std::string jobs;
  for (const char* tree : {"a", "b"}) makeLinks(tree, jobs);
  writeWhole(scratch.path() / "jobs.txt", jobs);
  writeSettings();
  const ProgramResult saved = wine({linkTool.string(), "Z:" + (scratch.path() / "jobs.txt").string()});
  settle();
  ASSERT_EQ(saved.exitCode, 0) << saved.err;

  for (const std::vector<std::string>& switches :
       {std::vector<std::string>{"/list"},
        std::vector<std::string>{"/list", "/removabledrives", "/networkdrives", "/cdromdrives", "/ramdrives"}}) {
    const ProgramResult onLinux = runLinux(switches, "a");
    const ProgramResult underWine = runWindows(switches, "a");
    ASSERT_EQ(onLinux.exitCode, 0) << onLinux.err;
    ASSERT_EQ(underWine.exitCode, 0) << underWine.err;
    std::string what;
    for (const std::string& word : switches) what += word + " ";
    expectSameVerdicts(onLinux.out, underWine.out, what);
    // And what the cases are there for.
    const std::set<std::string> found = listedNames(onLinux.out);
    for (const char* orphan : {"w-file-gone.lnk", "h-typed-unlinked.lnk", "h-env-other.lnk", "h-dots-folder.lnk",
                               "in.dotsys.lnk", "in.plain.lnk", "h-kelvin.lnk", "h-dotted-i.lnk"}) {
      EXPECT_TRUE(found.contains(orphan)) << what << orphan;
    }
    for (const char* kept : {"w-file.lnk", "h-device-nul.lnk", "h-device-COM1.lnk", "h-dot-folder.lnk", "h-env-mine.lnk",
                             "h-drive-relative-gone.lnk", "h-ansi-1252.lnk", "inhidsys.lnk", "stale-favorite.lnk",
                             "w-upper-i.lnk", "w-short.lnk"}) {
      EXPECT_FALSE(found.contains(kept)) << what << kept;
    }
  }

  // A locale that is not installed (Kazakh would mean Windows-1251): Wine falls back to the C
  // locale and Windows-1252.
  {
    environment["LANG"] = "kk_KZ.UTF-8";
    const locale_t kazakh = ::newlocale(LC_ALL_MASK, "kk_KZ.UTF-8", static_cast<locale_t>(nullptr));
    if (kazakh) ::freelocale(kazakh);
    const ProgramResult onLinux = runLinux({"/list"}, "a");
    const ProgramResult underWine = runWindows({"/list"}, "a");
    ASSERT_EQ(onLinux.exitCode, 0) << onLinux.err;
    ASSERT_EQ(underWine.exitCode, 0) << underWine.err;
    expectSameVerdicts(onLinux.out, underWine.out, "/list, locale not installed", kazakh ? Differences{} : kLocaleNotInstalled);
    EXPECT_FALSE(listedNames(onLinux.out).contains("h-ansi-1252.lnk")) << "read as Windows-1252, not 1251";
    environment["LANG"] = "C.UTF-8";
  }

  // /silent on two copies leaves the same trees.
  const ProgramResult onLinux = runLinux({"/silent"}, "a");
  const ProgramResult underWine = runWindows({"/silent"}, "b");
  EXPECT_EQ(onLinux.exitCode, 0) << onLinux.err;
  EXPECT_EQ(underWine.exitCode, 0) << underWine.err;
  EXPECT_EQ(treeOf(driveC() / "zd-links/a"), treeOf(driveC() / "zd-links/b"));
}

}  // namespace
}  // namespace zendrift::testing
