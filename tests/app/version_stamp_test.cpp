// The version stamp read back from real executables.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/version_stamp.h"
#include "temp_dir.h"

namespace zendrift::app {
namespace {

using testing::TempDir;
using testing::writeFile;

TEST(VersionStamp, TheProgramCarriesItsFileVersion) {
  EXPECT_EQ(versionStamp(testing::testSetting("ZENDRIFT_BIN")), "1.8.9 (Build 36)");
}

TEST(VersionStamp, FilesWithoutAVersionGiveZeros) {
  TempDir dir;
  writeFile(dir / "text", "hello");
  writeFile(dir / "truncated", std::string("\x7F" "ELF\x02\x01\x01", 7) + std::string(100, '\xFF'));
  EXPECT_EQ(versionStamp(dir / "missing"), "0.0.0 (Build 0)");
  EXPECT_EQ(versionStamp(dir / "text"), "0.0.0 (Build 0)");
  EXPECT_EQ(versionStamp(dir / "truncated"), "0.0.0 (Build 0)");
  EXPECT_EQ(versionStamp(dir.str()), "0.0.0 (Build 0)");
  // An ordinary system executable has ELF notes, but not ours.
  EXPECT_EQ(versionStamp("/bin/sh"), "0.0.0 (Build 0)");
}

}  // namespace
}  // namespace zendrift::app
