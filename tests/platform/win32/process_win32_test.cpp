// The process's surroundings on Windows: environment, folders, the executable, error texts.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/os_error.h"
#include "platform/process.h"
#include "platform/win32/win32_text.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace zendrift::platform {
namespace {

using testing::win32::ScopedWideEnv;

TEST(Win32Process, EnvironmentTellsUnsetFromEmpty) {
  const ScopedWideEnv unset(L"ZENDRIFT_UNSET", nullptr);
  const ScopedWideEnv empty(L"ZENDRIFT_EMPTY", L"");
  const ScopedWideEnv text(L"ZENDRIFT_TEXT", L"C:\\Temp\\\u00e9t\u00e9");
  EXPECT_FALSE(environmentVariable("ZENDRIFT_UNSET"));
  EXPECT_EQ(environmentVariable("ZENDRIFT_EMPTY"), "");
  EXPECT_EQ(environmentVariable("ZENDRIFT_TEXT"), "C:\\Temp\\\xc3\xa9t\xc3\xa9");
  EXPECT_EQ(environmentVariable("zendrift_text"), "C:\\Temp\\\xc3\xa9t\xc3\xa9");  // names ignore case
  const std::wstring longValue(5000, L'x');
  const ScopedWideEnv longer(L"ZENDRIFT_LONG", longValue.c_str());
  EXPECT_EQ(environmentVariable("ZENDRIFT_LONG"), std::string(5000, 'x'));
  EXPECT_FALSE(environmentVariable(""));
}

TEST(Win32Process, CurrentDirectoryFollowsTheProcess) {
  testing::TempDir dir;
  const std::string before = currentDirectory();
  ASSERT_FALSE(before.empty());
  ASSERT_TRUE(::SetCurrentDirectoryW(dir.path().wstring().c_str()));
  EXPECT_EQ(currentDirectory(), testing::win32::utf8(dir.path()));
  ::SetCurrentDirectoryW(win32::toWide(before).c_str());
  EXPECT_EQ(currentDirectory(), before);
}

TEST(Win32Process, ExecutablePathNamesThisProgram) {
  const std::string path = executablePath();
  ASSERT_GT(path.size(), 4u);
  EXPECT_EQ(path.substr(path.size() - 4), ".exe");
  EXPECT_NE(path.find("platform_win32_tests"), std::string::npos);
  EXPECT_TRUE(fileExists(path));
}

TEST(Win32Process, ApplicationDataIsTheShellsFolder) {
  wchar_t expected[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, expected), S_OK);
  const std::string folder = applicationDataFolder();
  EXPECT_EQ(folder, win32::toUtf8(expected));
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_TRUE(folderExists(folder));
}

TEST(Win32OsError, MessagesCarryTheSystemsText) {
  // Wine words its message table more tersely than Windows.
  const bool wine = testing::win32::underWine();
  EXPECT_EQ(systemErrorText(2), wine ? "File not found." : "The system cannot find the file specified.");
  EXPECT_EQ(systemErrorText(5), wine ? "Access denied." : "Access is denied.");
  const OsError error(OsErrc::pathNotFound);
  EXPECT_EQ(std::string(error.what()), "System Error.  Code: 3.\r\n" +
                                           std::string(wine ? "Path not found." : "The system cannot find the path specified."));
  EXPECT_EQ(error.code(), OsErrc::pathNotFound);
  const std::string unknown = systemErrorText(0x2345678);
  EXPECT_FALSE(unknown.empty());
  EXPECT_NE(unknown.back(), '\n');
}

}  // namespace
}  // namespace zendrift::platform
