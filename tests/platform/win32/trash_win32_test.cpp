// The Recycle Bin on Windows and under Wine: what a cleaning recycled comes back as that very
// file, also when the bin holds several of its name from the same folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/guarded_removal.h"
#include "platform/trash.h"
#include "temp_dir.h"

namespace zendrift::platform {
namespace {

using testing::TempDir;

TEST(Win32Trash, EachOfSixRecyclingsOfOneShortcutComesBackAsItsOwnVersion) {
  TempDir dir;
  const std::string path = dir / "Game.lnk";
  // An installer puts the shortcut back and a cleaning takes it again, six times. The last three
  // versions have the same size and go in different seconds: only the bin's deletion time tells
  // them apart.
  std::vector<std::string> versions;
  for (int i = 0; i < 6; ++i) {
    versions.push_back("version " + std::to_string(i) + std::string(static_cast<std::size_t>(std::min(i, 3)) * 7, '.'));
  }
  std::vector<TrashedFile> trashed(versions.size());
  for (std::size_t i = 0; i < versions.size(); ++i) {
    if (i >= 4) ::Sleep(1100);
    testing::writeFile(path, versions[i]);
    const Result<EntryIdentity> identity = entryIdentity(path);
    ASSERT_TRUE(identity);
    Trash trash;
    Result<TrashedFile> moved = trash.moveBelow(dir.str(), "Game.lnk", *identity, path);
    ASSERT_TRUE(moved) << i;
    trashed[i] = std::move(moved).value();
    ASSERT_FALSE(fileExists(path));
  }

  // Since summer time began, the bin tells the first one's time an hour later than recorded.
  trashed[0].changed -= 3600LL * 1'000'000'000;
  // The newest first, as undo takes cleanings, then the rest in no order the bin could follow:
  // the fourth while a newer one of its size is still in the bin.
  for (const std::size_t i : {5, 3, 1, 4, 0, 2}) {
    ASSERT_FALSE(restoreFromTrash(trashed[i], dir.str())) << i;
    EXPECT_EQ(testing::readFile(path), versions[i]) << i;
    ASSERT_TRUE(::DeleteFileW(std::filesystem::path(path).wstring().c_str()));
  }
  EXPECT_EQ(restoreFromTrash(trashed[5], dir.str()), TrashError::notInTrash);
}

}  // namespace
}  // namespace zendrift::platform
