// File services that read a file's contents on Windows: its first bytes and its version resource.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>

#include "platform/file_prefix.h"
#include "platform/file_version.h"
#include "platform/process.h"
#include "platform/win32/win32_text.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace zendrift::platform {
namespace {

TEST(Win32FileContents, FilePrefixReadsTheStartOfAFile) {
  testing::TempDir dir;
  testing::win32::makeFile(dir.path().wstring() + L"\\a.lnk", std::string("L\0\0\0abcdef", 10));
  std::array<std::byte, 4> small{};
  EXPECT_EQ(readFilePrefix(dir / "a.lnk", small), 4u);
  EXPECT_EQ(small[0], std::byte{'L'});
  std::array<std::byte, 64> large{};
  EXPECT_EQ(readFilePrefix(dir / "a.lnk", large), 10u);
  EXPECT_EQ(large[9], std::byte{'f'});
  EXPECT_FALSE(readFilePrefix(dir / "missing.lnk", large));
  EXPECT_FALSE(readFilePrefix(dir.str(), large));
}

TEST(Win32FileContents, FileVersionComesFromTheVersionResource) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
  const auto kernel = readFileVersion(win32::toUtf8(system) + "\\kernel32.dll");
  ASSERT_TRUE(kernel);
  EXPECT_GT((*kernel)[0], 0);

  // This program's own resource (test_version.rc).
  EXPECT_EQ(readFileVersion(executablePath()), (FileVersion{7, 65535, 0, 42}));

  testing::TempDir dir;
  testing::win32::makeFile(dir.path().wstring() + L"\\plain.exe", "MZ not really");
  EXPECT_FALSE(readFileVersion(dir / "plain.exe"));
  EXPECT_FALSE(readFileVersion(dir / "missing.exe"));
  EXPECT_FALSE(readFileVersion(""));
}

}  // namespace
}  // namespace zendrift::platform
