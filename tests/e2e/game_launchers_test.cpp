// Launchers that Lutris, Steam and Bottles wrote for games they no longer have, found and cleaned
// by the real program; those they still have, those of a manager whose data cannot be read and
// those not in exactly a manager's form stay.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "home_with_prefix.h"
#include "scan/launcher_orphans.h"
#include "scan/orphan_removal.h"
#include "tree_snapshot.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

void sql(sqlite3* database, const std::string& statement) {
  char* error = nullptr;
  ASSERT_EQ(sqlite3_exec(database, statement.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
}

// Written as Lutris writes them: a blank line first, TryExec since 2024.
std::string lutris(const std::string& name, const std::string& slug, const std::string& exec,
                   const std::string& extra = "TryExec=lutris\n") {
  return "\n[Desktop Entry]\nType=Application\nName=" + name + "\nIcon=lutris_" + slug + "\nExec=" + exec +
         "\nCategories=Game\n" + extra;
}

std::string steam(const std::string& name, const std::string& appId, const std::string& exec = "") {
  return "[Desktop Entry]\nName=" + name + "\nComment=Play this game on Steam\nExec=" +
         (exec.empty() ? "steam steam://rungameid/" + appId : exec) + "\nIcon=steam_icon_" + appId +
         "\nTerminal=false\nType=Application\nCategories=Game;\n";
}

std::string bottles(const std::string& program, const std::string& bottle, bool flatpak = false) {
  const std::string cli = flatpak ? "flatpak run --command=bottles-cli com.usebottles.bottles" : "bottles-cli";
  const std::string gui = flatpak ? "flatpak run com.usebottles.bottles" : "bottles";
  return "[Desktop Entry]\nName=" + program + "\nExec=" + cli + " run -p " + program + " -b '" + bottle +
         "' -- %u\nType=Application\nTerminal=false\nCategories=Application;\nIcon=com.usebottles.bottles-program\n"
         "Comment=Launch " + program + " using Bottles.\nStartupWMClass=" + program +
         "\nActions=Configure;\n[Desktop Action Configure]\nName=Configure in Bottles\nExec=" + gui + " -b '" + bottle + "'\n";
}

class GameLaunchers : public HomeWithPrefix {
 protected:
  GameLaunchers() {
    // Lutris's library: game 5 installed, game 7 uninstalled but kept, as Lutris's uninstall keeps it.
    fs::create_directories(dataHome / "lutris");
    sqlite3* raw = nullptr;
    EXPECT_EQ(sqlite3_open(database().c_str(), &raw), SQLITE_OK);
    lutrisDb.reset(raw);
    sql(raw, "CREATE TABLE games (id INTEGER PRIMARY KEY, name TEXT, slug TEXT, installer_slug TEXT, installed INTEGER)");
    sql(raw, "INSERT INTO games VALUES (5, 'Kept', 'kept-game', 'kept-game-gog', 1), (7, 'Removed', 'uninstalled', NULL, 0)");
    // Steam: its own library and one on another disk, which holds app 440.
    const fs::path steamRoot = home.path() / ".local/share/Steam";
    const fs::path other = home.path() / "SteamLibrary";
    writeFile(steamRoot / "steamapps/libraryfolders.vdf", "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" +
                                                              steamRoot.string() + "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" +
                                                              other.string() + "\"\n\t}\n}\n");
    writeFile(other / "steamapps/appmanifest_440.acf", "\"AppState\"\n{\n\t\"appid\"\t\t\"440\"\n}\n");
    // Bottles: the bottle "Office" with the program Writer.
    writeFile(dataHome / "bottles/bottles/Office/bottle.yml",
              "Name: Office\nExternal_Programs:\n  4f1a:\n    executable: writer.exe\n    name: Writer\n    path: "
              "C:\\Program Files\\Writer\\writer.exe\nPath: Office\n");
    writeFile(dataHome / "bottles/bottles/Office/drive_c/Program Files/Writer/writer.exe", "MZ");
    fs::create_directories(desktop_());
  }

  fs::path database() const { return dataHome / "lutris/pga.db"; }
  fs::path menu() const { return dataHome / "applications"; }
  fs::path desktop_() const { return home.path() / "Desktop"; }

  TreeSnapshot places() const {
    TreeSnapshot tree;
    for (const auto& [path, kind] : snapshot(menu())) tree["menu/" + path] = kind;
    for (const auto& [path, kind] : snapshot(desktop_())) tree["desktop/" + path] = kind;
    return tree;
  }

  std::set<std::string> listed(std::string* err = nullptr) const {
    const ProgramResult list = run({"/list"});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    if (err) *err = list.err;
    const std::vector<std::string> lines = outputLines(list.out);
    return {lines.begin(), lines.end()};
  }

  std::unique_ptr<sqlite3, decltype(&sqlite3_close)> lutrisDb{nullptr, &sqlite3_close};
};

TEST_F(GameLaunchers, GoWhenTheirGameIsGoneAndComeBackWithUndo) {
  // Stale, each in its manager's exact form.
  const fs::path goneGame = menu() / "net.lutris.gone-game-12.desktop";
  writeFile(goneGame, lutris("Gone Game", "gone-game", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/12"));
  const fs::path uninstalled = desktop_() / "net.lutris.uninstalled-7.desktop";
  writeFile(uninstalled, lutris("Removed", "uninstalled", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/7", ""));
  const fs::path oldLutris = menu() / "old-game.desktop";
  writeFile(oldLutris, lutris("Old Game", "old-game", "lutris lutris:old-game", ""));
  const fs::path portal = desktop_() / "Portal 2.desktop";
  writeFile(portal, "#!/usr/bin/env xdg-open\n" + steam("Portal 2", "620"));
  const fs::path goneBottle = menu() / "Gone Bottle--Game--1700000000.123456.desktop";
  writeFile(goneBottle, bottles("Game", "Gone Bottle"));
  const fs::path goneProgram = menu() / "Office--Paint--1700000001.5.desktop";
  writeFile(goneProgram, bottles("Paint", "Office"));
  // Stale, but the exclude list keeps it.
  const fs::path halfLife = desktop_() / "Half-Life.desktop";
  writeFile(halfLife, steam("Half-Life", "70"));
  writeFile(settingsFile(), "[Exclude]\nExcludeList=" + halfLife.string() + ", \n");
  // Their games are there.
  writeFile(menu() / "net.lutris.kept-game-5.desktop", lutris("Kept", "kept-game", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/5"));
  writeFile(menu() / "kept-game-gog.desktop", lutris("Kept", "kept-game-gog", "lutris lutris:kept-game-gog", ""));
  writeFile(menu() / "Team Fortress 2.desktop", steam("Team Fortress 2", "440"));
  writeFile(menu() / "Office--Writer--1700000002.desktop", bottles("Writer", "Office"));
  // Bottles' Flatpak is not here: its launchers are not judged.
  writeFile(menu() / "Gone Bottle--Game--1700000003.desktop", bottles("Game", "Gone Bottle", true));
  // Made by hand or merely similar: each would start a game that is gone, none is the manager's.
  writeFile(menu() / "net.lutris.hand-13.desktop",
            lutris("Hand", "hand", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/13", "TryExec=lutris\nComment=mine\n"));
  writeFile(menu() / "net.lutris.extra-14.desktop", lutris("Extra", "extra", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/14 -d"));
  writeFile(menu() / "net.lutris.mismatch-15.desktop", lutris("Other", "mismatch", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/16"));
  writeFile(menu() / "net.lutris.rungameid-17.desktop", lutris("Sh", "rungameid", "sh -c 'lutris lutris:rungameid/17'"));
  writeFile(desktop_() / "OpenTTD.desktop",
            "[Desktop Entry]\nName=OpenTTD\nGenericName=Steam game\nComment=Play this game\nExec=steam steam://rungameid/"
            "16008754155011178496\nIcon=steam\nTerminal=false\nType=Application\nCategories=Game;\n");
  writeFile(menu() / "Steam Silent.desktop", steam("Steam Silent", "620", "steam -silent steam://rungameid/620"));
  writeFile(menu() / "Gone Bottle--Tool.desktop", bottles("Tool", "Gone Bottle"));

  std::string err;
  EXPECT_EQ(listed(&err), (std::set<std::string>{
                              "x\t" + goneGame.string() + "\tlutris:rungameid/12",
                              "x\t" + uninstalled.string() + "\tlutris:rungameid/7",
                              "x\t" + oldLutris.string() + "\tlutris:old-game",
                              "x\t" + portal.string() + "\tsteam://rungameid/620",
                              "-\t" + halfLife.string() + "\tsteam://rungameid/70",
                              "x\t" + goneBottle.string() + "\tbottles-cli run -p Game -b Gone Bottle",
                              "x\t" + goneProgram.string() + "\tbottles-cli run -p Paint -b Office",
                          }));
  EXPECT_EQ(err, "Ready. 7 orphan(s) found.\n");
  // Every prefix scanned in turn: each launcher is still listed once.
  WinePrefixBuilder(home.path() / ".local/share/wineprefixes/other").standardLayout("ann");
  const ProgramResult all = run({"/list", "/allprefixes"});
  EXPECT_NE(all.err.find("Scanning prefix " + (home.path() / ".local/share/wineprefixes/other").string()), std::string::npos);
  EXPECT_TRUE(all.err.ends_with("\nReady. 7 orphan(s) found.\n")) << all.err;
  EXPECT_EQ(outputLines(all.out).size(), 7u) << all.out;
  const ProgramResult json = run({"/list", "/json"});
  for (const std::string reason : {"Lutris no longer has game 12 (gone-game)", "Lutris no longer has game 7 (uninstalled) installed",
                                   "no Steam library holds app 620", "bottle Gone Bottle is gone",
                                   "program Paint is gone from bottle Office"}) {
    EXPECT_NE(json.out.find("\"kind\": \"launcher\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"reason\": \"" + reason + "\""), std::string::npos) << reason << json.out;
  }

  const TreeSnapshot before = places();
  TreeSnapshot expected = before;
  for (const fs::path& gone : {goneGame, oldLutris, goneBottle, goneProgram}) expected.erase("menu/" + gone.filename().string());
  for (const fs::path& gone : {uninstalled, portal}) expected.erase("desktop/" + gone.filename().string());
  const ProgramResult silent = run({"/silent"});
  EXPECT_EQ(silent.exitCode, 0) << silent.err;
  EXPECT_EQ(places(), expected);
  EXPECT_TRUE(fs::exists(trash() / "files/Portal 2.desktop"));

  const ProgramResult undone = run({"/undo"});
  EXPECT_EQ(undone.exitCode, 0) << undone.err;
  EXPECT_EQ(undone.err, "Restored 0 shortcut(s) and 6 menu file(s).\n");
  EXPECT_EQ(places(), before);
}

TEST_F(GameLaunchers, ThoseOfALutrisWhoseDatabaseCannotBeReadStay) {
  const fs::path goneGame = menu() / "net.lutris.gone-game-12.desktop";
  writeFile(goneGame, lutris("Gone Game", "gone-game", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/12"));
  const fs::path portal = desktop_() / "Portal 2.desktop";
  writeFile(portal, steam("Portal 2", "620"));
  const std::string portalLine = "x\t" + portal.string() + "\tsteam://rungameid/620";
  ASSERT_EQ(listed(), (std::set<std::string>{"x\t" + goneGame.string() + "\tlutris:rungameid/12", portalLine}));

  // Lutris is writing to its database: nothing of it can be read meanwhile.
  sql(lutrisDb.get(), "BEGIN EXCLUSIVE");
  sql(lutrisDb.get(), "DELETE FROM games");
  EXPECT_EQ(listed(), std::set<std::string>{portalLine});
  ASSERT_EQ(run({"/silent"}).exitCode, 0);
  EXPECT_TRUE(fs::exists(goneGame));
  sql(lutrisDb.get(), "ROLLBACK");

  // In WAL mode the database is read through files beside it, which SQLite would make there: it is
  // read only while Lutris holds them.
  const fs::path wal = database().string() + "-wal";
  const fs::path shm = database().string() + "-shm";
  sql(lutrisDb.get(), "PRAGMA journal_mode=WAL");
  lutrisDb.reset();
  ASSERT_FALSE(fs::exists(wal) || fs::exists(shm));
  EXPECT_EQ(listed(), std::set<std::string>{});
  EXPECT_FALSE(fs::exists(wal) || fs::exists(shm));
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(database().c_str(), &raw), SQLITE_OK);
  lutrisDb.reset(raw);
  sql(raw, "SELECT count(*) FROM games");
  EXPECT_EQ(listed(), std::set<std::string>{"x\t" + goneGame.string() + "\tlutris:rungameid/12"});

  // Settings that put the database elsewhere are followed: a missing one judges nothing.
  writeFile(home.path() / "config/lutris/lutris.conf", "[lutris]\npga_path = " + (home.path() / "elsewhere.db").string() + "\n");
  EXPECT_EQ(listed(), std::set<std::string>{});
  lutrisDb.reset();
  fs::remove(home.path() / "config/lutris/lutris.conf");
  fs::remove(database());
  EXPECT_EQ(listed(), std::set<std::string>{});
  EXPECT_TRUE(fs::exists(goneGame));
  EXPECT_FALSE(fs::exists(portal));
}

TEST_F(GameLaunchers, ThoseOfBottlesOnADiskThatIsAwayStay) {
  const fs::path away = menu() / "Away--Game--1700000000.desktop";
  writeFile(away, bottles("Game", "Away"));
  const fs::path paint = menu() / "Office--Paint--1700000001.desktop";
  writeFile(paint, bottles("Paint", "Office"));
  const std::string awayLine = "x\t" + away.string() + "\tbottles-cli run -p Game -b Away";
  ASSERT_EQ(listed(), (std::set<std::string>{awayLine, "x\t" + paint.string() + "\tbottles-cli run -p Paint -b Office"}));

  // A bottle linked to a disk that is away, or its empty mount point: which bottle it is cannot be told.
  const fs::path bottlesFolder = dataHome / "bottles/bottles";
  fs::create_directory_symlink(home.path() / "disk/Away", bottlesFolder / "Away");
  EXPECT_EQ(listed(), std::set<std::string>{});
  fs::remove(bottlesFolder / "Away");
  fs::create_directory(bottlesFolder / "Away");
  EXPECT_EQ(listed(), std::set<std::string>{});
  fs::remove(bottlesFolder / "Away");
  // Bottles kept on a disk that is away: the default folder is not theirs.
  writeFile(dataHome / "bottles/data.yml", "custom_bottles_path: " + (home.path() / "disk/bottles").string() + "\n");
  EXPECT_EQ(listed(), std::set<std::string>{});
  fs::remove(dataHome / "bottles/data.yml");
  // A program behind a folder link is not looked for there.
  writeFile(home.path() / "games/Paint/paint.exe", "MZ");
  fs::create_directory_symlink(home.path() / "games", bottlesFolder / "Office/drive_c/Games");
  EXPECT_EQ(listed(), std::set<std::string>{awayLine});
}

TEST_F(GameLaunchers, TheRemovalKeepsThoseThatChangedSinceTheScan) {
  const ScopedEnv homeEnv("HOME", home.str().c_str());
  const ScopedEnv data("XDG_DATA_HOME", dataHome.c_str());
  const ScopedEnv configEnv("XDG_CONFIG_HOME", config().c_str());
  const ScopedEnv wine("WINEPREFIX", prefix.str().c_str());
  const fs::path back = menu() / "net.lutris.gone-game-12.desktop";
  writeFile(back, lutris("Gone Game", "gone-game", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/12"));
  const fs::path rewritten = menu() / "net.lutris.other-13.desktop";
  writeFile(rewritten, lutris("Other", "other", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/13"));
  const fs::path portal = desktop_() / "Portal 2.desktop";
  writeFile(portal, steam("Portal 2", "620"));
  const fs::path replaced = desktop_() / "Half-Life.desktop";
  writeFile(replaced, steam("Half-Life", "70"));
  settings::ScanOptions options;
  options.startMenu = options.desktop = true;
  std::vector<scan::OrphanRecord> records;
  scan::findOrphanLaunchers(options, {}, [&records](scan::OrphanRecord&& record) { records.push_back(std::move(record)); });
  ASSERT_EQ(records.size(), 4u);

  // Meanwhile game 12 is installed again, another launcher is rewritten in place, and a third is
  // replaced by a file of the same words: the removal takes only the files it listed.
  sql(lutrisDb.get(), "INSERT INTO games VALUES (12, 'Gone Game', 'gone-game', NULL, 1)");
  writeFile(rewritten, lutris("Other", "other", "env LUTRIS_SKIP_INIT=1 lutris lutris:rungameid/13 -d"));
  const fs::path fresh = desktop_() / "fresh.tmp";
  writeFile(fresh, steam("Half-Life", "70"));
  fs::rename(fresh, replaced);
  const scan::RemovalReport report = scan::removeOrphans(records, "", {}, {}, scan::Disposal::permanent, {});
  std::map<std::string, std::string> kept;
  for (const scan::KeptShortcut& each : report.kept) kept[each.path] = each.why;
  EXPECT_EQ(kept, (std::map<std::string, std::string>{
                      {back.string(), "its game is no longer known to be gone"},
                      {rewritten.string(), "rewritten since the scan and no longer a game's launcher"},
                      {replaced.string(), "replaced by another file since the scan"}}));
  EXPECT_EQ(report.deleted, std::vector<std::string>{portal.string()});
  EXPECT_TRUE(report.failures.empty());
  EXPECT_TRUE(fs::exists(back) && fs::exists(rewritten) && fs::exists(replaced));
}

}  // namespace
}  // namespace zendrift::testing
