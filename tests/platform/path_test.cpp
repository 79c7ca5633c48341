// Path terms in both styles, on every platform.
#include <gtest/gtest.h>

#include "platform/path.h"

namespace zendrift::platform {
namespace {

constexpr auto W = PathStyle::Windows;
constexpr auto P = PathStyle::Posix;

TEST(Path, ExtensionIsFromTheLastDotWithNoDelimiterAfterIt) {
  struct Case {
    const char* path;
    PathStyle style;
    const char* ext;
  };
  const Case cases[] = {
      {"C:\\a\\game.exe", W, ".exe"},   {"C:\\a\\game.PIF", W, ".PIF"},   {"C:\\a.b\\game", W, ""},
      {"C:\\a\\.lnk", W, ".lnk"},       {"C:\\a\\x.", W, "."},            {"C:a.b:c", W, ""},
      {"\\\\s\\sh.are", W, ".are"},     {"/home/a.b/c", P, ""},           {"/home/a/c.tar.gz", P, ".gz"},
      {"/home/a\\b.c", P, ".c"},        {"C:\\x.y/z", W, ".y/z"},         {"", W, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(extension(c.path, c.style), c.ext) << c.path;
}

TEST(Path, DrivePartOfWindowsPaths) {
  struct Case {
    const char* path;
    const char* drive;
  };
  const Case cases[] = {
      {"C:\\Program Files\\x.exe", "C:"},
      {"c:", "c:"},
      {"C:relative", "C:"},
      {"\\\\server\\share\\dir\\f.txt", "\\\\server\\share"},
      {"\\\\server\\share", "\\\\server\\share"},
      {"\\\\server", "\\\\server"},
      {"\\\\server\\", "\\\\server\\"},
      {"\\single\\x", ""},
      {"relative\\x", ""},
      {"", ""},
      {"C", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(windowsDrivePart(c.path), c.drive) << c.path;
}

TEST(Path, TrailingDelimitersAndRoots) {
  EXPECT_EQ(withTrailingSeparator("/a", P), "/a/");
  EXPECT_EQ(withTrailingSeparator("/a/", P), "/a/");
  EXPECT_EQ(withTrailingSeparator("", P), "/");
  EXPECT_EQ(withTrailingSeparator("C:", W), "C:\\");
  EXPECT_EQ(withoutTrailingSeparator("/a/", P), "/a");
  EXPECT_EQ(withoutTrailingSeparator("/", P), "/");
  EXPECT_EQ(withoutTrailingSeparator("/a//", P), "/a/");
  EXPECT_EQ(withoutTrailingSeparator("C:\\", W), "C:\\");
  EXPECT_EQ(withoutTrailingSeparator("C:\\x\\", W), "C:\\x");
  EXPECT_EQ(withoutTrailingSeparator("\\", W), "\\");
}

TEST(Path, NameAndFolderParts) {
  EXPECT_EQ(fileName("/a/b/c.lnk", P), "c.lnk");
  EXPECT_EQ(fileName("C:x.lnk", W), "x.lnk");
  EXPECT_EQ(fileName("noslash", P), "noslash");
  EXPECT_EQ(withoutFileName("/a/b/c.lnk", P), "/a/b/");
  EXPECT_EQ(withoutFileName("Zendrift", P), "");
  EXPECT_EQ(parentPath("/a/b/c.lnk", P), "/a/b");
  EXPECT_EQ(parentPath("/c.lnk", P), "/");
  EXPECT_EQ(parentPath("C:\\c.lnk", W), "C:\\");
  EXPECT_EQ(parentPath("C:\\d\\c.lnk", W), "C:\\d");
  EXPECT_EQ(parentPath("c.lnk", P), "");
}

TEST(Path, JoinPutsOneDelimiterOfItsStyleBetween) {
  EXPECT_EQ(join("/a", "b.lnk", P), "/a/b.lnk");
  EXPECT_EQ(join("/a/", "b.lnk", P), "/a/b.lnk");
  EXPECT_EQ(join("/", ".wine", P), "/.wine");
  EXPECT_EQ(join("C:\\a", "b.lnk", W), "C:\\a\\b.lnk");
  EXPECT_EQ(join("C:\\", "b.lnk", W), "C:\\b.lnk");
  EXPECT_EQ(join("C:\\a/", "b", W), "C:\\a/\\b");
}

}  // namespace
}  // namespace zendrift::platform
