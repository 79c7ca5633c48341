// Paths beyond the classic 260-character limit work whole in every service.
#include <gtest/gtest.h>

#include <string>

#include "platform/directory_listing.h"
#include "platform/file_system.h"
#include "temp_dir.h"

namespace zendrift::platform {
namespace {

using testing::TempDir;

// A folder path well past 260 characters below `base`.
std::string deepFolder(const TempDir& dir) {
  std::string path = dir.str();
  for (int level = 0; level < 8; ++level) path += "\\" + std::string(40, static_cast<char>('a' + level));
  return path;
}

// Takes the deep folders down level by level: the test helpers' own clean-up uses the short forms.
void removeDeepFolders(const TempDir& dir) {
  std::string path = deepFolder(dir);
  while (path.size() > dir.str().size()) {
    static_cast<void>(removeFolder(path));  // the deepest may be gone already
    path.resize(path.rfind('\\'));
  }
}

TEST(Win32LongPaths, EveryServiceWorksBeyond260Characters) {
  TempDir dir;
  const std::string folder = deepFolder(dir);
  ASSERT_GT(folder.size(), 300u);

  ASSERT_FALSE(createFolders(folder));
  EXPECT_TRUE(folderExists(folder));
  const std::string file = folder + "\\shortcut to a game.lnk";
  EXPECT_FALSE(probeReadWrite(file));
  EXPECT_FALSE(replaceFile(file, "content"));
  EXPECT_EQ(readFile(file), "content");
  EXPECT_TRUE(fileExists(file));

  DirectoryListing listing;
  ASSERT_FALSE(listing.open(folder));
  bool found = false;
  do {
    found = found || listing.entry().name() == "shortcut to a game.lnk";
  } while (!listing.next());
  EXPECT_TRUE(found);
  EXPECT_TRUE(listing.folderId());
  listing.close();

  const auto entry = findEntry(file);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->size(), 7u);

  EXPECT_FALSE(deleteFile(file));
  EXPECT_FALSE(fileExists(file));
  EXPECT_FALSE(removeFolder(folder));
  EXPECT_FALSE(folderExists(folder));
  removeDeepFolders(dir);
}

TEST(Win32LongPaths, DotsInALongPathAreResolvedBeforeTheLongForm) {
  TempDir dir;
  const std::string folder = deepFolder(dir);
  ASSERT_FALSE(createFolders(folder));
  const std::string roundabout = folder + "\\..\\" + std::string(40, 'h') + "\\.\\";
  EXPECT_TRUE(folderExists(roundabout));
  EXPECT_FALSE(replaceFile(roundabout + "x.ini", "x"));
  EXPECT_TRUE(fileExists(folder + "\\x.ini"));
  EXPECT_FALSE(deleteFile(folder + "\\x.ini"));
  removeDeepFolders(dir);
}

}  // namespace
}  // namespace zendrift::platform
