// Folder listing through FindFirstFileW: entries, attributes, error outcomes, UTF-8 names.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/directory_listing.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace zendrift::platform {
namespace {

using testing::TempDir;
using testing::win32::makeFile;
using testing::win32::makeFolder;
using testing::win32::utf8;

std::map<std::string, DirEntry> listAll(const std::string& folder) {
  std::map<std::string, DirEntry> entries;
  DirectoryListing listing;
  EXPECT_FALSE(listing.open(folder)) << folder;
  std::error_code code;
  while (!code) {
    entries.emplace(listing.entry().name(), listing.entry());
    code = listing.next();
  }
  EXPECT_EQ(code, OsErrc::noMoreFiles);
  EXPECT_FALSE(listing.close());
  return entries;
}

TEST(Win32Listing, ListsEveryEntryWithDotsAndCompleteRecords) {
  TempDir dir;
  const std::wstring root = dir.path().wstring();
  makeFile(root + L"\\a.lnk", "12345");
  makeFolder(root + L"\\sub");
  makeFile(root + L"\\hidden.txt");
  ASSERT_TRUE(::SetFileAttributesW((root + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

  const auto entries = listAll(dir.str());
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_TRUE(entries.count("."));
  EXPECT_TRUE(entries.count(".."));

  const DirEntry& file = entries.at("a.lnk");
  EXPECT_FALSE(file.isDirectory());
  EXPECT_FALSE(file.isSymlink());
  EXPECT_EQ(file.size(), 5u);
  EXPECT_EQ(file.attributes() & kAttrDirectory, 0u);
  EXPECT_GT(file.lastWriteTime(), fileTimeFromUnix(946684800, 0));  // after the year 2000
  EXPECT_EQ(file.fullPath(), dir.str() + "\\a.lnk");

  const DirEntry& sub = entries.at("sub");
  EXPECT_TRUE(sub.isDirectory());
  EXPECT_NE(sub.attributes() & kAttrDirectory, 0u);
  EXPECT_EQ(sub.size(), 0u);

  const std::uint32_t hidden = entries.at("hidden.txt").attributes();
  EXPECT_EQ(hidden & (kAttrHidden | kAttrSystem), kAttrHidden | kAttrSystem);
}

TEST(Win32Listing, AcceptsTheFolderWithOrWithoutTrailingDelimiter) {
  TempDir dir;
  makeFile(dir.path().wstring() + L"\\x.lnk");
  EXPECT_EQ(listAll(dir.str()).size(), 3u);
  EXPECT_EQ(listAll(dir.str() + "\\").size(), 3u);
}

TEST(Win32Listing, ReportsWhyAFolderCannotBeListed) {
  TempDir dir;
  makeFile(dir.path().wstring() + L"\\file.txt");
  struct Case {
    std::string folder;
    std::error_code expected;
  };
  const Case cases[] = {
      {dir / "missing", OsErrc::pathNotFound},
      {dir / "missing\\deeper", OsErrc::pathNotFound},
      {dir / "file.txt", OsErrc::pathNotFound},
      {"", OsErrc::pathNotFound},
  };
  for (const Case& c : cases) {
    DirectoryListing listing;
    EXPECT_EQ(listing.open(c.folder), c.expected) << c.folder;
    EXPECT_FALSE(listing.isOpen()) << c.folder;
    EXPECT_EQ(listing.next(), OsErrc::invalidParameter);
  }
}

TEST(Win32Listing, NamesComeBackAsUtf8AndOpenAsUtf8) {
  TempDir dir;
  const std::wstring folderName = L"Gr\u00fc\u00dfe \u2603";
  const std::wstring fileName = L"\u65e5\u672c.lnk";
  makeFolder(dir.path().wstring() + L"\\" + folderName);
  makeFile(dir.path().wstring() + L"\\" + folderName + L"\\" + fileName);

  const std::string folder = dir.str() + "\\Gr\xc3\xbc\xc3\x9f" "e \xe2\x98\x83";
  const auto entries = listAll(folder);
  ASSERT_EQ(entries.count("\xe6\x97\xa5\xe6\x9c\xac.lnk"), 1u);
  EXPECT_TRUE(entries.count("\xe6\x97\xa5\xe6\x9c\xac.lnk"));
}

TEST(Win32Listing, FolderIdIsTheSameForTwoSpellingsOfOneFolder) {
  TempDir dir;
  makeFolder(dir.path().wstring() + L"\\one");
  makeFolder(dir.path().wstring() + L"\\two");
  DirectoryListing first, again, other;
  ASSERT_FALSE(first.open(dir / "one"));
  ASSERT_FALSE(again.open(dir.str() + "\\two\\..\\one\\"));
  ASSERT_FALSE(other.open(dir / "two"));
  ASSERT_TRUE(first.folderId());
  EXPECT_EQ(first.folderId(), again.folderId());
  EXPECT_NE(first.folderId(), other.folderId());
  first.close();
  EXPECT_FALSE(first.folderId());
}

TEST(Win32FindEntry, FindsExactlyThePathNamed) {
  TempDir dir;
  makeFile(dir.path().wstring() + L"\\doc.txt", "abc");
  makeFolder(dir.path().wstring() + L"\\folder");

  const auto file = findEntry(dir / "doc.txt");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->name(), "doc.txt");
  EXPECT_EQ(file->folder(), dir.str() + "\\");
  EXPECT_EQ(file->size(), 3u);
  const auto folder = findEntry(dir / "folder");
  ASSERT_TRUE(folder);
  EXPECT_TRUE(folder->isDirectory());

  for (const std::string& none : {dir / "nothing", dir / "folder\\", dir / "*.txt", dir / "doc.tx?", std::string()}) {
    EXPECT_FALSE(findEntry(none)) << none;
  }
}

}  // namespace
}  // namespace zendrift::platform
