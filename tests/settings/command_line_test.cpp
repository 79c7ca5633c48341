// Command-line parameters and switches.
#include <gtest/gtest.h>

#include "settings/command_line.h"
#include "settings/settings_file.h"
#include "temp_dir.h"

namespace zendrift::settings {
namespace {

using testing::TempDir;

TEST(CommandLine, ParametersComeFromTheArgumentVectorUpToTheFirstEmptyOne) {
  const char* argv[] = {"zendrift", "/start", "a b \"c\"", "", "/exit", nullptr};
  const CommandLine line(5, argv);
  EXPECT_EQ(line.paramCount(), 2);
  EXPECT_EQ(line.paramStr(1), "/start");
  EXPECT_EQ(line.paramStr(2), "a b \"c\"");
  EXPECT_EQ(line.paramStr(0), "");
  EXPECT_EQ(line.paramStr(3), "");
  EXPECT_FALSE(line.switchPresent("exit"));
}

TEST(CommandLine, SwitchesMatchWholeNamesAfterAnyOfTheThreeCharacters) {
  struct Case {
    const char* parameter;
    const char* name;
    bool present;
  };
  const Case cases[] = {
      {"/silent", "silent", true},   {"-SILENT", "silent", true},      {"|Silent", "silent", true},
      {"silent", "silent", false},   {"\\silent", "silent", false},    {"--start", "start", false},
      {"/start", "startmenu", false}, {"/startmenu", "start", false},  {"/startmenu=1", "startmenu", false},
      {"/", "", false},              {"/ start", "start", false},      {"/start ", "start", false},
      {"/ＳTART", "start", false},   {"/exit", "exit", true},          {"/DeLeTe", "delete", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandLine({c.parameter}).switchPresent(c.name), c.present) << c.parameter << " vs " << c.name;
  }
  EXPECT_TRUE(CommandLine({"x", std::string(1000, 'y'), "-exit"}).switchPresent("exit"));
}

TEST(CommandLine, SwitchesSetFlagsAndNeverClearOne) {
  ScanOptions rec;  // every flag false
  rec.history = true;
  CommandLine({"/desktop", "/STARTMENU", "-ramdrives", "|cdromdrives", "/programfiles", "nonsense", "/recent=0",
               "/Permanent"})
      .applySwitches(rec);
  EXPECT_TRUE(rec.desktop && rec.allUsersDeskTop && rec.startMenu && rec.allUsersStartMenu);
  EXPECT_TRUE(rec.ramDrives && rec.cdRomDrives && rec.programFiles && rec.history && rec.deletePermanently);
  EXPECT_FALSE(rec.recent || rec.favorites || rec.tempPath || rec.applicationData);
  EXPECT_FALSE(rec.removableDrives || rec.networkDrives);

  ScanOptions all = defaultSettings();
  const ScanOptions before = all;
  CommandLine({"/start"}).applySwitches(all);
  EXPECT_EQ(all, before);
}

TEST(CommandLine, UserDirTakesTheLastParameterThatNamesAnExistingFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "With Space");
  std::filesystem::create_directories(dir.path() / "Ärger");
  testing::writeFile(dir.path() / "file.txt", "");
  const std::string spaced = dir / "With Space";
  const std::string umlaut = dir / "Ärger";

  ScanOptions rec;
  rec.userDir = "kept";
  CommandLine({"/userdir", dir / "missing"}).applySwitches(rec);
  EXPECT_EQ(rec.userDir, "kept");
  CommandLine({"/userdir", dir / "file.txt"}).applySwitches(rec);
  EXPECT_EQ(rec.userDir, "kept");

  CommandLine({spaced, "/userdir", umlaut, dir / "missing"}).applySwitches(rec);
  EXPECT_EQ(rec.userDir, umlaut);
  CommandLine({umlaut, "/USERDIR", spaced + "/"}).applySwitches(rec);
  EXPECT_EQ(rec.userDir, spaced + "/");

  // Without the switch, folder parameters do nothing.
  ScanOptions untouched;
  CommandLine({spaced}).applySwitches(untouched);
  EXPECT_EQ(untouched.userDir, "");
}

TEST(CommandLine, HelpAndVersionHaveTheirUsualSpellings) {
  for (const char* help : {"--help", "-h", "/?", "/help", "-HELP", "|h"}) {
    EXPECT_TRUE(CommandLine({"/list", help}).helpRequested()) << help;
  }
  for (const char* other : {"help", "--h", "-help=1", "/version", "--HELP"}) {
    EXPECT_FALSE(CommandLine({other}).helpRequested()) << other;
  }
  for (const char* version : {"--version", "/version", "-Version"}) {
    EXPECT_TRUE(CommandLine({version}).versionRequested()) << version;
  }
  EXPECT_FALSE(CommandLine({"version", "--v"}).versionRequested());
}

TEST(CommandLine, UnknownSwitchesAreWordsAfterASwitchCharacterThatNameNoSwitchAndNoPath) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "folder");
  const std::string folder = dir / "folder";
  const CommandLine line({"/list", "/bogus", "-style", "fusion", "--list", "|EXIT", "/?", "--version", "/userdir",
                          folder, dir / "missing", "/", "-", "/startmenu=1", "/json", "/h"});
  EXPECT_EQ(line.unknownSwitches(), (std::vector<std::string>{"/bogus", "-style", "--list", "/startmenu=1"}));
  // A folder whose name is a single word still counts as a path while it exists.
  EXPECT_TRUE(CommandLine({"/tmp"}).unknownSwitches().empty());
  EXPECT_EQ(CommandLine({"/nonexistentzendriftword"}).unknownSwitches().size(), 1u);
}

}  // namespace
}  // namespace zendrift::settings
