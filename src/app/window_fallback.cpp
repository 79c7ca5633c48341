// The stand-in for the window in builds without Qt: the program can still run unattended.
#include <iostream>

#include "gui/window_main.h"

namespace zendrift::gui {

int runWindow(const settings::CommandLine&, char*, std::string_view) {
  std::cerr << kNoDisplayMessage;
  return 1;
}

}  // namespace zendrift::gui
