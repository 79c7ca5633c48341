// The settings file: its place, the defaults, the key order and round trips.
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "settings/settings_file.h"
#include "run_as.h"
#include "temp_dir.h"

namespace zendrift::settings {
namespace {

using testing::readFile;
using testing::runAs;
using testing::unprivileged;
using testing::ScopedEnv;
using testing::TempDir;
using testing::writeFile;

// Makes `folder` the current folder for the life of the object.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& folder) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~InFolder() { std::filesystem::current_path(old_); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::filesystem::path old_;
};

class SettingsFileTest : public ::testing::Test {
 protected:
  TempDir home;
  ScopedEnv config{"XDG_CONFIG_HOME", (home / "config").c_str()};
  std::string iniPath() const { return home / "config/Zendrift/zendrift.ini"; }
};

TEST_F(SettingsFileTest, FirstStartGivesDefaultsAndLeavesAnEmptyFile) {
  ScanOptions rec;
  rec.width = 99;
  rec.excludeList = "junk";
  ASSERT_FALSE(loadSettings(rec, "zendrift.ini", SettingsAccess::readWrite));
  EXPECT_TRUE(rec.startMenu && rec.allUsersStartMenu && rec.desktop && rec.allUsersDeskTop);
  EXPECT_TRUE(rec.favorites && rec.history && rec.recent);
  EXPECT_FALSE(rec.tempPath || rec.applicationData || rec.programFiles || rec.removableDrives);
  EXPECT_TRUE(rec.networkDrives && rec.ramDrives && rec.cdRomDrives);
  EXPECT_EQ(rec.userDir, "");
  EXPECT_EQ(rec.excludeList, "");
  EXPECT_EQ(rec.top, 0);
  EXPECT_EQ(rec.width, 0);
  EXPECT_EQ(rec.height, 0);
  EXPECT_EQ(rec, defaultSettings());
  ASSERT_TRUE(std::filesystem::is_regular_file(iniPath()));
  EXPECT_EQ(std::filesystem::file_size(iniPath()), 0u);
}

TEST_F(SettingsFileTest, FreshFileHasTheWriteOrderAndSavingTwiceGivesTheSameBytes) {
  ScanOptions rec = defaultSettings();
  rec.userDir = "/home/ann/Spiele";
  rec.prefix = "/home/ann/Games/" + std::string(3000, 'p');
  rec.excludeList = "/a/x.lnk, ";
  rec.top = -3;
  rec.width = 700;
  rec.deletePermanently = true;
  ASSERT_FALSE(saveSettings(rec, "zendrift.ini"));
  const std::string first = readFile(iniPath());
  EXPECT_EQ(first,
            "[Directories]\nStartMenu=1\nAllUsersStartMenu=1\nDesktop=1\nAllUsersDeskTop=1\nFavorites=1\n"
            "History=1\nProgramFiles=0\nTempPath=0\nApplicationData=0\nRecent=1\nUserDir=/home/ann/Spiele\n"
            "Prefix=" + rec.prefix + "\n"
            "\n[Include]\nRemovableDrives=0\nNetworkDrives=1\nRamDrives=1\nCDRomDrives=1\n"
            "\n[Exclude]\nExcludeList=/a/x.lnk, \n"
            "\n[Form]\nTop=-3\nLeft=0\nWidth=700\nHeight=0\n"
            "\n[Delete]\nPermanently=1\n");
  ASSERT_FALSE(saveSettings(rec, "zendrift.ini"));
  EXPECT_EQ(readFile(iniPath()), first);

  // The exclude list reads back with the blank of its last ", ", which the INI reader drops.
  ScanOptions back;
  ASSERT_FALSE(loadSettings(back, "zendrift.ini", SettingsAccess::readWrite));
  EXPECT_EQ(back, rec);

  // Every prefix is kept as "*" in the same place.
  rec.prefix.clear();
  rec.allPrefixes = true;
  ASSERT_FALSE(saveSettings(rec, "zendrift.ini"));
  EXPECT_NE(readFile(iniPath()).find("UserDir=/home/ann/Spiele\nPrefix=*\n\n[Include]"), std::string::npos);
  ASSERT_FALSE(loadSettings(back, "zendrift.ini", SettingsAccess::readWrite));
  EXPECT_EQ(back, rec);
}

TEST_F(SettingsFileTest, ValuesThatDoNotParseGiveEachKeysDefault) {
  writeFile(iniPath(),
            "[Directories]\nStartMenu=2\nAllUsersStartMenu=-1\nDesktop=0x0\nAllUsersDeskTop= 0\n"
            "Favorites=\nHistory=yes\nProgramFiles=yes\nRecent=0\n"
            "UserDir=" + std::string(3000, 'u') + "\n[Include]\nNetworkDrives=0\n[Exclude]\nExcludeList=" +
                std::string(3000, 'e') + "\n[Form]\nWidth=0x258\nHeight=600px\nTop=-0x10\nLeft=99999999999\n");
  ScanOptions rec;
  ASSERT_FALSE(loadSettings(rec, "zendrift.ini", SettingsAccess::readWrite));
  EXPECT_TRUE(rec.startMenu);
  EXPECT_TRUE(rec.allUsersStartMenu);
  EXPECT_FALSE(rec.desktop);
  EXPECT_FALSE(rec.allUsersDeskTop);
  EXPECT_TRUE(rec.favorites);
  EXPECT_TRUE(rec.history);
  EXPECT_FALSE(rec.programFiles);
  EXPECT_FALSE(rec.recent);
  EXPECT_FALSE(rec.networkDrives);
  EXPECT_EQ(rec.userDir, std::string(2047, 'u'));
  EXPECT_EQ(rec.excludeList, std::string(3000, 'e')) << "the exclude list is read whole: nothing put on it is lost";
  EXPECT_EQ(rec.width, 600);
  EXPECT_EQ(rec.height, 0);
  EXPECT_EQ(rec.top, -16);
  EXPECT_EQ(rec.left, 0);
}

TEST_F(SettingsFileTest, SaveKeepsHandAddedContentAndCrLfLineEnds) {
  writeFile(iniPath(), "[Mine]\r\nKeep=this\r\n[Form]\r\nTop=1\r\n; note\r\n");
  ASSERT_FALSE(saveSettings(defaultSettings(), "zendrift.ini"));
  const std::string saved = readFile(iniPath());
  EXPECT_EQ(saved.rfind("[Mine]\r\nKeep=this\r\n[Form]\r\nTop=0\r\n; note\r\nLeft=0\r\nWidth=0\r\nHeight=0\r\n", 0), 0u)
      << saved;
  EXPECT_EQ(saved.find("\n\n"), std::string::npos) << "every line end stays CRLF";
  EXPECT_NE(saved.find("\r\n[Directories]\r\nStartMenu=1\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, UnwritableFileIsReportedAndKeepsItsOldContent) {
  // A folder where the file should be: both probes fail for the first candidate.
  std::filesystem::create_directories(iniPath() + "/inside");
  EXPECT_TRUE(saveSettingsTo(defaultSettings(), iniPath()));
  EXPECT_TRUE(std::filesystem::is_directory(iniPath() + "/inside"));
}

TEST_F(SettingsFileTest, ReadOnlyAccessFindsTheSameFileAndCreatesNothing) {
  TempDir work;
  InFolder inWork(work.path());
  // A stray file in the current folder is never read while the settings folder can hold one.
  writeFile(work.path() / "zendrift.ini", "[Directories]\nStartMenu=0\n");
  ScanOptions rec;
  EXPECT_EQ(loadSettings(rec, "zendrift.ini", SettingsAccess::readOnly), std::error_code());
  EXPECT_EQ(rec, defaultSettings());
  EXPECT_EQ(settingsFilePath("Zendrift", "zendrift.ini", SettingsAccess::readOnly), iniPath());
  EXPECT_FALSE(std::filesystem::exists(home / "config")) << "nothing made";

  // The window's first start still makes the folder and an empty file.
  EXPECT_EQ(settingsFilePath("Zendrift", "zendrift.ini"), iniPath());
  EXPECT_EQ(std::filesystem::file_size(iniPath()), 0u);
}

TEST_F(SettingsFileTest, TheCurrentFolderServesOnlyWhenTheSettingsFolderCannotHoldAFile) {
  // The configuration folder is a file, so the settings folder cannot be created below it.
  TempDir work;
  InFolder inWork(work.path());
  writeFile(home / "config", "not a folder");
  EXPECT_EQ(settingsFilePath("Zendrift", "zendrift.ini", SettingsAccess::readOnly), "");
  EXPECT_TRUE(std::filesystem::is_empty(work.path()));
  EXPECT_EQ(settingsFilePath("Zendrift", "zendrift.ini"), "zendrift.ini");
  EXPECT_TRUE(std::filesystem::is_regular_file(work.path() / "zendrift.ini"));
  EXPECT_EQ(settingsFilePath("Zendrift", "zendrift.ini", SettingsAccess::readOnly), "zendrift.ini");
}

TEST_F(SettingsFileTest, AReadOnlyFileIsStillTheOneReadAndOnlyTheSaveFails) {
  const auto account = unprivileged();
  if (!account) GTEST_SKIP() << "no unprivileged account to run as";
  TempDir work;
  InFolder inWork(work.path());
  const std::string original = "[Exclude]\nExcludeList=/keep.lnk, \n";
  writeFile(iniPath(), original);
  std::filesystem::permissions(iniPath(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                              std::filesystem::perms::others_read);
  // The folders are the account's own, so only the file's permission can stop the save.
  for (const auto& folder : {home.path() / "config/Zendrift", work.path()}) {
    ASSERT_EQ(::chown(folder.c_str(), account->first, account->second), 0);
  }
  const std::string path = iniPath();
  const int outcome = runAs(*account, [&path] {
    ScanOptions rec;
    if (loadSettings(rec, "zendrift.ini", SettingsAccess::readWrite)) return 2;
    if (settingsFilePath("Zendrift", "zendrift.ini") != path) return 1;
    if (rec.excludeList != "/keep.lnk, ") return 2;
    rec.excludeList += "/more.lnk, ";
    return saveSettings(rec, "zendrift.ini") ? 0 : 4;
  });
  EXPECT_EQ(outcome, 0) << "1: another file chosen, 2: not read, 4: saved";
  EXPECT_EQ(readFile(iniPath()), original);
  EXPECT_TRUE(std::filesystem::is_empty(work.path())) << "no zendrift.ini in the current folder";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home / "config/Zendrift"), std::filesystem::directory_iterator()), 1);
}

TEST_F(SettingsFileTest, SavesMergeTheExcludeListsOfTwoWindows) {
  writeFile(iniPath(), "[Exclude]\nExcludeList=/old.lnk, \n; mine\n");
  ScanOptions first;
  ScanOptions second;
  ASSERT_FALSE(loadSettings(first, "zendrift.ini", SettingsAccess::readWrite));
  ASSERT_FALSE(loadSettings(second, "zendrift.ini", SettingsAccess::readWrite));
  first.excludeList += "/first.lnk, ";
  ASSERT_FALSE(saveSettings(first, "zendrift.ini"));
  second.excludeList += "/second, with comma.lnk, /old.lnk, ";
  ASSERT_FALSE(saveSettings(second, "zendrift.ini"));
  const std::string merged = "ExcludeList=/old.lnk, /second, with comma.lnk, /old.lnk, /first.lnk, \n; mine\n";
  EXPECT_NE(readFile(iniPath()).find("[Exclude]\n" + merged), std::string::npos) << readFile(iniPath());
  // The first window closes again: nothing is lost and nothing doubled.
  ASSERT_FALSE(saveSettings(first, "zendrift.ini"));
  EXPECT_NE(readFile(iniPath()).find("[Exclude]\nExcludeList=/old.lnk, /first.lnk, /second, with comma.lnk, \n; mine\n"),
            std::string::npos)
      << readFile(iniPath());
  ScanOptions back;
  ASSERT_FALSE(loadSettings(back, "zendrift.ini", SettingsAccess::readWrite));
  ASSERT_FALSE(saveSettings(back, "zendrift.ini"));
  ASSERT_FALSE(loadSettings(first, "zendrift.ini", SettingsAccess::readWrite));
  EXPECT_EQ(first.excludeList, back.excludeList) << "a save of what was read changes nothing";
}

TEST_F(SettingsFileTest, ASaveRemovesOnlyOldLeftoversOfKilledSaves) {
  std::filesystem::create_directories(home / "config/Zendrift");
  const auto folder = home.path() / "config/Zendrift";
  const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  for (const char* name : {".zendrift.ini.aB3xY9", ".zendrift.ini.4711.95021.0", ".zendrift.ini.fresh1",
                           ".zendrift.ini.backup", "zendrift.ini.aB3xY9", ".other.ini.aB3xY9", ".zendrift.ini.aB3x_9"}) {
    writeFile(folder / name, "x");
    if (std::string_view(name) != ".zendrift.ini.fresh1") std::filesystem::last_write_time(folder / name, hourAgo);
  }
  ASSERT_FALSE(saveSettings(defaultSettings(), "zendrift.ini"));
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{".other.ini.aB3xY9", ".zendrift.ini.aB3x_9", ".zendrift.ini.backup",
                                            ".zendrift.ini.fresh1", "zendrift.ini", "zendrift.ini.aB3xY9"}))
      << "a fresh one may belong to a save running now";
}

