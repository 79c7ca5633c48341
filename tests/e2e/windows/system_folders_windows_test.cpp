// The Windows build's well-known folders against what the shell itself reports for the profile.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/path.h"
#include "platform/win32/win32_text.h"
#include "shell_link_writer.h"
#include "profile/well_known_folders.h"
#include "temp_dir.h"

namespace zendrift::profile {
namespace {

// The shell's path of a folder, as the folders object gives it: no trailing backslash, and empty
// when the folder is not there.
std::string shellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return {};
  return platform::withoutTrailingSeparator(platform::win32::toUtf8(path));
}

std::string systemDirectory(UINT (*query)(LPWSTR, UINT)) {
  wchar_t path[MAX_PATH] = {};
  const UINT length = query(path, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::string() : platform::win32::toUtf8(path);
}

TEST(SystemFoldersOnWindows, EveryFolderEqualsTheShellsAnswer) {
  const testing::win32::ComApartment com;
  const WellKnownFolders folders = wellKnownFolders(profile::scannedProfile({}));
  struct Case {
    const char* name;
    std::string actual;
    int csidl;
  };
  const Case cases[] = {
      {"Desktop", folders.desktop, CSIDL_DESKTOPDIRECTORY},
      {"DesktopDirectory", folders.desktopDirectory, CSIDL_DESKTOPDIRECTORY},
      {"Programs", folders.programs, CSIDL_PROGRAMS},
      {"Personal", folders.personal, CSIDL_PERSONAL},
      {"Favorites", folders.favorites, CSIDL_FAVORITES},
      {"Startup", folders.startup, CSIDL_STARTUP},
      {"Recent", folders.recent, CSIDL_RECENT},
      {"SendTo", folders.sendTo, CSIDL_SENDTO},
      {"StartMenu", folders.startMenu, CSIDL_STARTMENU},
      {"Fonts", folders.fonts, CSIDL_FONTS},
      {"Templates", folders.templates, CSIDL_TEMPLATES},
      {"CommonStartmenu", folders.commonStartmenu, CSIDL_COMMON_STARTMENU},
      {"CommonPrograms", folders.commonPrograms, CSIDL_COMMON_PROGRAMS},
      {"CommonStartup", folders.commonStartup, CSIDL_COMMON_STARTUP},
      {"CommonDesktopDirectory", folders.commonDesktopDirectory, CSIDL_COMMON_DESKTOPDIRECTORY},
      {"CommonAppData", folders.commonAppData, CSIDL_COMMON_APPDATA},
      {"AppData", folders.appData, CSIDL_APPDATA},
      {"CommonFavorites", folders.commonFavorites, CSIDL_COMMON_FAVORITES},
      {"InternetCache", folders.internetCache, CSIDL_INTERNET_CACHE},
      {"Cookies", folders.cookies, CSIDL_COOKIES},
      {"History", folders.history, CSIDL_HISTORY},
      {"Profile", folders.profile, CSIDL_PROFILE},
      {"ProgramFiles", folders.programFiles, CSIDL_PROGRAM_FILES},
      {"CommonFiles", folders.commonFiles, CSIDL_PROGRAM_FILES_COMMON},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, shellFolder(c.csidl)) << c.name;
  EXPECT_FALSE(folders.startMenu.empty());
  EXPECT_FALSE(folders.programFiles.empty());
  EXPECT_EQ(folders.windows, systemDirectory(::GetWindowsDirectoryW));
  EXPECT_EQ(folders.system, systemDirectory(::GetSystemDirectoryW));
}

// Disabled until Temp converts its folder to the long-name form on Windows (GetLongPathNameW):
// today it returns TMP as it stands, short names included.
TEST(SystemFoldersOnWindows, TempIsTheLongNameOfTmp) {
  testing::TempDir dir;
  const std::wstring longName = dir.path().wstring() + L"\\A rather long folder name";
  ASSERT_TRUE(::CreateDirectoryW(longName.c_str(), nullptr));
  wchar_t shortName[MAX_PATH] = {};
  ASSERT_GT(::GetShortPathNameW(longName.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(std::wstring(shortName), longName);

  const std::wstring keepTmp = [] {
    wchar_t value[32768] = {};
    return ::GetEnvironmentVariableW(L"TMP", value, 32768) ? std::wstring(value) : std::wstring();
  }();
  ::SetEnvironmentVariableW(L"TMP", shortName);
  const std::string temp = wellKnownFolders(profile::scannedProfile({})).temp;
  ::SetEnvironmentVariableW(L"TMP", (longName + L"\\").c_str());
  const std::string withBackslash = wellKnownFolders(profile::scannedProfile({})).temp;
  ::SetEnvironmentVariableW(L"TMP", (dir.path().wstring() + L"\\missing").c_str());
  const std::string missing = wellKnownFolders(profile::scannedProfile({})).temp;
  ::SetEnvironmentVariableW(L"TMP", keepTmp.empty() ? nullptr : keepTmp.c_str());

  EXPECT_EQ(temp, platform::win32::toUtf8(longName));
  EXPECT_EQ(withBackslash, platform::win32::toUtf8(longName));
  EXPECT_EQ(missing, "");
}

}  // namespace
}  // namespace zendrift::profile
