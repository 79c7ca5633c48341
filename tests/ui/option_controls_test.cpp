// The form's option boxes to and from the scan options, pairs included.
#include <gtest/gtest.h>

#include "ui/option_controls.h"

namespace zendrift::ui {
namespace {

TEST(OptionControls, EveryBoxAndTheFolderRoundTrip) {
  settings::ScanOptions options;
  options.startMenu = options.allUsersStartMenu = true;
  options.history = options.tempPath = options.networkDrives = options.ramDrives = true;
  options.userDir = "/home/ann/Games";
  options.deletePermanently = true;
  options.excludeList = "/a.lnk, ";
  options.width = 700;
  const OptionControls controls = optionsToControls(options);
  EXPECT_TRUE(controls.startMenu);
  EXPECT_FALSE(controls.desktop);
  EXPECT_TRUE(controls.temp);
  EXPECT_FALSE(controls.moveToTrash);
  EXPECT_EQ(controls.userFolder, "/home/ann/Games");

  settings::ScanOptions back;
  back.excludeList = "kept";
  back.width = 1;
  controlsToOptions(controls, back);
  EXPECT_EQ(optionsToControls(back), controls);
  EXPECT_EQ(back.excludeList, "kept");  // neither the exclude list nor the bounds are touched
  EXPECT_EQ(back.width, 1);
  // Each box on its own flag: ticking one changes exactly that one.
  for (bool OptionControls::*box : {&OptionControls::favorites, &OptionControls::history, &OptionControls::recent,
                                    &OptionControls::programFiles, &OptionControls::appData,
                                    &OptionControls::removableDrives, &OptionControls::cdRomDrives}) {
    OptionControls changed = controls;
    changed.*box = !(changed.*box);
    settings::ScanOptions result;
    controlsToOptions(changed, result);
    EXPECT_EQ(optionsToControls(result), changed);
  }
}

TEST(OptionControls, APairShowsItsAllUsersFlagAndKeepsItsValuesUnlessTheBoxChanged) {
  settings::ScanOptions shown;
  shown.startMenu = false;
  shown.allUsersStartMenu = true;
  shown.desktop = true;
  shown.allUsersDeskTop = false;
  OptionControls controls = optionsToControls(shown);
  EXPECT_TRUE(controls.startMenu);
  EXPECT_FALSE(controls.desktop);

  // A scan takes both flags of a pair from its box.
  settings::ScanOptions scanned;
  controlsToOptions(controls, scanned);
  EXPECT_TRUE(scanned.startMenu && scanned.allUsersStartMenu);
  EXPECT_FALSE(scanned.desktop || scanned.allUsersDeskTop);

  // Saving: the untouched start-menu box keeps the file's pair; the desktop box, now ticked,
  // sets both.
  controls.desktop = true;
  settings::ScanOptions saved;
  controlsToOptions(controls, saved);
  keepUnchangedPairs(controls, shown, saved);
  EXPECT_FALSE(saved.startMenu);
  EXPECT_TRUE(saved.allUsersStartMenu);
  EXPECT_TRUE(saved.desktop && saved.allUsersDeskTop);
}

}  // namespace
}  // namespace zendrift::ui
