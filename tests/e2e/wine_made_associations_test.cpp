// The file association that Wine's own menu builder wrote for a program of a prefix, found and
// cleaned by the real program once the program is gone, and put back byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>

#include "program_run.h"
#include "temp_dir.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

// The make script's answer when this Wine writes no association (Debian's and Ubuntu's do not).
constexpr int kNoAssociationMade = 77;

bool wineInstalled() {
  return std::system("command -v wine >/dev/null 2>&1 || command -v wine64 >/dev/null 2>&1") == 0;
}

// Wine's files and the desktop's, without the caches the desktop's tools build from them.
TreeSnapshot desktopFiles(const fs::path& work) {
  TreeSnapshot tree;
  for (const char* part : {"applications", "mime/packages", "icons"}) {
    for (const auto& [path, kind] : snapshot(work / "data" / part)) {
      if (path != "mimeinfo.cache") tree[std::string(part) + "/" + path] = kind;
    }
  }
  tree["mimeapps.list"] = snapshot(work / "config")["mimeapps.list"];
  return tree;
}

TEST(WineMadeAssociations, GoWithTheirProgramOrPrefixAndComeBackWithUndo) {
  if (!wineInstalled()) GTEST_SKIP() << "Wine is not installed: its menu builder cannot make the association";
  TempDir work;
  std::map<std::string, std::string> makeEnvironment{{"PATH", "/usr/bin:/bin"}, {"USER", "ann"}};
  if (const char* builder = std::getenv("ZENDRIFT_WINEMENUBUILDER")) {
    makeEnvironment["ZENDRIFT_WINEMENUBUILDER"] = builder;
  }
  const ProgramResult made = runProgram("/bin/bash", {ZENDRIFT_WINE_ASSOCIATIONS_SCRIPT, work.str()}, makeEnvironment);
  if (made.exitCode == kNoAssociationMade) {
    GTEST_SKIP() << "this Wine's menu builder writes no file associations; set ZENDRIFT_WINEMENUBUILDER to a "
                    "winemenubuilder.exe built from Wine's own source";
  }
  ASSERT_EQ(made.exitCode, 0) << made.err;
  const fs::path entry = work.path() / "data/applications/wine-extension-foodoc.desktop";
  const fs::path package = work.path() / "data/mime/packages/x-wine-extension-foodoc.xml";
  ASSERT_TRUE(fs::is_regular_file(entry)) << made.out;
  ASSERT_TRUE(fs::is_regular_file(package)) << made.out;
  const std::string entryText = readFile(entry);
  const std::size_t iconLine = entryText.find("\nIcon=");
  ASSERT_NE(iconLine, std::string::npos) << entryText;
  const std::string icon = entryText.substr(iconLine + 6, entryText.find('\n', iconLine + 1) - iconLine - 6);
  // The desktop's choice of it as the default, as `xdg-mime default` writes it, with another kept.
  writeFile(work.path() / "config/mimeapps.list",
            "[Default Applications]\n"
            "application/x-wine-extension-foodoc=wine-extension-foodoc.desktop\n"
            "text/plain=gedit.desktop\n");
  const TreeSnapshot before = desktopFiles(work.path());

  const std::map<std::string, std::string> environment{
      {"HOME", (work.path() / "home").string()}, {"USER", "ann"},
      {"WINEPREFIX", (work.path() / "prefix").string()}, {"XDG_DATA_HOME", (work.path() / "data").string()},
      {"XDG_CONFIG_HOME", (work.path() / "config").string()}, {"XDG_STATE_HOME", (work.path() / "state").string()},
      {"PATH", "/usr/bin:/bin"}};
  const auto run = [&](const std::vector<std::string>& arguments) {
    return runProgram(zendriftBinary(), arguments, environment);
  };
  // Wine's other associations open programs that are there: none is listed.
  const ProgramResult current = run({"/list", "/json", "/startmenu"});
  ASSERT_EQ(current.exitCode, 0) << current.err;
  EXPECT_EQ(current.out.find("file association"), std::string::npos) << current.out;

  fs::remove(work.path() / "prefix/drive_c/Program Files/Foo/foo.exe");
  const ProgramResult list = run({"/list", "/json", "/startmenu"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  for (const std::string& part :
       {std::string(R"j("kind": "file association")j"), R"j("shortcut": ")j" + entry.string() + "\"",
        std::string(R"j("target": "Foo.Document")j"),
        std::string(R"j("reason": "the program it opens with is gone (C:\\Program Files\\Foo\\foo.exe)")j")}) {
    EXPECT_NE(list.out.find(part), std::string::npos) << part << "\n" << list.out;
  }
  EXPECT_EQ(list.out.find("file association"), list.out.rfind("file association")) << list.out;

  const ProgramResult silent = run({"/silent", "/startmenu"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  TreeSnapshot expected = before;
  EXPECT_EQ(expected.erase("applications/wine-extension-foodoc.desktop"), 1u);
  EXPECT_EQ(expected.erase("mime/packages/x-wine-extension-foodoc.xml"), 1u);
  // The program's icon, which only this entry names, in every size Wine extracted.
  int icons = 0;
  for (auto file = expected.begin(); file != expected.end();) {
    const bool named = file->first.starts_with("icons/hicolor/") && file->first.ends_with("/apps/" + icon + ".png");
    icons += named;
    file = named ? expected.erase(file) : std::next(file);
  }
  EXPECT_GT(icons, 0) << icon;
  expected["mimeapps.list"] = "file:[Default Applications]\ntext/plain=gedit.desktop\n";
  EXPECT_EQ(desktopFiles(work.path()), expected);

  const ProgramResult undone = run({"/undo"});
  EXPECT_EQ(undone.exitCode, 0) << undone.err;
  EXPECT_EQ(desktopFiles(work.path()), before);

  // With the prefix gone (moved, and scanned where it is now), every association Wine made for it is stale.
  const fs::path prefix = work.path() / "prefix";
  fs::rename(prefix, work.path() / "moved-prefix");
  std::map<std::string, std::string> moved = environment;
  moved["WINEPREFIX"] = (work.path() / "moved-prefix").string();
  const ProgramResult gone = runProgram(zendriftBinary(), {"/list", "/json", "/startmenu"}, moved);
  ASSERT_EQ(gone.exitCode, 0) << gone.err;
  std::size_t entries = 0;
  for (const auto& file : fs::directory_iterator(work.path() / "data/applications")) {
    entries += file.path().filename().string().starts_with("wine-extension-");
  }
  std::size_t listed = 0;
  const std::string reason = R"j("reason": "the prefix it opens with is gone ()j" + prefix.string() + ")\"";
  for (std::size_t at = gone.out.find(reason); at != std::string::npos; at = gone.out.find(reason, at + 1)) ++listed;
  EXPECT_GT(entries, 1u);
  EXPECT_EQ(listed, entries) << gone.out;
  EXPECT_NE(gone.out.find(R"j("shortcut": ")j" + entry.string() + "\""), std::string::npos) << gone.out;
}

}  // namespace
}  // namespace zendrift::testing
