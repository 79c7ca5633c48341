// The set of folders a walk has met: each identity once, through the table's growth.
#include <gtest/gtest.h>

#include "search/folder_id_set.h"

namespace zendrift::search {
namespace {

TEST(FolderIdSet, TakesEachFolderOnceAcrossGrowthAndCollidingIdentities) {
  FolderIdSet set;
  // Identities that differ only in the device, or are all zero, as well as many inodes.
  for (std::uint64_t round = 0; round < 2; ++round) {
    for (std::uint64_t inode = 0; inode < 5000; ++inode) {
      for (std::uint64_t device : {0u, 1u}) {
        EXPECT_EQ(set.insert({device, inode}), round == 0) << device << ":" << inode << " round " << round;
      }
    }
  }
  EXPECT_EQ(set.size(), 10000u);
}

}  // namespace
}  // namespace zendrift::search
