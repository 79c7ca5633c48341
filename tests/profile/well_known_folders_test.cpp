// WellKnownFolders over a real Wine prefix: every folder, registry and default layouts, missing
// folders, Temp.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "profile/folder_ids.h"
#include "profile/well_known_folders.h"
#include "temp_dir.h"
#include "../platform/wine_prefix_builder.h"

namespace zendrift::profile {
namespace {

using testing::ScopedEnv;
using testing::TempDir;
using testing::WinePrefixBuilder;

using Accessor = std::string WellKnownFolders::*;

struct Expected {
  const char* name;
  Accessor accessor;
  const char* below;  // relative to drive_c; nullptr when the folder must be missing
};

class SystemFoldersTest : public ::testing::Test {
 protected:
  SystemFoldersTest()
      : prefix_(temp_.path() / "prefix"), user_("USER", "ann"), scanned_(profile::scannedProfile(prefix_.str())) {
    prefix_.standardLayout("ann");
  }

  std::string hostPath(const char* below) const { return prefix_.driveC() + "/" + below; }

  void expectAll(const std::vector<Expected>& table) {
    const WellKnownFolders folders = wellKnownFolders(scanned_);
    for (const Expected& e : table) {
      EXPECT_EQ(folders.*e.accessor, e.below ? hostPath(e.below) : std::string()) << e.name;
    }
  }

  TempDir temp_;
  WinePrefixBuilder prefix_;
  ScopedEnv user_;
  const profile::ShortcutProfile scanned_;
  profile::RegistryCache registries_;
};

TEST_F(SystemFoldersTest, WineDefaultLayoutWhenTheRegistryIsSilent) {
  prefix_.folder("users/ann/AppData/Local/Microsoft/Windows/INetCache")
      .folder("windows/Fonts")
      .folder("ProgramData/Microsoft/Windows/Start Menu/Programs");
  expectAll({
      {"Desktop", &WellKnownFolders::desktop, "users/ann/Desktop"},
      {"DesktopDirectory", &WellKnownFolders::desktopDirectory, "users/ann/Desktop"},
      {"Personal", &WellKnownFolders::personal, "users/ann/Documents"},
      {"Favorites", &WellKnownFolders::favorites, "users/ann/Favorites"},
      {"StartMenu", &WellKnownFolders::startMenu, "users/ann/AppData/Roaming/Microsoft/Windows/Start Menu"},
      {"Programs", &WellKnownFolders::programs, "users/ann/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"},
      {"Startup", &WellKnownFolders::startup,
       "users/ann/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp"},
      {"Recent", &WellKnownFolders::recent, "users/ann/AppData/Roaming/Microsoft/Windows/Recent"},
      {"SendTo", &WellKnownFolders::sendTo, "users/ann/AppData/Roaming/Microsoft/Windows/SendTo"},
      {"AppData", &WellKnownFolders::appData, "users/ann/AppData/Roaming"},
      {"History", &WellKnownFolders::history, "users/ann/AppData/Local/Microsoft/Windows/History"},
      {"InternetCache", &WellKnownFolders::internetCache, "users/ann/AppData/Local/Microsoft/Windows/INetCache"},
      {"Profile", &WellKnownFolders::profile, "users/ann"},
      {"Fonts", &WellKnownFolders::fonts, "windows/Fonts"},
      {"CommonStartmenu", &WellKnownFolders::commonStartmenu, "ProgramData/Microsoft/Windows/Start Menu"},
      {"CommonPrograms", &WellKnownFolders::commonPrograms, "ProgramData/Microsoft/Windows/Start Menu/Programs"},
      {"CommonStartup", &WellKnownFolders::commonStartup,
       "ProgramData/Microsoft/Windows/Start Menu/Programs/StartUp"},
      {"CommonDesktopDirectory", &WellKnownFolders::commonDesktopDirectory, "users/Public/Desktop"},
      {"CommonAppData", &WellKnownFolders::commonAppData, "ProgramData"},
      {"Windows", &WellKnownFolders::windows, "windows"},
      {"System", &WellKnownFolders::system, "windows/system32"},
      // Folders that the layout above does not create.
      {"Nethood", &WellKnownFolders::nethood, nullptr},
      {"Printhood", &WellKnownFolders::printhood, nullptr},
      {"Templates", &WellKnownFolders::templates, nullptr},
      {"Cookies", &WellKnownFolders::cookies, nullptr},
      {"CommonFavorites", &WellKnownFolders::commonFavorites, nullptr},
      // No registry value names Program Files.
      {"ProgramFiles", &WellKnownFolders::programFiles, nullptr},
      {"CommonFiles", &WellKnownFolders::commonFiles, nullptr},
  });
}

TEST_F(SystemFoldersTest, RegistryValuesNameTheFolders) {
  prefix_.folder("users/ann/MY desk")
      .folder("elsewhere/fav")
      .folder("shared/start")
      .folder("Apps/Common")
      .folder("Nets")
      .folder("ann-templates");
  prefix_.userReg(
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders] 1700000000\n"
      "\"Desktop\"=str(2):\"%USERPROFILE%\\\\My Desk\"\n"
      "\"Favorites\"=str(2):\"%NOT_DEFINED%\\\\fav\"\n"
      "\"Templates\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,44,00,72,00,69,00,76,00,65,00,25,00,\\\n"
      "  5c,00,61,00,6e,00,6e,00,2d,00,74,00,65,00,6d,00,70,00,6c,00,61,00,74,00,65,00,73,00,00,00\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1700000000\n"
      "\"Favorites\"=\"C:\\\\elsewhere\\\\fav\"\n"
      "\"NetHood\"=\"c:\\\\NETS\"\n"
      "\"Recent\"=\"C:\\\\not\\\\there\"\n");
  prefix_.systemReg(
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion] 1700000000\n"
      "\"ProgramFilesDir\"=\"C:\\\\Program Files\\\\\"\n"
      "\"CommonFilesDir\"=\"C:\\\\apps\\\\common\"\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1700000000\n"
      "\"Common Start Menu\"=\"C:\\\\shared\\\\start\"\n");
  expectAll({
      // Expanded, and found on disk whatever the case of its names.
      {"Desktop", &WellKnownFolders::desktop, "users/ann/MY desk"},
      // An unknown reference counts as no value: Wine's default.
      {"Favorites", &WellKnownFolders::favorites, "users/ann/Favorites"},
      {"Templates", &WellKnownFolders::templates, "ann-templates"},
      // Shell Folders alone is stale (Wine only writes it): the default, missing or not.
      {"Nethood", &WellKnownFolders::nethood, nullptr},
      {"Recent", &WellKnownFolders::recent, "users/ann/AppData/Roaming/Microsoft/Windows/Recent"},
      {"CommonStartmenu", &WellKnownFolders::commonStartmenu, "ProgramData/Microsoft/Windows/Start Menu"},
      {"ProgramFiles", &WellKnownFolders::programFiles, "Program Files"},
      {"CommonFiles", &WellKnownFolders::commonFiles, "Apps/Common"},
  });
}

