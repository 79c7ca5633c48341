// Folder listing and file services of the host, on real folders.
#include <sys/stat.h>
#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <map>

#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "temp_dir.h"

namespace zendrift::platform {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

std::map<std::string, std::uint32_t> listAll(const std::string& folder) {
  std::map<std::string, std::uint32_t> entries;
  DirectoryListing listing;
  EXPECT_FALSE(listing.open(folder));
  do {
    entries[listing.entry().name()] = listing.entry().attributes();
  } while (!listing.next());
  EXPECT_FALSE(listing.close());
  return entries;
}

TEST(DirectoryListing, ListsEveryEntryWithWindowsAttributes) {
  TempDir dir;
  writeFile(dir / "plain.lnk", "12345");
  writeFile(dir / ".dotfile", "");
  writeFile(dir / "readonly.txt", "");
  fs::permissions(dir.path() / "readonly.txt", fs::perms::owner_read);
  writeFile(dir / "sys.lnk", "");
  ASSERT_EQ(::setxattr((dir / "sys.lnk").c_str(), "user.DOSATTRIB", "0x6", 3, 0), 0) << "xattrs unsupported here";
  fs::create_directories(dir.path() / "sub");
  fs::create_directory_symlink(dir.path() / "sub", dir.path() / "linkdir");
  fs::create_symlink(dir.path() / "plain.lnk", dir.path() / "linkfile");
  fs::create_symlink(dir.path() / "nowhere", dir.path() / "dangling");

  const auto entries = listAll(dir.str());
  EXPECT_EQ(entries.size(), 10u);
  EXPECT_EQ(entries.at("."), kAttrDirectory);
  EXPECT_EQ(entries.at(".."), kAttrDirectory);
  EXPECT_EQ(entries.at("plain.lnk"), kAttrArchive);
  EXPECT_EQ(entries.at(".dotfile"), kAttrArchive | kAttrHidden);
  EXPECT_EQ(entries.at("readonly.txt"), kAttrArchive | kAttrReadOnly);
  EXPECT_EQ(entries.at("sys.lnk"), kAttrArchive | kAttrHidden | kAttrSystem);
  EXPECT_EQ(entries.at("sub"), kAttrDirectory);
  EXPECT_EQ(entries.at("linkdir"), kAttrDirectory | kAttrReparsePoint);
  EXPECT_EQ(entries.at("linkfile"), kAttrArchive | kAttrReparsePoint);
  EXPECT_EQ(entries.at("dangling"), kAttrArchive | kAttrReparsePoint);
}

TEST(DirectoryListing, SizeAndTimeComeOnRequest) {
  TempDir dir;
  writeFile(dir / "f", std::string(1234, 'x'));
  const fs::file_time_type when = fs::file_time_type::clock::now() - std::chrono::hours(48);
  fs::last_write_time(dir.path() / "f", when);
  struct stat status {};
  ASSERT_EQ(::stat((dir / "f").c_str(), &status), 0);

  const auto entry = findEntry(dir / "f");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->size(), 1234u);
  EXPECT_EQ(entry->lastWriteTime(), fileTimeFromUnix(status.st_mtim.tv_sec, status.st_mtim.tv_nsec));
  EXPECT_EQ(fileTimeFromUnix(0, 0), 116444736000000000ULL);
}

TEST(DirectoryListing, FailuresAreToldApart) {
  TempDir dir;
  writeFile(dir / "file", "");
  DirectoryListing listing;
  EXPECT_EQ(listing.open(dir / "missing"), OsErrc::pathNotFound);
  EXPECT_EQ(listing.open(dir / "missing/deeper"), OsErrc::pathNotFound);
  EXPECT_EQ(listing.open(dir / "file"), OsErrc::pathNotFound);
  EXPECT_FALSE(listing.isOpen());
  EXPECT_EQ(listing.next(), OsErrc::invalidParameter);
  EXPECT_FALSE(listing.close());

  ASSERT_FALSE(listing.open(dir.str() + "/"));
  int count = 1;
  std::error_code code;
  while (!(code = listing.next())) ++count;
  EXPECT_EQ(code, OsErrc::noMoreFiles);
  EXPECT_EQ(count, 3);
  EXPECT_TRUE(listing.folderId());
}

TEST(FileServices, ExistenceTests) {
  TempDir dir;
  writeFile(dir / "f.lnk", "");
  fs::create_directories(dir.path() / "d");
  fs::create_symlink(dir.path() / "nowhere", dir.path() / "dangling");
  EXPECT_TRUE(fileExists(dir / "f.lnk"));
  EXPECT_FALSE(fileExists(dir / "f.lnk/"));
  EXPECT_FALSE(fileExists(dir / "d"));
  EXPECT_TRUE(fileExists(dir / "dangling"));
  EXPECT_FALSE(fileExists(dir / "missing"));
  EXPECT_FALSE(fileExists(""));
  EXPECT_TRUE(folderExists(dir / "d"));
  EXPECT_TRUE(folderExists(dir / "d/"));
  EXPECT_TRUE(folderExists("/"));
  EXPECT_FALSE(folderExists(dir / "f.lnk"));
  EXPECT_FALSE(folderExists(""));
}

TEST(FileServices, DeletionNeverFollowsLinksNorTakesFullFolders) {
  TempDir dir;
  writeFile(dir / "target.txt", "keep");
  fs::create_symlink(dir.path() / "target.txt", dir.path() / "link.lnk");
  writeFile(dir / "full/x", "");
  writeFile(dir / "ro.lnk", "");
  fs::permissions(dir.path() / "ro.lnk", fs::perms::owner_read);

  EXPECT_FALSE(deleteFile(dir / "link.lnk"));
  EXPECT_EQ(readFile(dir.path() / "target.txt"), "keep");
  EXPECT_TRUE(deleteFile(dir / "full"));
  EXPECT_TRUE(removeFolder(dir / "full"));
  EXPECT_TRUE(fs::exists(dir.path() / "full/x"));
  EXPECT_TRUE(deleteFile(dir / "ro.lnk")) << "a read-only file is not deleted, as on Windows";
  EXPECT_TRUE(fs::exists(dir.path() / "ro.lnk"));
  EXPECT_FALSE(deleteFile(dir / "full/x"));
  EXPECT_FALSE(removeFolder(dir / "full"));
  EXPECT_FALSE(fs::exists(dir.path() / "full"));
}

TEST(FileServices, ReplaceFileIsAllOrNothingAndKeepsLinksAndModes) {
  TempDir dir;
  writeFile(dir / "real.ini", "old");
  fs::permissions(dir.path() / "real.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(dir.path() / "real.ini", dir.path() / "link.ini");
  ASSERT_FALSE(replaceFile(dir / "link.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ini"));
  EXPECT_EQ(readFile(dir.path() / "real.ini"), "new");
  EXPECT_EQ(fs::status(dir.path() / "real.ini").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  EXPECT_TRUE(replaceFile(dir / "real.ini/below", "x"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);

  EXPECT_FALSE(createFolders(dir / "a/b/c"));
  EXPECT_TRUE(fs::is_directory(dir.path() / "a/b/c"));
  EXPECT_TRUE(createFolders(dir / "real.ini/x"));
  EXPECT_FALSE(probeReadWrite(dir / "a/new.ini"));
  EXPECT_TRUE(fs::is_regular_file(dir.path() / "a/new.ini"));
  EXPECT_TRUE(probeReadWrite(dir / "a"));
  EXPECT_EQ(platform::readFile(dir / "real.ini", 2), "ne");
  EXPECT_FALSE(platform::readFile(dir / "a"));
}

}  // namespace
}  // namespace zendrift::platform
