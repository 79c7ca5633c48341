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
  EXPECT_EQ(line.ParamCount(), 2);
  EXPECT_EQ(line.ParamStr(1), "/start");
  EXPECT_EQ(line.ParamStr(2), "a b \"c\"");
  EXPECT_EQ(line.ParamStr(0), "");
  EXPECT_EQ(line.ParamStr(3), "");
  EXPECT_FALSE(line.SwitchPresent("exit"));
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
    EXPECT_EQ(CommandLine({c.parameter}).SwitchPresent(c.name), c.present) << c.parameter << " vs " << c.name;
  }
  EXPECT_TRUE(CommandLine({"x", std::string(1000, 'y'), "-exit"}).SwitchPresent("exit"));
}

TEST(CommandLine, SwitchesSetFlagsAndNeverClearOne) {
  TIniRec rec;  // every flag false
  rec.History = true;
  CommandLine({"/desktop", "/STARTMENU", "-ramdrives", "|cdromdrives", "/programfiles", "nonsense", "/recent=0"})
      .ApplySwitches(rec);
  EXPECT_TRUE(rec.Desktop && rec.AllUsersDeskTop && rec.StartMenu && rec.AllUsersStartMenu);
  EXPECT_TRUE(rec.RamDrives && rec.CDRomDrives && rec.ProgramFiles && rec.History);
  EXPECT_FALSE(rec.Recent || rec.Favorites || rec.TempPath || rec.ApplicationData);
  EXPECT_FALSE(rec.RemovableDrives || rec.NetworkDrives);

  TIniRec all = DefaultSettings();
  const TIniRec before = all;
  CommandLine({"/start"}).ApplySwitches(all);
  EXPECT_EQ(all, before);
}

TEST(CommandLine, UserDirTakesTheLastParameterThatNamesAnExistingFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "With Space");
  std::filesystem::create_directories(dir.path() / "Ärger");
  testing::writeFile(dir.path() / "file.txt", "");
  const std::string spaced = dir / "With Space";
  const std::string umlaut = dir / "Ärger";

  TIniRec rec;
  rec.UserDir = "kept";
  CommandLine({"/userdir", dir / "missing"}).ApplySwitches(rec);
  EXPECT_EQ(rec.UserDir, "kept");
  CommandLine({"/userdir", dir / "file.txt"}).ApplySwitches(rec);
  EXPECT_EQ(rec.UserDir, "kept");

  CommandLine({spaced, "/userdir", umlaut, dir / "missing"}).ApplySwitches(rec);
  EXPECT_EQ(rec.UserDir, umlaut);
  CommandLine({umlaut, "/USERDIR", spaced + "/"}).ApplySwitches(rec);
  EXPECT_EQ(rec.UserDir, spaced + "/");

  // Without the switch, folder parameters do nothing.
  TIniRec untouched;
  CommandLine({spaced}).ApplySwitches(untouched);
  EXPECT_EQ(untouched.UserDir, "");
}

}  // namespace
}  // namespace zendrift::settings
