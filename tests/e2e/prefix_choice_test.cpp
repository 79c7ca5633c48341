// The real zendrift binary over a home holding every tool's prefixes: /prefixes lists them,
// /prefix scans one of them, /allprefixes each in turn, each in its own profile.
#include <gtest/gtest.h>

#include "../platform/home_with_tool_prefixes.h"
#include "home_with_prefix.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class PrefixChoice : public HomeWithPrefix {
 protected:
  PrefixChoice() : tools(home.path()), real(fs::canonical(home.path())) {}

  // The Start menu's StartUp folder of a prefix, a well-known folder that a walk of the Start
  // menu passes through.
  static fs::path startUp(const fs::path& prefix) {
    return prefix / "drive_c/users/ann/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp";
  }
  // An orphan in `prefix`'s StartUp folder and one in a folder of its own below the Start menu.
  static std::vector<fs::path> orphansIn(const fs::path& prefix) {
    const fs::path alone = startUp(prefix) / "alone.lnk";
    const fs::path inFolder = startUp(prefix).parent_path() / "Gone/gone.lnk";
    shortcut(alone, "C:\\Gone\\alone.exe");
    shortcut(inFolder, "C:\\Gone\\gone.exe");
    return {inFolder, alone};
  }

  const HomeWithToolPrefixes tools;
  const fs::path real;
};

TEST_F(PrefixChoice, PrefixesListsEveryToolsPrefixOnceWithKindPathAndName) {
  const ProgramResult result = run({"/prefixes"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  std::vector<std::string> expected;
  for (const ExpectedPrefix& found : tools.expected()) {
    if (found.name == "custom") continue;  // $WINEPREFIX names ~/.wine here
    expected.push_back(found.kind + "\t" + found.path.string() + "\t" + found.name);
  }
  EXPECT_EQ(outputLines(result.out), expected);
  EXPECT_EQ(result.err, "");
}

TEST_F(PrefixChoice, PrefixScansOnePrefixAndAllPrefixesScansAndCleansEachInItsOwnProfile) {
  const fs::path wine = real / ".wine";
  const fs::path bottle = real / ".local/share/bottles/bottles/Gaming";
  const fs::path proton = real / ".local/share/Steam/steamapps/compatdata/220/pfx";
  std::vector<std::string> all;
  for (const fs::path& scanned : {wine, bottle, proton}) {
    for (const fs::path& orphan : orphansIn(scanned)) {
      all.push_back("x\t" + orphan.string() + "\t" + (orphan.filename() == "alone.lnk" ? "C:\\\\Gone\\\\alone.exe" : "C:\\\\Gone\\\\gone.exe"));
    }
  }

  ProgramResult result = run({"/list", "/startmenu", "/prefix", (home.path() / ".steam/steam/steamapps/compatdata/220/pfx").string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(outputLines(result.out), std::vector<std::string>(all.begin() + 4, all.end()));
  EXPECT_EQ(result.err, "Ready. 2 orphan(s) found.\n");

  // The user's folder is one folder, searched once, with the first prefix.
  const fs::path mine = real / "mine";
  shortcut(mine / "mine.lnk", "C:\\Gone\\mine.exe");
  result = run({"/list", "/startmenu", "/allprefixes", "/userdir", mine.string()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  std::vector<std::string> withMine = all;
  withMine.insert(withMine.begin() + 2, "x\t" + (mine / "mine.lnk").string() + "\tC:\\\\Gone\\\\mine.exe");
  EXPECT_EQ(outputLines(result.out), withMine);
  const std::vector<std::string> err = outputLines(result.err);
  EXPECT_EQ(err.size(), tools.expected().size());  // one line per prefix, less $WINEPREFIX's own, plus the status
  EXPECT_EQ(err.front(), "Scanning prefix " + wine.string());
  EXPECT_EQ(err.back(), "Ready. 7 orphan(s) found.");
  fs::remove_all(mine);

  // Each prefix's own StartUp folder is one of its well-known folders and stays, though emptied;
  // the folder of its own that its orphan leaves empty goes.
  TreeSnapshot expected = snapshot(home.path());
  for (const fs::path& scanned : {wine, bottle, proton}) {
    for (const fs::path& gone : {startUp(scanned) / "alone.lnk", startUp(scanned).parent_path() / "Gone/gone.lnk",
                                 startUp(scanned).parent_path() / "Gone"}) {
      ASSERT_EQ(expected.erase(fs::relative(gone, real).string()), 1u) << gone;
    }
  }
  result = run({"/silent", "/startmenu", "/allprefixes"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(snapshot(home.path()), expected);
}

TEST_F(PrefixChoice, APrefixThatIsNoneStopsTheRunBeforeAnythingIsScanned) {
  orphansIn(prefix.path());
  const TreeSnapshot before = snapshot(home.path());
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"/silent", "/startmenu", "/prefix"},
        std::vector<std::string>{"/silent", "/startmenu", "/prefix", (home.path() / ".local/share/wineprefixes/empty").string()},
        std::vector<std::string>{"/silent", "/startmenu", "/prefix", (home.path() / "missing").string()}}) {
    const ProgramResult result = run(arguments);
    EXPECT_EQ(result.exitCode, 1) << arguments.back();
    EXPECT_TRUE(result.err.starts_with("Zendrift: ") && result.err.ends_with("; nothing was scanned.\n")) << result.err;
  }
  EXPECT_EQ(snapshot(home.path()), before);
}

}  // namespace
}  // namespace zendrift::testing
