// The Windows profile on Windows: environment references, Windows paths, drives, special
// folders and the machine registry.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "platform/process.h"
#include "profile/windows_profile.h"
#include "platform/win32/win32_text.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace zendrift::profile {
namespace {

// The running user's own profile, the one profile on Windows, and its registry reads.
const ShortcutProfile own = scannedProfile({});
RegistryCache registries;

using testing::win32::ScopedWideEnv;

TEST(Win32Profile, ExpandsKnownReferencesAndRefusesUnknownOnes) {
  const ScopedWideEnv root(L"ZD_ROOT", L"C:\\Program Files");
  const ScopedWideEnv game(L"ZD_GAME", L"Game \u00e9");
  const ScopedWideEnv unset(L"ZD_UNSET", nullptr);
  struct Case {
    std::string text;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"C:\\plain\\path.exe", "C:\\plain\\path.exe"},
      {"%ZD_ROOT%\\%ZD_GAME%\\run.exe", "C:\\Program Files\\Game \xc3\xa9\\run.exe"},
      {"%zd_root%\\x", "C:\\Program Files\\x"},
      {"%ZD_UNSET%\\x.exe", std::nullopt},
      {"%ZD_ROOT%\\%ZD_UNSET%", std::nullopt},
      {"100%", "100%"},
      {"50%% off", "50%% off"},
      {"%ZD_ROOT", "%ZD_ROOT"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(expandProfileEnvironment(c.text, own, registries), c.expected) << c.text;
}

TEST(Win32Profile, AnEmptyVariableExpandsToNothing) {
  const ScopedWideEnv empty(L"ZD_EMPTY", L"");
  EXPECT_EQ(expandProfileEnvironment("a%ZD_EMPTY%b", own, registries), "ab");
}

TEST(Win32Profile, WindowsPathsAreTheHostsOwn) {
  testing::TempDir dir;
  testing::win32::makeFile(dir.path().wstring() + L"\\target.exe");
  EXPECT_TRUE(windowsFileExists(dir / "target.exe", own));
  EXPECT_FALSE(windowsFileExists(dir / "target.exe\\", own));
  EXPECT_FALSE(windowsFileExists(dir.str(), own));
  EXPECT_FALSE(windowsFileExists("C:\\", own));
  EXPECT_TRUE(windowsFolderExists(dir.str(), own));
  EXPECT_TRUE(windowsFolderExists("C:", own));
  EXPECT_TRUE(windowsFolderExists("C:\\", own));
  EXPECT_FALSE(windowsFolderExists(dir / "target.exe", own));

  EXPECT_EQ(windowsFolderHostPath(dir.str() + "\\", own), dir.str());
  EXPECT_EQ(windowsFolderHostPath("C:", own), "C:\\");
  EXPECT_EQ(windowsFolderHostPath(dir / "missing", own), "");
  EXPECT_EQ(windowsFolderHostPath(dir / "target.exe", own), "");
}

TEST(Win32Profile, DriveTypesComeFromTheSystem) {
  EXPECT_EQ(windowsDriveType("C:", own, registries), kDriveFixed);
  EXPECT_EQ(windowsDriveType("C:", own, registries), ::GetDriveTypeW(L"C:\\"));
  // A letter that no drive uses has no valid root.
  for (wchar_t letter = L'Q'; letter <= L'Y'; ++letter) {
    const std::wstring root = std::wstring(1, letter) + L":\\";
    if (::GetDriveTypeW(root.c_str()) != DRIVE_NO_ROOT_DIR) continue;
    EXPECT_EQ(windowsDriveType(platform::win32::toUtf8(root.substr(0, 2)), own, registries), kDriveNoRootDir);
    break;
  }
  EXPECT_EQ(windowsDriveType("", own, registries), kDriveNoRootDir);
}

// The well-known folders equal what the shell reports for them.
TEST(Win32Profile, SpecialFoldersMatchTheShell) {
  const int csidls[] = {CSIDL_DESKTOPDIRECTORY, CSIDL_PROGRAMS, CSIDL_PERSONAL, CSIDL_STARTMENU, CSIDL_APPDATA,
                        CSIDL_COMMON_STARTMENU, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY,
                        CSIDL_COMMON_APPDATA, CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROGRAM_FILES, CSIDL_PROFILE,
                        CSIDL_FAVORITES, CSIDL_RECENT, CSIDL_HISTORY, CSIDL_STARTUP, CSIDL_TEMPLATES};
  for (const int csidl : csidls) {
    wchar_t expected[MAX_PATH] = {};
    const bool known = ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, expected) == S_OK &&
                       ::GetFileAttributesW(expected) != INVALID_FILE_ATTRIBUTES;
    EXPECT_EQ(specialFolderPath(csidl, own, registries), known ? platform::win32::toUtf8(expected) : "") << "CSIDL " << csidl;
  }
  EXPECT_FALSE(specialFolderPath(CSIDL_APPDATA, own, registries).empty());
  EXPECT_EQ(specialFolderPath(CSIDL_DRIVES, own, registries), "");  // a virtual folder has no path
  EXPECT_EQ(specialFolderPath(0x7f, own, registries), "");
}

TEST(Win32Profile, MachineRegistryValuesReadAsText) {
  const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  const auto programFiles = machineRegistryText(key, "ProgramFilesDir", own, registries);
  ASSERT_TRUE(programFiles);
  wchar_t expected[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, expected), S_OK);
  EXPECT_EQ(*programFiles, platform::win32::toUtf8(expected));
  EXPECT_TRUE(machineRegistryText(key, "CommonFilesDir", own, registries));
  EXPECT_FALSE(machineRegistryText(key, "NoSuchValue", own, registries));
  EXPECT_FALSE(machineRegistryText("SOFTWARE\\NoSuchKey", "ProgramFilesDir", own, registries));
}

}  // namespace
}  // namespace zendrift::profile
