// File and folder services on Windows: existence tests, deletion, creation, reading, replacing.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace zendrift::platform {
namespace {

using testing::TempDir;
using testing::win32::makeFile;
using testing::win32::makeFolder;

TEST(Win32FileServices, ExistenceTestsTellFilesFromFolders) {
  TempDir dir;
  makeFile(dir.path().wstring() + L"\\game.exe");
  makeFolder(dir.path().wstring() + L"\\Program");
  struct Case {
    std::string path;
    bool file;
    bool folder;
  };
  const Case cases[] = {
      {dir / "game.exe", true, false},
      {dir / "GAME.EXE", true, false},  // Windows names ignore letter case
      {dir / "Program", false, true},
      {dir / "Program\\", false, true},
      {dir / "missing.exe", false, false},
      {dir / "missing\\game.exe", false, false},
      {dir / "game.exe\\", false, false},
      {dir / "*.exe", false, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fileExists(c.path), c.file) << c.path;
    EXPECT_EQ(folderExists(c.path), c.folder) << c.path;
  }
}

TEST(Win32FileServices, DeleteFileRemovesFilesButNotFoldersOrReadOnlyFiles) {
  TempDir dir;
  const std::wstring root = dir.path().wstring();
  makeFile(root + L"\\gone.lnk");
  makeFile(root + L"\\kept.lnk");
  makeFolder(root + L"\\folder");
  ASSERT_TRUE(::SetFileAttributesW((root + L"\\kept.lnk").c_str(), FILE_ATTRIBUTE_READONLY));

  EXPECT_FALSE(deleteFile(dir / "gone.lnk"));
  EXPECT_FALSE(fileExists(dir / "gone.lnk"));
  EXPECT_TRUE(deleteFile(dir / "gone.lnk"));
  EXPECT_TRUE(deleteFile(dir / "kept.lnk"));
  EXPECT_TRUE(fileExists(dir / "kept.lnk"));
  EXPECT_TRUE(deleteFile(dir / "folder"));
  EXPECT_TRUE(folderExists(dir / "folder"));
  ::SetFileAttributesW((root + L"\\kept.lnk").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32FileServices, RemoveFolderOnlyRemovesEmptyFolders) {
  TempDir dir;
  makeFolder(dir.path().wstring() + L"\\empty");
  makeFolder(dir.path().wstring() + L"\\full");
  makeFile(dir.path().wstring() + L"\\full\\x.lnk");
  EXPECT_FALSE(removeFolder(dir / "empty"));
  EXPECT_FALSE(folderExists(dir / "empty"));
  EXPECT_TRUE(removeFolder(dir / "full"));
  EXPECT_TRUE(fileExists(dir / "full\\x.lnk"));
  EXPECT_TRUE(removeFolder(""));
}

TEST(Win32FileServices, CreateFoldersMakesEveryMissingLevel) {
  TempDir dir;
  EXPECT_FALSE(createFolders(dir / "a\\b\\c"));
  EXPECT_TRUE(folderExists(dir / "a\\b\\c"));
  EXPECT_FALSE(createFolders(dir / "a\\b\\c\\"));  // already there, trailing delimiter
  EXPECT_FALSE(createFolders(dir.str() + "/a/forward/slashes"));
  EXPECT_TRUE(folderExists(dir / "a\\forward\\slashes"));

  makeFile(dir.path().wstring() + L"\\plain");
  EXPECT_TRUE(createFolders(dir / "plain\\below"));
  EXPECT_TRUE(createFolders(""));
}

TEST(Win32FileServices, ProbeCreatesAWritableFileAndRefusesFolders) {
  TempDir dir;
  EXPECT_FALSE(probeReadWrite(dir / "zendrift.ini"));
  EXPECT_TRUE(fileExists(dir / "zendrift.ini"));
  EXPECT_EQ(testing::readFile(dir.path() / "zendrift.ini"), "");
  EXPECT_TRUE(probeReadWrite(dir.str()));
  EXPECT_TRUE(probeReadWrite(dir / "missing\\zendrift.ini"));

  // Wine maps the read-only bit to file permissions, which do not stop root.
  if (testing::win32::underWine()) return;
  makeFile(dir.path().wstring() + L"\\locked.ini", "x");
  ::SetFileAttributesW((dir.path().wstring() + L"\\locked.ini").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(probeReadWrite(dir / "locked.ini"));
  ::SetFileAttributesW((dir.path().wstring() + L"\\locked.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32FileServices, ReadFileReadsUpToTheLimit) {
  TempDir dir;
  std::string big(200000, 'z');
  big[150000] = 'A';
  makeFile(dir.path().wstring() + L"\\big.bin", big);
  EXPECT_EQ(readFile(dir / "big.bin"), big);
  EXPECT_EQ(readFile(dir / "big.bin", 4), "zzzz");
  makeFile(dir.path().wstring() + L"\\empty.bin");
  EXPECT_EQ(readFile(dir / "empty.bin"), "");
  EXPECT_FALSE(readFile(dir / "missing.bin"));
  EXPECT_FALSE(readFile(dir.str()));
}

TEST(Win32FileServices, ReplaceFileSwapsTheContentAndLeavesNothingBehind) {
  TempDir dir;
  EXPECT_FALSE(replaceFile(dir / "settings.ini", "[Form]\r\nTop=1\r\n"));
  EXPECT_EQ(readFile(dir / "settings.ini"), "[Form]\r\nTop=1\r\n");
  EXPECT_FALSE(replaceFile(dir / "settings.ini", "short"));
  EXPECT_EQ(readFile(dir / "settings.ini"), "short");

  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);

  makeFolder(dir.path().wstring() + L"\\folder");
  EXPECT_TRUE(replaceFile(dir / "folder", "x"));
  EXPECT_TRUE(replaceFile(dir / "missing\\settings.ini", "x"));
}

}  // namespace
}  // namespace zendrift::platform