TEST_F(SettingsFileTest, ALongExcludeListSurvivesLoadAndSave) {
  std::string list;
  for (int i = 0; i < 60; ++i) list += "/home/ann/.wine/drive_c/users/ann/Desktop/Game" + std::to_string(i) + ".lnk, ";
  ASSERT_GT(list.size(), 2047u);
  ScanOptions rec = defaultSettings();
  rec.excludeList = list;
  ASSERT_FALSE(saveSettings(rec, "zendrift.ini"));
  ScanOptions back;
  ASSERT_FALSE(loadSettings(back, "zendrift.ini", SettingsAccess::readWrite));
  ASSERT_FALSE(saveSettings(back, "zendrift.ini"));
  ASSERT_FALSE(loadSettings(back, "zendrift.ini", SettingsAccess::readWrite));
  EXPECT_EQ(back.excludeList, list);
}

TEST_F(SettingsFileTest, AByteOrderMarkIsReadPastAndKept) {
  writeFile(iniPath(), "\xEF\xBB\xBF[Directories]\r\nStartMenu=0\r\nUserDir=/srv\r\n");
  ScanOptions rec;
  ASSERT_FALSE(loadSettings(rec, "zendrift.ini", SettingsAccess::readWrite));
  EXPECT_FALSE(rec.startMenu);
  EXPECT_EQ(rec.userDir, "/srv");
  ASSERT_FALSE(saveSettings(rec, "zendrift.ini"));
  const std::string saved = readFile(iniPath());
  EXPECT_EQ(saved.rfind("\xEF\xBB\xBF[Directories]\r\nStartMenu=0\r\nUserDir=/srv\r\n", 0), 0u) << saved;
  EXPECT_EQ(saved.find("[Directories]", 10), std::string::npos) << "no second section";
}

TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeverReplaced) {
  // A pipe stands where the settings file should be: it cannot be read, so a save would lose
  // whatever it holds. Reading gives the defaults; saving refuses.
  std::filesystem::create_directories(home / "config/Zendrift");
  ASSERT_EQ(::mkfifo(iniPath().c_str(), 0600), 0);
  ScanOptions rec;
  rec.excludeList = "junk";
  EXPECT_EQ(loadSettings(rec, "zendrift.ini", SettingsAccess::readOnly), SettingsError::unreadable)
      << "defaults must not stand in for the user's exclusions unnoticed";
  EXPECT_EQ(rec, defaultSettings());
  EXPECT_EQ(loadSettings(rec, "zendrift.ini", SettingsAccess::readWrite), SettingsError::unreadable);
  EXPECT_EQ(saveSettingsTo(rec, iniPath()), SettingsError::unreadable);
  EXPECT_EQ(std::filesystem::status(iniPath()).type(), std::filesystem::file_type::fifo);
}

TEST(SettingsFilePath, FolderNameIsTheProductsFileNameBeforeItsFirstDot) {
  TempDir home;
  ScopedEnv config("XDG_CONFIG_HOME", (home / "cfg/").c_str());
  EXPECT_EQ(settingsFilePath("/opt/x/ Zen.drift.exe", "z.ini"), home / "cfg/Zen/z.ini");
}

}  // namespace
}  // namespace zendrift::settings
