// The settings file: its place, the defaults, the key order and round trips.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "temp_dir.h"

namespace zendrift::settings {
namespace {

using testing::readFile;
using testing::ScopedEnv;
using testing::TempDir;
using testing::writeFile;

class SettingsFileTest : public ::testing::Test {
 protected:
  TempDir home;
  ScopedEnv config{"XDG_CONFIG_HOME", (home / "config").c_str()};
  std::string iniPath() const { return home / "config/Zendrift/zendrift.ini"; }
};

TEST_F(SettingsFileTest, FirstStartGivesDefaultsAndLeavesAnEmptyFile) {
  TIniRec rec;
  rec.Width = 99;
  rec.ExcludeList = "junk";
  LoadSettings(rec, "zendrift.ini");
  EXPECT_TRUE(rec.StartMenu && rec.AllUsersStartMenu && rec.Desktop && rec.AllUsersDeskTop);
  EXPECT_TRUE(rec.Favorites && rec.History && rec.Recent);
  EXPECT_FALSE(rec.TempPath || rec.ApplicationData || rec.ProgramFiles || rec.RemovableDrives);
  EXPECT_TRUE(rec.NetworkDrives && rec.RamDrives && rec.CDRomDrives);
  EXPECT_EQ(rec.UserDir, "");
  EXPECT_EQ(rec.ExcludeList, "");
  EXPECT_EQ(rec.Top, 0);
  EXPECT_EQ(rec.Width, 0);
  EXPECT_EQ(rec.Height, 0);
  EXPECT_EQ(rec, DefaultSettings());
  ASSERT_TRUE(std::filesystem::is_regular_file(iniPath()));
  EXPECT_EQ(std::filesystem::file_size(iniPath()), 0u);
}

TEST_F(SettingsFileTest, FreshFileHasTheWriteOrderAndSavingTwiceGivesTheSameBytes) {
  TIniRec rec = DefaultSettings();
  rec.UserDir = "/home/ann/Spiele";
  rec.ExcludeList = "/a/x.lnk, ";
  rec.Top = -3;
  rec.Width = 700;
  SaveSettings(rec, "zendrift.ini");
  const std::string first = readFile(iniPath());
  EXPECT_EQ(first,
            "[Directories]\nStartMenu=1\nAllUsersStartMenu=1\nDesktop=1\nAllUsersDeskTop=1\nFavorites=1\n"
            "History=1\nProgramFiles=0\nTempPath=0\nApplicationData=0\nRecent=1\nUserDir=/home/ann/Spiele\n"
            "\n[Include]\nRemovableDrives=0\nNetworkDrives=1\nRamDrives=1\nCDRomDrives=1\n"
            "\n[Exclude]\nExcludeList=/a/x.lnk, \n"
            "\n[Form]\nTop=-3\nLeft=0\nWidth=700\nHeight=0\n");
  SaveSettings(rec, "zendrift.ini");
  EXPECT_EQ(readFile(iniPath()), first);

  // Values are read without their surrounding blanks, as the profile services read them.
  TIniRec back;
  LoadSettings(back, "zendrift.ini");
  rec.ExcludeList = "/a/x.lnk,";
  EXPECT_EQ(back, rec);
}

TEST_F(SettingsFileTest, ValuesThatDoNotParseGiveEachKeysDefault) {
  writeFile(iniPath(),
            "[Directories]\nStartMenu=2\nAllUsersStartMenu=-1\nDesktop=0x0\nAllUsersDeskTop= 0\n"
            "Favorites=\nHistory=yes\nProgramFiles=yes\nRecent=0\n"
            "UserDir=" + std::string(3000, 'u') + "\n[Include]\nNetworkDrives=0\n[Exclude]\nExcludeList=" +
                std::string(3000, 'e') + "\n[Form]\nWidth=0x258\nHeight=600px\nTop=-0x10\nLeft=99999999999\n");
  TIniRec rec;
  LoadSettings(rec, "zendrift.ini");
  EXPECT_TRUE(rec.StartMenu);
  EXPECT_TRUE(rec.AllUsersStartMenu);
  EXPECT_FALSE(rec.Desktop);
  EXPECT_FALSE(rec.AllUsersDeskTop);
  EXPECT_TRUE(rec.Favorites);
  EXPECT_TRUE(rec.History);
  EXPECT_FALSE(rec.ProgramFiles);
  EXPECT_FALSE(rec.Recent);
  EXPECT_FALSE(rec.NetworkDrives);
  EXPECT_EQ(rec.UserDir, std::string(2047, 'u'));
  EXPECT_EQ(rec.ExcludeList, std::string(3000, 'e')) << "the exclude list is read whole: nothing put on it is lost";
  EXPECT_EQ(rec.Width, 600);
  EXPECT_EQ(rec.Height, 0);
  EXPECT_EQ(rec.Top, -16);
  EXPECT_EQ(rec.Left, 0);
}

TEST_F(SettingsFileTest, SaveKeepsHandAddedContentAndCrLfLineEnds) {
  writeFile(iniPath(), "[Mine]\r\nKeep=this\r\n[Form]\r\nTop=1\r\n; note\r\n");
  SaveSettings(DefaultSettings(), "zendrift.ini");
  const std::string saved = readFile(iniPath());
  EXPECT_EQ(saved.rfind("[Mine]\r\nKeep=this\r\n[Form]\r\nTop=0\r\n; note\r\nLeft=0\r\nWidth=0\r\nHeight=0\r\n", 0), 0u)
      << saved;
  EXPECT_EQ(saved.find("\n\n"), std::string::npos) << "every line end stays CRLF";
  EXPECT_NE(saved.find("\r\n[Directories]\r\nStartMenu=1\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, UnwritableFileRaisesWithThePathAndKeepsTheOldContent) {
  // A folder where the file should be: both probes fail for the first candidate.
  std::filesystem::create_directories(iniPath() + "/inside");
  try {
    SaveSettingsTo(DefaultSettings(), iniPath());
    FAIL() << "no error raised";
  } catch (const SettingsWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + iniPath());
  }
  EXPECT_TRUE(std::filesystem::is_directory(iniPath() + "/inside"));
}

TEST_F(SettingsFileTest, PathFallsBackToTheBareNameWhenTheFolderCannotBeMade) {
  // The configuration folder is a file, so the settings folder cannot be created below it.
  TempDir work;
  writeFile(home / "config", "not a folder");
  const std::string old = std::filesystem::current_path().string();
  std::filesystem::current_path(work.path());
  const std::string path = SettingsFilePath("Zendrift", "zendrift.ini");
  std::filesystem::current_path(old);
  EXPECT_EQ(path, "zendrift.ini");
  EXPECT_TRUE(std::filesystem::is_regular_file(work.path() / "zendrift.ini"));
}

TEST_F(SettingsFileTest, ALongExcludeListSurvivesLoadAndSave) {
  std::string list;
  for (int i = 0; i < 60; ++i) list += "/home/ann/.wine/drive_c/users/ann/Desktop/Game" + std::to_string(i) + ".lnk, ";
  ASSERT_GT(list.size(), 2047u);
  TIniRec rec = DefaultSettings();
  rec.ExcludeList = list;
  SaveSettings(rec, "zendrift.ini");
  TIniRec back;
  LoadSettings(back, "zendrift.ini");
  SaveSettings(back, "zendrift.ini");
  LoadSettings(back, "zendrift.ini");
  list.pop_back();  // values are read without their trailing blank
  EXPECT_EQ(back.ExcludeList, list);
}

TEST_F(SettingsFileTest, AByteOrderMarkIsReadPastAndKept) {
  writeFile(iniPath(), "\xEF\xBB\xBF[Directories]\r\nStartMenu=0\r\nUserDir=/srv\r\n");
  TIniRec rec;
  LoadSettings(rec, "zendrift.ini");
  EXPECT_FALSE(rec.StartMenu);
  EXPECT_EQ(rec.UserDir, "/srv");
  SaveSettings(rec, "zendrift.ini");
  const std::string saved = readFile(iniPath());
  EXPECT_EQ(saved.rfind("\xEF\xBB\xBF[Directories]\r\nStartMenu=0\r\nUserDir=/srv\r\n", 0), 0u) << saved;
  EXPECT_EQ(saved.find("[Directories]", 10), std::string::npos) << "no second section";
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeverReplaced) {
  // A pipe stands where the settings file should be: it cannot be read, so a save would lose
  // whatever it holds. Reading gives the defaults; saving refuses.
  std::filesystem::create_directories(home / "config/Zendrift");
  ASSERT_EQ(::mkfifo(iniPath().c_str(), 0600), 0);
  TIniRec rec;
  LoadSettingsFrom(rec, iniPath());
  EXPECT_EQ(rec, DefaultSettings());
  EXPECT_THROW(SaveSettingsTo(rec, iniPath()), SettingsWriteError);
  EXPECT_EQ(std::filesystem::status(iniPath()).type(), std::filesystem::file_type::fifo);
}

TEST(SettingsFilePath, FolderNameIsTheProductsFileNameBeforeItsFirstDot) {
  TempDir home;
  ScopedEnv config("XDG_CONFIG_HOME", (home / "cfg/").c_str());
  EXPECT_EQ(SettingsFilePath("/opt/x/ Zen.drift.exe", "z.ini"), home / "cfg/Zen/z.ini");
}

}  // namespace
}  // namespace zendrift::settings
