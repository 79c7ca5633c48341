// The form's option boxes to and from the scan options.
#include "ui/option_controls.h"

namespace zendrift::ui {

OptionControls optionsToControls(const settings::ScanOptions& options) {
  OptionControls controls;
  controls.startMenu = options.allUsersStartMenu;
  controls.desktop = options.allUsersDeskTop;
  controls.favorites = options.favorites;
  controls.history = options.history;
  controls.programFiles = options.programFiles;
  controls.temp = options.tempPath;
  controls.appData = options.applicationData;
  controls.recent = options.recent;
  controls.removableDrives = options.removableDrives;
  controls.networkDrives = options.networkDrives;
  controls.cdRomDrives = options.cdRomDrives;
  controls.ramDrives = options.ramDrives;
  controls.userFolder = options.userDir;
  controls.moveToTrash = !options.deletePermanently;
  return controls;
}

void controlsToOptions(const OptionControls& controls, settings::ScanOptions& options) {
  options.startMenu = options.allUsersStartMenu = controls.startMenu;
  options.desktop = options.allUsersDeskTop = controls.desktop;
  options.favorites = controls.favorites;
  options.history = controls.history;
  options.programFiles = controls.programFiles;
  options.tempPath = controls.temp;
  options.applicationData = controls.appData;
  options.recent = controls.recent;
  options.removableDrives = controls.removableDrives;
  options.networkDrives = controls.networkDrives;
  options.cdRomDrives = controls.cdRomDrives;
  options.ramDrives = controls.ramDrives;
  options.userDir = controls.userFolder;
  options.deletePermanently = !controls.moveToTrash;
}

void keepUnchangedPairs(const OptionControls& controls, const settings::ScanOptions& shown,
                        settings::ScanOptions& options) {
  if (controls.startMenu == shown.allUsersStartMenu) {
    options.startMenu = shown.startMenu;
    options.allUsersStartMenu = shown.allUsersStartMenu;
  }
  if (controls.desktop == shown.allUsersDeskTop) {
    options.desktop = shown.desktop;
    options.allUsersDeskTop = shown.allUsersDeskTop;
  }
}

}  // namespace zendrift::ui
