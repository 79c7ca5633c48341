// The form's option boxes to and from the scan options.
#include "ui/option_controls.h"

#include <utility>

namespace zendrift::ui {

namespace {

// The boxes that stand for one flag each.
constexpr std::pair<bool OptionControls::*, bool settings::ScanOptions::*> kSingleFlags[] = {
    {&OptionControls::favorites, &settings::ScanOptions::favorites},
    {&OptionControls::history, &settings::ScanOptions::history},
    {&OptionControls::programFiles, &settings::ScanOptions::programFiles},
    {&OptionControls::temp, &settings::ScanOptions::tempPath},
    {&OptionControls::appData, &settings::ScanOptions::applicationData},
    {&OptionControls::recent, &settings::ScanOptions::recent},
    {&OptionControls::removableDrives, &settings::ScanOptions::removableDrives},
    {&OptionControls::networkDrives, &settings::ScanOptions::networkDrives},
    {&OptionControls::cdRomDrives, &settings::ScanOptions::cdRomDrives},
    {&OptionControls::ramDrives, &settings::ScanOptions::ramDrives},
};

}  // namespace

OptionControls optionsToControls(const settings::ScanOptions& options) {
  OptionControls controls;
  controls.startMenu = options.allUsersStartMenu;
  controls.desktop = options.allUsersDeskTop;
  for (const auto& [box, flag] : kSingleFlags) controls.*box = options.*flag;
  controls.userFolder = options.userDir;
  controls.moveToTrash = !options.deletePermanently;
  return controls;
}

void controlsToOptions(const OptionControls& controls, settings::ScanOptions& options) {
  options.startMenu = options.allUsersStartMenu = controls.startMenu;
  options.desktop = options.allUsersDeskTop = controls.desktop;
  for (const auto& [box, flag] : kSingleFlags) options.*flag = controls.*box;
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
