// The real zendrift binary over a home whose prefixes share the home's Desktop and Documents, as
// wineboot links them: a shortcut there is judged in every prefix on the machine, listed once
// and removed once, and no single prefix (planted or mistyped) decides its fate.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "home_with_prefix.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class SharedFolders : public HomeWithPrefix {
 protected:
  SharedFolders()
      : lutris(home.path() / "Games/acme-lutris"), bottle(home.path() / ".local/share/bottles/bottles/Work") {
    lutris.standardLayout("ann");
    writeFile(home.path() / ".config/lutris/games/acme-1700000000.yml",
              "game:\n  prefix: " + lutris.str() + "\n");
    bottle.standardLayout("ann");
    writeFile(bottle.path() / "bottle.yml", "Name: Work\n");
    for (const WinePrefixBuilder* each : {&prefix, &lutris, &bottle}) {
      for (const char* folder : {"Desktop", "Documents"}) {
        const fs::path inPrefix = each->path() / "drive_c/users/ann" / folder;
        fs::remove_all(inPrefix);
        fs::create_directories(home.path() / folder);
        fs::create_directory_symlink(home.path() / folder, inPrefix);
      }
    }
    // The editor was installed in ~/.wine only.
    prefix.file("Program Files/Acme Editor/editor.exe");
  }

  // A run with $WINEPREFIX at `winePrefix`.
  ProgramResult runIn(const fs::path& winePrefix, std::vector<std::string> arguments) const {
    return runProgram(zendriftBinary(), arguments,
                      {{"HOME", home.str()}, {"USER", "ann"}, {"WINEPREFIX", winePrefix.string()},
                       {"XDG_CONFIG_HOME", config().string()}, {"XDG_DATA_HOME", dataHome.string()},
                       {"XDG_STATE_HOME", (xdg.path() / "state").string()}, {"PATH", "/usr/bin:/bin"}});
  }

  fs::path sharedDesktop() const { return home.path() / "Desktop"; }
  void plantDesktop() const {
    shortcut(sharedDesktop() / "Acme Editor.lnk", "C:\\Program Files\\Acme Editor\\editor.exe");
    shortcut(sharedDesktop() / "Gone.lnk", "C:\\Program Files\\Gone\\gone.exe");
  }

  WinePrefixBuilder lutris;
  WinePrefixBuilder bottle;
};

TEST_F(SharedFolders, AShortcutOnTheSharedDesktopIsJudgedInEveryPrefixListedOnceAndRemovedOnce) {
  plantDesktop();

  const ProgramResult listed = run({"/list", "/json", "/desktop", "/allprefixes"});
  ASSERT_EQ(listed.exitCode, 0) << listed.err;
  const nlohmann::json document = nlohmann::json::parse(listed.out);
  ASSERT_EQ(document["orphans"].size(), 1u) << listed.out;
  const nlohmann::json& orphan = document["orphans"][0];
  EXPECT_TRUE(orphan["shortcut"].get<std::string>().ends_with("/Desktop/Gone.lnk")) << orphan;
  for (const WinePrefixBuilder* each : {&prefix, &lutris, &bottle}) {
    EXPECT_NE(orphan["reason"].get<std::string>().find(fs::canonical(each->path()).string()), std::string::npos)
        << orphan["reason"];
  }

  // One prefix alone judges the shared Desktop with the others too.
  ProgramResult silent = runIn(bottle.path(), {"/silent", "/desktop"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_TRUE(fs::exists(sharedDesktop() / "Acme Editor.lnk")) << "it works in ~/.wine";
  EXPECT_FALSE(fs::exists(sharedDesktop() / "Gone.lnk"));

  // Every prefix in turn: the shortcut reached through each prefix's Desktop goes once, to the
  // trash, and comes back from it.
  plantDesktop();
  silent = run({"/silent", "/desktop", "/allprefixes"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_TRUE(fs::exists(sharedDesktop() / "Acme Editor.lnk"));
  EXPECT_FALSE(fs::exists(sharedDesktop() / "Gone.lnk"));
  const ProgramResult undone = run({"/undo"});
  EXPECT_EQ(undone.exitCode, 0) << undone.err;
  EXPECT_TRUE(fs::exists(sharedDesktop() / "Gone.lnk"));
}

TEST_F(SharedFolders, APlantedPrefixCannotSteerAScanIntoTheHome) {
  // Found as a Lutris prefix, its registry points Favorites at the home's Documents.
  const std::string documents = (fs::canonical(home.path()) / "Documents").string();
  std::string windowsPath = "Z:";
  for (const char c : documents) windowsPath += c == '/' ? std::string("\\\\") : std::string(1, c);
  lutris.userReg("[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders]\n"
                 "\"Favorites\"=\"" + windowsPath + "\"\n");
  prefix.file("Apps/App/app.exe");
  shortcut(home.path() / "Documents/App.lnk", "C:\\Apps\\App\\app.exe");
  shortcut(home.path() / "Documents/Old.lnk", "C:\\Apps\\Old\\old.exe");

  const ProgramResult silent = run({"/silent", "/favorites", "/allprefixes"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_TRUE(fs::exists(home.path() / "Documents/App.lnk")) << "it works in ~/.wine";
  EXPECT_FALSE(fs::exists(home.path() / "Documents/Old.lnk")) << "missing in every prefix";
}

TEST_F(SharedFolders, AMistypedPrefixStopsTheRunBeforeAnythingIsScanned) {
  const fs::path links = home.path() / "mylinks";
  shortcut(links / "Acme Editor.lnk", "C:\\Program Files\\Acme Editor\\editor.exe");
  shortcut(links / "Gone.lnk", "C:\\Program Files\\Gone\\gone.exe");
  const TreeSnapshot before = snapshot(home.path());
  for (const char* mode : {"/silent", "/list"}) {
    const ProgramResult result = runIn(home.path() / ".wnie", {mode, "/userdir", links.string()});
    EXPECT_EQ(result.exitCode, 1) << mode;
    EXPECT_EQ(result.out, "") << mode;
    EXPECT_TRUE(result.err.starts_with("Zendrift: " + (home.path() / ".wnie").string()) &&
                result.err.ends_with("; nothing was scanned.\n"))
        << result.err;
  }
  EXPECT_EQ(snapshot(home.path()), before);
}

}  // namespace
}  // namespace zendrift::testing
