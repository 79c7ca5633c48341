// The real zendrift binary asked for help, its version, a window it cannot open, switches it
// does not know, and JSON.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "gui/window_main.h"
#include "home_with_prefix.h"
#include "settings/switch_table.h"

namespace zendrift::testing {
namespace {

namespace fs = std::filesystem;

class ProgramWords : public HomeWithPrefix {};

TEST_F(ProgramWords, HelpListsEverySwitchAndTheSettingsWithoutReadingThemOrADisplay) {
  // A settings "file" that cannot be read would stop any run that reads it.
  fs::create_directories(settingsFile());
  for (const char* help : {"--help", "-h", "/?", "/help"}) {
    const ProgramResult result = run({"/silent", help});
    EXPECT_EQ(result.exitCode, 0) << help << result.err;
    EXPECT_EQ(result.err, "") << help;
    const std::vector<std::string> lines = outputLines(result.out);
    for (const settings::SwitchDescription& known : settings::knownSwitches()) {
      const auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& text) {
        return text.starts_with("  /" + std::string(known.name) + " ") && text.ends_with(known.summary);
      });
      EXPECT_NE(line, lines.end()) << help << ": /" << known.name;
    }
    EXPECT_EQ(lines.back(), "Settings: " + settingsFile().string()) << help;
  }
}

TEST_F(ProgramWords, VersionPrintsTheStampAndNothingElse) {
  for (const char* version : {"--version", "/version", "-VERSION"}) {
    const ProgramResult result = run({version});
    EXPECT_EQ(result.exitCode, 0) << version;
    EXPECT_EQ(result.out, "Zendrift 1.8.9 (Build 36)\n") << version;
    EXPECT_EQ(result.err, "") << version;
  }
}

TEST_F(ProgramWords, WithoutADisplayTheWindowSaysSoAndExitsOne) {
  // Parameters that Qt would take for its own options are ours: the run is in command-line mode
  // and still needs the window. Had Qt taken "-platform offscreen", the window would have opened
  // there and this run would never end.
  const std::vector<std::string> cases[] = {
      {}, {"-style", "fusion"}, {"-reverse", "/start"}, {"-platform", "offscreen"}};
  for (const std::vector<std::string>& arguments : cases) {
    const ProgramResult result = run(arguments);
    EXPECT_EQ(result.exitCode, 1) << result.err;
    std::string expected;
    if (!arguments.empty()) expected = "Zendrift: unknown switch " + arguments[0] + " (ignored)\n";
    expected += "Zendrift: cannot open the window: no display. Use /list or /silent to run without one.\n";
    EXPECT_EQ(result.err, expected);
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(ProgramWords, WithoutTheWindowModuleTheProgramRunsUnattendedAndSaysWhyThereIsNoWindow) {
  const fs::path module = fs::path(program).parent_path() / gui::kWindowModulePath;
  if (!fs::exists(module)) GTEST_SKIP() << "built without the window";
  // The program alone, as a broken installation might leave it: the window is the only part
  // that needs the module, and Qt.
  const TempDir alone;
  program = (alone.path() / "zendrift").string();
  fs::copy_file(zendriftBinary(), program);
  shortcut(desktop() / "gone.lnk", "C:\\Gone\\gone.exe");
  const ProgramResult listed = run({"/list"});
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_EQ(listed.out, "x\t" + (desktop() / "gone.lnk").string() + "\tC:\\\\Gone\\\\gone.exe\n");
  const ProgramResult window = run({});
  EXPECT_EQ(window.exitCode, 1);
  EXPECT_TRUE(window.err.starts_with("Zendrift: cannot open the window: ")) << window.err;
  EXPECT_NE(window.err.find((alone.path() / gui::kWindowModulePath).string()), std::string::npos) << window.err;
  EXPECT_TRUE(window.err.ends_with("\nUse /list or /silent to run without one.\n")) << window.err;
}

TEST_F(ProgramWords, UnknownSwitchesAreNamedAndTheRunGoesOn) {
  shortcut(desktop() / "gone.lnk", "C:\\Gone\\gone.exe");
  const ProgramResult result = run({"/list", "/bogus", "-Desktop", "--list", home.str()});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "x\t" + (desktop() / "gone.lnk").string() + "\tC:\\\\Gone\\\\gone.exe\n");
  EXPECT_EQ(result.err,
            "Zendrift: unknown switch /bogus (ignored)\nZendrift: unknown switch --list (ignored)\n"
            "Ready. 1 orphan(s) found.\n");
}

TEST_F(ProgramWords, OnlyScansWhatIsNamedAndTheWordAfterUserdirIsItsFolder) {
  // With no settings file the desktops are on by default; with /only they are not.
  shortcut(desktop() / "gone.lnk", "C:\\Gone\\gone.exe");
  shortcut(startMenu() / "Programs/gone.lnk", "C:\\Gone\\menu.exe");
  const ProgramResult only = run({"/list", "/only", "/startmenu"});
  EXPECT_EQ(only.exitCode, 0) << only.err;
  EXPECT_EQ(only.out, "x\t" + (startMenu() / "Programs/gone.lnk").string() + "\tC:\\\\Gone\\\\menu.exe\n");
  EXPECT_FALSE(fs::exists(settingsFile()));

  // A folder that does not exist is the real error, not an unknown switch.
  const ProgramResult missing = run({"/list", "/userdir", "/nonexistent"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err.find("unknown switch"), std::string::npos) << missing.err;
}

TEST_F(ProgramWords, ListJsonIsOneDocumentThatParsesBack) {
  const fs::path odd = desktop() / "say \"hi\"\t\u00e4.lnk";
  shortcut(odd, "C:\\Gone\\\"quoted\".exe");
  shortcut(desktop() / "kept.lnk", "Q:\\x.exe");
  shortcut(desktop() / "fine.lnk", "C:\\users\\ann\\Desktop");
  writeFile(settingsFile(), "[Exclude]\nExcludeList=" + (desktop() / "kept.lnk").string() + ", \n");

  const ProgramResult result = run({"/list", "/json"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "Ready. 2 orphan(s) found.\n");
  const nlohmann::json document = nlohmann::json::parse(result.out);  // throws on anything but one document
  EXPECT_EQ(document.at("profile"), prefix.str());
  const auto& folders = document.at("folders");
  EXPECT_NE(std::find(folders.begin(), folders.end(), desktop().string()), folders.end()) << folders.dump();
  ASSERT_EQ(document.at("orphans").size(), 2u) << result.out;
  std::map<std::string, nlohmann::json> byShortcut;
  for (const auto& orphan : document.at("orphans")) byShortcut[orphan.at("shortcut")] = orphan;
  const nlohmann::json& quoted = byShortcut.at(odd.string());
  EXPECT_EQ(quoted.at("target"), "C:\\Gone\\\"quoted\".exe");
  EXPECT_EQ(quoted.at("marked"), true);
  EXPECT_EQ(quoted.at("reason"), "file not found");
  EXPECT_EQ(quoted.at("kind"), "shortcut");
  EXPECT_EQ(quoted.at("profile"), prefix.str());
  const nlohmann::json& kept = byShortcut.at((desktop() / "kept.lnk").string());
  EXPECT_EQ(kept.at("marked"), false);
  EXPECT_EQ(kept.at("reason"), "drive Q: is not present");
  EXPECT_TRUE(document.at("unreadable").empty());
}

}  // namespace
}  // namespace zendrift::testing
