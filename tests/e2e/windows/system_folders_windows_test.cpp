// The Windows build's well-known folders against what the shell itself reports for the profile.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/path.h"
#include "platform/win32/win32_text.h"
#include "shell_link_writer.h"
#include "sysfolders/system_folders.h"
#include "temp_dir.h"

namespace zendrift::sysfolders {
namespace {

// The shell's path of a folder, as the folders object gives it: no trailing backslash, and empty
// when the folder is not there.
std::string shellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return {};
  return platform::excludeTrailingDelimiter(platform::win32::toUtf8(path));
}

std::string systemDirectory(UINT (*query)(LPWSTR, UINT)) {
  wchar_t path[MAX_PATH] = {};
  const UINT length = query(path, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::string() : platform::win32::toUtf8(path);
}

TEST(SystemFoldersOnWindows, EveryAccessorEqualsTheShellsAnswer) {
  const testing::win32::ComApartment com;
  const TJvSystemFolders folders;
  struct Case {
    const char* name;
    std::string actual;
    int csidl;
  };
  const Case cases[] = {
      {"Desktop", folders.Desktop(), CSIDL_DESKTOPDIRECTORY},
      {"DesktopDirectory", folders.DesktopDirectory(), CSIDL_DESKTOPDIRECTORY},
      {"Programs", folders.Programs(), CSIDL_PROGRAMS},
      {"Personal", folders.Personal(), CSIDL_PERSONAL},
      {"Favorites", folders.Favorites(), CSIDL_FAVORITES},
      {"Startup", folders.Startup(), CSIDL_STARTUP},
      {"Recent", folders.Recent(), CSIDL_RECENT},
      {"SendTo", folders.SendTo(), CSIDL_SENDTO},
      {"StartMenu", folders.StartMenu(), CSIDL_STARTMENU},
      {"Fonts", folders.Fonts(), CSIDL_FONTS},
      {"Templates", folders.Templates(), CSIDL_TEMPLATES},
      {"CommonStartmenu", folders.CommonStartmenu(), CSIDL_COMMON_STARTMENU},
      {"CommonPrograms", folders.CommonPrograms(), CSIDL_COMMON_PROGRAMS},
      {"CommonStartup", folders.CommonStartup(), CSIDL_COMMON_STARTUP},
      {"CommonDesktopDirectory", folders.CommonDesktopDirectory(), CSIDL_COMMON_DESKTOPDIRECTORY},
      {"CommonAppData", folders.CommonAppData(), CSIDL_COMMON_APPDATA},
      {"AppData", folders.AppData(), CSIDL_APPDATA},
      {"CommonFavorites", folders.CommonFavorites(), CSIDL_COMMON_FAVORITES},
      {"InternetCache", folders.InternetCache(), CSIDL_INTERNET_CACHE},
      {"Cookies", folders.Cookies(), CSIDL_COOKIES},
      {"History", folders.History(), CSIDL_HISTORY},
      {"Profile", folders.Profile(), CSIDL_PROFILE},
      {"ProgramFiles", folders.ProgramFiles(), CSIDL_PROGRAM_FILES},
      {"CommonFiles", folders.CommonFiles(), CSIDL_PROGRAM_FILES_COMMON},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, shellFolder(c.csidl)) << c.name;
  EXPECT_FALSE(folders.StartMenu().empty());
  EXPECT_FALSE(folders.ProgramFiles().empty());
  EXPECT_EQ(folders.Windows(), systemDirectory(::GetWindowsDirectoryW));
  EXPECT_EQ(folders.System(), systemDirectory(::GetSystemDirectoryW));
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
  const std::string temp = TJvSystemFolders().Temp();
  ::SetEnvironmentVariableW(L"TMP", (longName + L"\\").c_str());
  const std::string withBackslash = TJvSystemFolders().Temp();
  ::SetEnvironmentVariableW(L"TMP", (dir.path().wstring() + L"\\missing").c_str());
  const std::string missing = TJvSystemFolders().Temp();
  ::SetEnvironmentVariableW(L"TMP", keepTmp.empty() ? nullptr : keepTmp.c_str());

  EXPECT_EQ(temp, platform::win32::toUtf8(longName));
  EXPECT_EQ(withBackslash, platform::win32::toUtf8(longName));
  EXPECT_EQ(missing, "");
}

}  // namespace
}  // namespace zendrift::sysfolders