TEST_F(SystemFoldersTest, ProgramFilesNeedsATextValue) {
  struct Case {
    const char* value;
    bool found;
  };
  const Case cases[] = {
      {"\"C:\\\\Program Files\"", true},
      {"str(2):\"C:\\\\Program Files\"", true},
      {"hex:43,3a,5c,50,72,6f,67,72,61,6d,20,46,69,6c,65,73,00", true},
      {"str(2):\"%ProgramFiles%\"", false},  // stored references are not expanded
      {"dword:00000001", false},
      {"\"\"", false},
  };
  for (const Case& c : cases) {
    prefix_.systemReg(std::string("[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion]\n\"ProgramFilesDir\"=") +
                      c.value + "\n");
    EXPECT_EQ(wellKnownFolders(scanned_).programFiles, c.found ? hostPath("Program Files") : "") << c.value;
  }
}

TEST_F(SystemFoldersTest, EveryReadSeesTheCurrentState) {
  const std::string desktop = hostPath("users/ann/Desktop");
  EXPECT_EQ(wellKnownFolders(scanned_).desktop, desktop);
  std::filesystem::remove(desktop);
  EXPECT_EQ(wellKnownFolders(scanned_).desktop, "");
  prefix_.folder("Moved");
  prefix_.userReg(
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders]\n"
      "\"Desktop\"=\"C:\\\\Moved\"\n");
  EXPECT_EQ(wellKnownFolders(scanned_).desktop, hostPath("Moved"));
}

