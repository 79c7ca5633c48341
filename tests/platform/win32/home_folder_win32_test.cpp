// Telling the Unix home among the folders a Windows program sees under Wine, by any route to it;
// on Windows no folder is one.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/home_folder.h"
#include "platform/win32/win32_text.h"
#include "temp_dir.h"
#include "win32_test_support.h"

namespace zendrift::platform {
namespace {

using testing::TempDir;
using testing::win32::hostPath;
using testing::win32::runHostProgram;
using testing::win32::underWine;

// A Unix link to the Unix side's $HOME, made and removed by the host's own tools. It lies beside
// the test folder, never inside it: a Windows program's removal of a folder tree under Wine would
// follow it into the home.
class LinkToHome {
 public:
  explicit LinkToHome(std::string windowsPath) : path_(std::move(windowsPath)), host_(hostPath(win32::toWide(path_))) {
    made_ = !host_.empty() && runHostProgram({"/bin/sh", "-c", "ln -s \"$HOME\" \"$1\"", "sh", host_});
  }
  ~LinkToHome() {
    if (made_) runHostProgram({"/bin/rm", "-f", host_});
  }
  LinkToHome(const LinkToHome&) = delete;
  LinkToHome& operator=(const LinkToHome&) = delete;
  bool made() const { return made_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string host_;
  bool made_ = false;
};

TEST(Win32HomeFolder, OnlyTheUnixHomeIsItByAnyRoute) {
  TempDir dir;
  EXPECT_FALSE(isUnixHomeFolder(dir.str()));
  EXPECT_FALSE(isUnixHomeFolder("C:\\"));
  EXPECT_FALSE(isUnixHomeFolder(""));
  EXPECT_FALSE(isUnixHomeFolder(dir / "missing"));
  if (!underWine()) GTEST_SKIP() << "no Unix home on Windows";

  // As Wine links a Desktop that the home lacks: another name on another drive letter.
  const LinkToHome desktop(dir.str() + "-Desktop");
  ASSERT_TRUE(desktop.made());
  EXPECT_TRUE(isUnixHomeFolder(desktop.path()));
  EXPECT_TRUE(isUnixHomeFolder(desktop.path() + "\\"));
}

}  // namespace
}  // namespace zendrift::platform
