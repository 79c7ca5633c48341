// The form's option boxes as plain values, and their transfer to and from the scan options.
#pragma once

#include <string>

#include "settings/scan_options.h"

namespace zendrift::ui {

// What the option controls show: which box is ticked, and the user folder's text.
struct OptionControls {
  bool startMenu = false;
  bool desktop = false;
  bool favorites = false;
  bool history = false;
  bool programFiles = false;
  bool temp = false;
  bool appData = false;
  bool recent = false;
  bool removableDrives = false;
  bool networkDrives = false;
  bool cdRomDrives = false;
  bool ramDrives = false;
  std::string userFolder;
  bool moveToTrash = true;
  friend bool operator==(const OptionControls&, const OptionControls&) = default;
};

// The boxes from the options. One box shows a pair of flags (start menu, desktop): the all-users
// flag decides.
OptionControls optionsToControls(const settings::ScanOptions& options);

// The options from the boxes: a pair's box sets both its flags. The prefix, the exclude list and
// the window's bounds are not touched.
void controlsToOptions(const OptionControls& controls, settings::ScanOptions& options);

// Before saving: a pair's box left as it was shown (`shown`, the options the boxes were last
// filled from) keeps the pair as it was, so a pair that differed in the file is not rewritten.
void keepUnchangedPairs(const OptionControls& controls, const settings::ScanOptions& shown,
                        settings::ScanOptions& options);

}  // namespace zendrift::ui