TEST_F(SystemFoldersTest, DamagedRegistryFilesFallBackToDefaults) {
  for (const std::string& content : {std::string(), std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10),
                                     std::string(testing::kRegistryHeader) + "[Software\\\\Micro"}) {
    testing::writeFile(prefix_.path() / "user.reg", content);
    testing::writeFile(prefix_.path() / "system.reg", content);
    EXPECT_EQ(wellKnownFolders(scanned_).desktop, hostPath("users/ann/Desktop"));
    EXPECT_EQ(wellKnownFolders(scanned_).commonDesktopDirectory, hostPath("users/Public/Desktop"));
  }
}

TEST_F(SystemFoldersTest, ResolveFolderByNumber) {
  EXPECT_EQ(profile::specialFolderPath(csidl::kStartMenu, scanned_, registries_),
            wellKnownFolders(scanned_).startMenu);
  EXPECT_NE(wellKnownFolders(scanned_).startMenu, "");
  for (const std::int32_t unknown : {-1, 1, 3, 10, 99, 0x7fffffff}) {
    EXPECT_EQ(profile::specialFolderPath(unknown, scanned_, registries_), "") << unknown;
  }
}

TEST(SystemFoldersWithoutPrefix, WellKnownFoldersAreEmpty) {
  TempDir temp;
  for (const std::string& prefix : {(temp.path() / "absent").string(), std::string()}) {
    const WellKnownFolders folders = wellKnownFolders(profile::scannedProfile(prefix));
    for (const Accessor accessor : {&WellKnownFolders::desktop, &WellKnownFolders::startMenu,
                                    &WellKnownFolders::commonStartmenu, &WellKnownFolders::programFiles,
                                    &WellKnownFolders::windows, &WellKnownFolders::profile, &WellKnownFolders::temp}) {
      EXPECT_EQ(folders.*accessor, "") << prefix;
    }
  }
}

TEST_F(SystemFoldersTest, TempIsThePrefixsOwnAndNeverTheHosts) {
  // The host's variables and current folder name folders of no profile; they are never taken.
  const std::string hostTemp = temp_ / "host tmp";
  std::filesystem::create_directories(hostTemp);
  ScopedEnv tmp("TMP", hostTemp.c_str());
  ScopedEnv tempVar("TEMP", hostTemp.c_str());
  ScopedEnv tmpdir("TMPDIR", hostTemp.c_str());
  const std::string systemTemp =
      "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment]\n"
      "\"TEMP\"=str(2):\"%SystemRoot%\\\\TEMP\"\n\"TMP\"=str(2):\"%SystemRoot%\\\\TEMP\"\n";
  prefix_.folder("users/ann/AppData/Local/Temp").folder("users/ann/Temp").folder("windows/temp").folder("T2");
  struct Case {
    std::string user;    // [Environment] of user.reg
    std::string system;  // system.reg
    const char* below;   // nullptr: no Temp folder
  };
  const Case cases[] = {
      {"", "", "users/ann/AppData/Local/Temp"},  // Wine's default layout
      {"", systemTemp, "windows/temp"},
      // Wine 8 writes the user's own; each variable the user sets wins over the system's.
      {"\"TEMP\"=str(2):\"%USERPROFILE%\\\\Temp\"\n\"TMP\"=str(2):\"%USERPROFILE%\\\\Temp\"\n", systemTemp, "users/ann/Temp"},
      {"\"TEMP\"=\"C:\\\\T2\"\n", "", "T2"},
      {"\"TMP\"=\"C:\\\\T2\"\n\"TEMP\"=\"C:\\\\users\\\\ann\\\\Temp\"\n", "", "T2"},
      {"\"TMP\"=\"C:\\\\missing\"\n\"TEMP\"=\"C:\\\\T2\"\n", "", nullptr},
      {"\"TMP\"=str(2):\"%NO_SUCH%\\\\x\"\n\"TEMP\"=\"C:\\\\T2\"\n", "", "T2"},
  };
  for (const Case& c : cases) {
    prefix_.userReg("[Environment]\n" + c.user);
    prefix_.systemReg(c.system);
    EXPECT_EQ(wellKnownFolders(scanned_).temp, c.below ? hostPath(c.below) : std::string()) << c.user << c.system;
  }
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::remove_all(prefix_.path());
  std::filesystem::current_path(temp_.path());
  EXPECT_EQ(wellKnownFolders(scanned_).temp, "") << "without a prefix there is no Temp, least of all the current folder";
  std::filesystem::current_path(before);
}

}  // namespace
}  // namespace zendrift::profile
