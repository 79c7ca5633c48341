// Windows paths over a real Wine prefix: drive links, case-blind resolution, and paths that must
// not reach outside the drive.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "profile/folder_listings.h"
#include "profile/wine/wine_short_name.h"
#include "profile/prefix_discovery.h"
#include "profile/windows_profile.h"
#include "profile/wine_registry.h"
#include "run_as.h"
#include "temp_dir.h"
#include "../platform/wine_prefix_builder.h"

namespace zendrift::profile {
namespace {

using testing::TempDir;
using testing::WinePrefixBuilder;

class WindowsPathTest : public ::testing::Test {
 protected:
  WindowsPathTest() : prefix_(temp_.path() / "prefix"), scanned_(scannedProfile(prefix_.str())) {
    prefix_.link('c', "../drive_c")
        .link('z', "/")
        .link('d', "../missing")
        .link('e', "e:")
        .file("Program Files/Game/game.exe")
        .file("Program Files/Game/ReadMe.TXT")
        .folder("windows/system32")
        .file("a:b");
    testing::writeFile(prefix_.path() / "secret.txt", "outside the drive");
  }

  TempDir temp_;
  WinePrefixBuilder prefix_;
  const ShortcutProfile scanned_;
};

TEST_F(WindowsPathTest, AnswersLikeWindows) {
  struct Case {
    const char* path;
    bool file;
    bool folder;
  };
  const Case cases[] = {
      {R"(C:\Program Files\Game\game.exe)", true, false},
      {R"(c:\PROGRAM FILES\game\GAME.EXE)", true, false},
      {R"(C:\Program Files\Game\readme.txt)", true, false},
      {R"(C:\Program Files\Game)", false, true},
      {R"(C:\program files\GAME\)", false, true},
      {R"(C:\Program Files\Game\game.exe\)", false, false},
      {R"(C:\Program Files\Game\missing.exe)", false, false},
      {R"(C:\Missing\game.exe)", false, false},
      {R"(C:\)", false, true},
      {R"(C:)", false, true},
      {R"(C:\\Program Files\\\Game\\game.exe)", true, false},
      {R"(C:/Program Files/Game/game.exe)", true, false},
      {R"(C:\Program Files\.\Game\game.exe)", true, false},
      {R"(C:\windows\..\Program Files\Game\game.exe)", true, false},
      // Windows drops trailing dots and spaces from the last name.
      {"C:\\Program Files\\Game\\game.exe ", true, false},
      {"C:\\Program Files\\Game\\game.exe.", true, false},
      // ".." never climbs above the drive's folder.
      {R"(C:\..\secret.txt)", false, false},
      {R"(C:\windows\..\..\..\secret.txt)", false, false},
      {R"(C:\..\..\Program Files\Game\game.exe)", true, false},
      {R"(C:\..)", false, true},
      // Names Windows cannot hold: a stream colon, wildcards, control characters.
      {R"(C:\a:b)", false, false},
      {R"(C:\Program Files\Game\*.exe)", false, false},
      {R"(C:\Program Files\Game\game?exe)", false, false},
      {"C:\\Program Files\\Game\\game\x01.exe", false, false},
      // No drive, or a drive that leads nowhere.
      {R"(Program Files\Game\game.exe)", false, false},
      {R"(\Program Files\Game\game.exe)", false, false},
      {R"(C:Program Files\Game\game.exe)", false, false},
      {R"(Q:\Program Files\Game\game.exe)", false, false},
      {R"(1:\x)", false, false},
      {R"(D:\)", false, false},
      {R"(E:\)", false, false},
      {"", false, false},
      // UNC paths exist only where the share is mounted.
      {R"(\\server\share\doc.txt)", false, false},
      {R"(\\server\share)", false, false},
      {R"(\\server)", false, false},
      {R"(\\)", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(windowsFileExists(c.path, scanned_), c.file) << c.path;
    EXPECT_EQ(windowsFolderExists(c.path, scanned_), c.folder) << c.path;
  }
}

TEST_F(WindowsPathTest, HostPathKeepsTheSpellingOnDisk) {
  EXPECT_EQ(windowsFolderHostPath(R"(c:\program files\GAME)", scanned_), prefix_.driveC() + "/Program Files/Game");
  EXPECT_EQ(windowsFolderHostPath(R"(C:\Program Files\Game\)", scanned_), prefix_.driveC() + "/Program Files/Game");
  EXPECT_EQ(windowsFolderHostPath(R"(C:\)", scanned_), prefix_.driveC());
  EXPECT_EQ(windowsFolderHostPath(R"(Z:\)", scanned_), "/");
  EXPECT_EQ(windowsFolderHostPath(R"(z:\PROC\self)", scanned_), "/proc/self");
  EXPECT_EQ(windowsFolderHostPath(R"(C:\Program Files\Game\game.exe)", scanned_), "");
  EXPECT_EQ(windowsFolderHostPath(R"(C:\..\)", scanned_), prefix_.driveC());
}

TEST_F(WindowsPathTest, ExactNameWinsOverOtherSpellings) {
  // Linux can hold names that differ only in case; the exact one is taken, as Wine does.
  prefix_.folder("Tools/case").file("Tools/CASE", "file");
  EXPECT_TRUE(windowsFolderExists(R"(C:\Tools\case)", scanned_));
  EXPECT_FALSE(windowsFileExists(R"(C:\Tools\case)", scanned_));
  EXPECT_TRUE(windowsFileExists(R"(C:\Tools\CASE)", scanned_));
  EXPECT_FALSE(windowsFolderExists(R"(C:\Tools\CASE)", scanned_));
  // A spelling that matches neither exactly finds whichever entry is of the wanted kind.
  EXPECT_TRUE(windowsFileExists(R"(C:\tools\Case)", scanned_));
  EXPECT_TRUE(windowsFolderExists(R"(C:\tools\Case)", scanned_));
}

TEST_F(WindowsPathTest, ShortNamesFindTheLongNamesWineMadeThemFrom) {
  prefix_.file("Program Files/ZdSuite/tool.exe");
  const std::string shortFolder = wineShortName("Program Files");
  ASSERT_NE(shortFolder.find('~'), std::string::npos);
  EXPECT_TRUE(windowsFileExists("C:\\" + shortFolder + "\\ZdSuite\\tool.exe", scanned_));
  EXPECT_TRUE(windowsFolderExists("c:\\" + asciiLower(shortFolder), scanned_));
  EXPECT_FALSE(windowsFileExists("C:\\" + shortFolder + "\\ZdSuite\\gone.exe", scanned_));
  EXPECT_FALSE(windowsFolderExists("C:\\PROGRA~9", scanned_));
}

TEST_F(WindowsPathTest, FollowsDriveLinksAndNestedLinks) {
  TempDir elsewhere;
  testing::writeFile(elsewhere.path() / "Data" / "Report.doc", "r");
  prefix_.link('x', elsewhere.str());
  EXPECT_TRUE(windowsFileExists(R"(X:\data\report.DOC)", scanned_));
  EXPECT_TRUE(windowsFolderExists(R"(x:\DATA)", scanned_));
  std::filesystem::create_directory_symlink(elsewhere.path() / "Data", prefix_.path() / "drive_c" / "Linked");
  EXPECT_TRUE(windowsFileExists(R"(C:\linked\Report.doc)", scanned_));
}

TEST_F(WindowsPathTest, LetterCaseIsIgnoredBeyondAscii) {
  prefix_.file("Caf\xC3\xA9/\xC3\x9Cn\xC3\xAF.txt");
  EXPECT_TRUE(windowsFileExists("C:\\CAF\xC3\x89\\\xC3\xBCN\xC3\x8F.TXT", scanned_));
  EXPECT_FALSE(windowsFileExists("C:\\CAFE\\\xC3\xBCN\xC3\x8F.TXT", scanned_));
  // A byte that is not UTF-8 matches only itself.
  prefix_.file("raw\xFF.bin");
  EXPECT_TRUE(windowsFileExists("C:\\RAW\xFF.bin", scanned_));
  EXPECT_FALSE(windowsFileExists("C:\\RAW\xFE.bin", scanned_));
  // Only the mappings of Wine's own case table: the Kelvin sign (U+212A) and the dotted capital
  // I (U+0130) fold to "k" and "i" in Unicode's lower case, not in Wine's upper case; nor does
  // the dotless i (U+0131) meet "I", or a final sigma its capital.
  prefix_.file("kelvin.txt").file("istanbul.txt").file("\xCE\xA3.txt").file("\xC3\xBF.txt");
  EXPECT_FALSE(windowsFileExists("C:\\\xE2\x84\xAA" "elvin.txt", scanned_));
  EXPECT_FALSE(windowsFileExists("C:\\\xC4\xB0stanbul.txt", scanned_));
  EXPECT_FALSE(windowsFileExists("C:\\\xC4\xB1STANBUL.txt", scanned_));
  EXPECT_FALSE(windowsFileExists("C:\\\xCF\x82.txt", scanned_));
  EXPECT_TRUE(windowsFileExists("C:\\\xCF\x83.TXT", scanned_)) << "small sigma meets its capital";
  EXPECT_TRUE(windowsFileExists("C:\\\xC5\xB8.txt", scanned_)) << "y with diaeresis meets its capital in another block";
}

TEST_F(WindowsPathTest, NamesAsWine8NormalisesThem) {
  prefix_.file("zd/app/app.exe").file("zd/app/run.exe");
  struct Case {
    const char* path;
    bool file;
  };
  const Case cases[] = {
      // DOS devices exist in every folder, with any extension, in any case; not in a share.
      {R"(C:\zd\nul)", true}, {R"(C:\zd\con.exe)", true}, {R"(C:\zd\COM1)", true}, {R"(C:\zd\lpt1.exe)", true},
      {R"(C:\no such\Aux.txt)", true}, {"C:\\zd\\prn  ", true}, {R"(Q:\nul)", true},
      {R"(C:\zd\com0)", false}, {R"(C:\zd\lpt10)", false}, {R"(C:\zd\nul\)", false}, {R"(C:\zd\nulx)", false},
      {R"(\\server\share\nul)", false},
      // A folder's name loses one trailing dot, no more, and no space; the last name loses all.
      {R"(C:\zd\app.\app.exe)", true}, {R"(C:\zd.\app.\run.exe..)", true}, {R"(C:\zd\app..\app.exe)", false},
      {"C:\\zd\\app \\app.exe", false}, {"C:\\zd\\app\\app.exe . ", true},
  };
  for (const Case& c : cases) EXPECT_EQ(windowsFileExists(c.path, scanned_), c.file) << c.path;
  EXPECT_TRUE(windowsFolderExists(R"(C:\zd\app.\)", scanned_));
}

TEST_F(WindowsPathTest, SharesThroughWinesUncFolder) {
  TempDir share;
  testing::writeFile(share.path() / "Reports" / "Q1.doc", "q");
  std::filesystem::create_directories(prefix_.path() / "dosdevices" / "unc" / "NAS");
  std::filesystem::create_directory_symlink(share.path(), prefix_.path() / "dosdevices" / "unc" / "NAS" / "Public");
  testing::writeFile(prefix_.path() / "dosdevices" / "unc" / "NAS" / "secret.txt", "beside the share");
  EXPECT_TRUE(windowsFileExists(R"(\\nas\public\reports\q1.DOC)", scanned_));
  EXPECT_TRUE(windowsFolderExists(R"(\\NAS\Public)", scanned_));
  EXPECT_TRUE(windowsFolderExists(R"(\\NAS\Public\Reports\..\..\..)", scanned_));
  EXPECT_FALSE(windowsFileExists(R"(\\NAS\Public\..\..\secret.txt)", scanned_));
  EXPECT_FALSE(windowsFolderExists(R"(\\NAS\Private)", scanned_));
  EXPECT_EQ(windowsFolderHostPath(R"(\\nas\PUBLIC\reports)", scanned_), prefix_.str() + "/dosdevices/unc/NAS/Public/Reports");
  // Server and share names of dots alone never climb out of the folder of shares.
  EXPECT_FALSE(windowsFileExists(R"(\\..\..\system.reg)", scanned_));
  EXPECT_FALSE(windowsFileExists(R"(\\NAS\..\secret.txt)", scanned_));
  EXPECT_FALSE(windowsFileExists(R"(\\NAS\. .\secret.txt)", scanned_));
  EXPECT_EQ(windowsFolderHostPath(R"(\\..\..\)", scanned_), "");
  // The device forms name the same files.
  EXPECT_TRUE(windowsFileExists(R"(\\?\UNC\nas\public\reports\q1.doc)", scanned_));
}

TEST_F(WindowsPathTest, DeviceFormsOfDrivePathsNameTheSameFiles) {
  EXPECT_TRUE(windowsFileExists(R"(\\?\C:\Program Files\Game\game.exe)", scanned_));
  EXPECT_TRUE(windowsFileExists(R"(\\.\c:\program files\game\game.exe)", scanned_));
  EXPECT_TRUE(windowsFolderExists(R"(\\?\C:\Program Files\Game\)", scanned_));
  EXPECT_FALSE(windowsFileExists(R"(\\?\C:\Program Files\Game\gone.exe)", scanned_));
  EXPECT_FALSE(windowsFileExists(R"(\\?\C:\..\secret.txt)", scanned_));
}

TEST_F(WindowsPathTest, KeptListingsGiveTheAnswersOfFreshLookups) {
  prefix_.folder("Tools/case").file("Tools/CASE", "file").file("Tools/Caf\xC3\xA9.exe").file("Tools/kelvin.txt");
  prefix_.file("Program Files/ZdSuite/tool.exe");
  const std::string shortFolder = wineShortName("Program Files");
  constexpr auto present = TargetPresence::present;
  constexpr auto missing = TargetPresence::missing;
  const std::pair<std::string, TargetPresence> cases[] = {
      {R"(C:\tools\Case)", present},
      {R"(C:\tools\Case\)", present},
      // The exact name, a file, is taken over the folder of another spelling.
      {R"(C:\tools\CASE\)", missing},
      {"C:\\TOOLS\\CAF\xC3\x89.EXE", present},
      {"C:\\Tools\\\xE2\x84\xAA" "ELVIN.txt", missing},
      {R"(C:\TOOLS\gone.exe)", missing},
      {R"(C:\tools\GONE\deeper\x.exe)", missing},
      {"C:\\" + shortFolder + "\\zdsuite\\TOOL.exe", present},
      {"C:\\" + shortFolder + "\\ZdSuite\\gone.exe", missing},
  };
  // The second round finds every folder it needs already listed.
  FolderListings listings;
  for (int round = 0; round < 2; ++round) {
    for (const auto& [path, presence] : cases) {
      EXPECT_EQ(windowsTargetPresence(path, scanned_, listings), presence) << path << " round " << round;
      EXPECT_EQ(windowsFileExists(path, scanned_) || windowsFolderExists(path, scanned_), presence == present) << path;
    }
  }
}

TEST_F(WindowsPathTest, TargetsBelowOneFolderCostOneListingOfIt) {
  FolderListings listings;
  for (int i = 0; i < 100; ++i) {
    const std::string name = "app" + std::to_string(i) + ".exe";
    EXPECT_EQ(windowsTargetPresence("C:\\Gone\\sub\\" + name, scanned_, listings), TargetPresence::missing);
    EXPECT_EQ(windowsTargetPresence("C:\\Program Files\\Game\\" + name, scanned_, listings), TargetPresence::missing);
    EXPECT_EQ(windowsTargetPresence("c:\\program files\\GAME\\GAME.EXE", scanned_, listings), TargetPresence::present);
    // D: leads to a folder that is not there.
    EXPECT_EQ(windowsTargetPresence("D:\\" + name, scanned_, listings), TargetPresence::missing);
  }
  EXPECT_EQ(listings.listingsRead(), 4u) << "drive_c, Program Files, Game and D:'s folder, each once";
}

TEST_F(WindowsPathTest, AFolderThatCannotBeReadHidesNothing) {
  // Root passes every permission check: the lookups run as an unprivileged owner of the tree.
  const auto account = testing::unprivileged();
  if (!account) GTEST_SKIP() << "no unprivileged account to run as";
  prefix_.file("Locked/app.exe").file("Dark/app.exe");
  std::vector<std::filesystem::path> entries{temp_.path()};
  for (const auto& entry : std::filesystem::recursive_directory_iterator(temp_.path())) entries.push_back(entry.path());
  for (const auto& entry : entries) ASSERT_EQ(::lchown(entry.c_str(), account->first, account->second), 0) << entry;
  const std::string locked = prefix_.driveC() + "/Locked";
  const std::string dark = prefix_.driveC() + "/Dark";
  ::chmod(locked.c_str(), 0);
  ::chmod(dark.c_str(), S_IXUSR);  // searched, never listed
  const std::string devices = prefix_.str() + "/dosdevices";
  const int outcome = testing::runAs(*account, [&devices, &scanned = scanned_] {
    const std::pair<const char*, TargetPresence> cases[] = {
        {R"(C:\Locked\app.exe)", TargetPresence::unknown}, {R"(C:\locked\APP.exe)", TargetPresence::unknown},
        {R"(C:\Locked\gone.exe)", TargetPresence::unknown}, {R"(C:\Dark\app.exe)", TargetPresence::present},
        {R"(C:\dark\APP.EXE)", TargetPresence::unknown},    {R"(C:\Dark\gone.exe)", TargetPresence::unknown},
        {R"(C:\Gone\app.exe)", TargetPresence::missing},
    };
    FolderListings listings;
    for (int round = 0; round < 2; ++round) {
      for (std::size_t i = 0; i < std::size(cases); ++i) {
        if (windowsTargetPresence(cases[i].first, scanned, listings) != cases[i].second) return static_cast<int>(i) + 1;
      }
    }
    // Drive links that cannot be read hide every drive: nothing on them is missing.
    ::chmod(devices.c_str(), 0);
    FolderListings fresh;
    const TargetPresence behindDevices = windowsTargetPresence(R"(C:\Dark\app.exe)", scanned, fresh);
    ::chmod(devices.c_str(), 0755);
    return behindDevices == TargetPresence::unknown ? 0 : 99;
  });
  ::chmod(locked.c_str(), 0700);
  ::chmod(dark.c_str(), 0700);
  EXPECT_EQ(outcome, 0) << "the case that failed, counted from 1";
}

TEST_F(WindowsPathTest, AKeptListingNeverHidesWhatIsThereNow) {
  prefix_.file("Program Files/Old/old.exe");
  FolderListings listings;
  ASSERT_EQ(windowsTargetPresence(R"(c:\program files\Old\gone.exe)", scanned_, listings), TargetPresence::missing);
  ASSERT_EQ(windowsTargetPresence(R"(c:\Later\app.exe)", scanned_, listings), TargetPresence::missing);
  // Installed while the scan goes on, after both folders' listings were kept.
  prefix_.file("Program Files/Old/new.exe").file("Later/app.exe");
  EXPECT_EQ(windowsTargetPresence(R"(c:\program files\Old\new.exe)", scanned_, listings), TargetPresence::present);
  EXPECT_EQ(windowsTargetPresence(R"(c:\Later\app.exe)", scanned_, listings), TargetPresence::present);
  EXPECT_EQ(windowsTargetPresence(R"(c:\later\APP.exe)", scanned_, listings), TargetPresence::present);
  // Looked up in a folder whose exact path is there, by the status just read of it.
  EXPECT_EQ(windowsTargetPresence(R"(C:\Program Files\Old\NEW.EXE)", scanned_, listings), TargetPresence::present);
}

TEST(WindowsPathWithoutPrefix, EverythingIsMissing) {
  TempDir temp;
  for (const std::string& prefix : {(temp.path() / "none").string(), std::string()}) {
    const ShortcutProfile scanned = scannedProfile(prefix);
    EXPECT_FALSE(windowsFolderExists(R"(C:\)", scanned)) << prefix;
    EXPECT_FALSE(windowsFileExists(R"(C:\x.txt)", scanned)) << prefix;
    EXPECT_EQ(windowsFolderHostPath(R"(C:\)", scanned), "") << prefix;
  }
  {
    // A prefix folder without dosdevices has no drives.
    std::filesystem::create_directories(temp.path() / "bare" / "drive_c");
    EXPECT_FALSE(windowsFolderExists(R"(C:\)", scannedProfile((temp.path() / "bare").string())));
  }
  {
    // Without WINEPREFIX the prefix is ~/.wine.
    WinePrefixBuilder(temp.path() / ".wine").link('c', "../drive_c").file("found.txt");
    const ShortcutProfile scanned = scannedProfile(defaultPrefix(PrefixPlaces{temp.str(), ""}));
    EXPECT_TRUE(windowsFileExists(R"(C:\FOUND.txt)", scanned));
  }
}

}  // namespace
}  // namespace zendrift::profile
