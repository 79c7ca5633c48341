// The stand-in for the window in builds without Qt: the program can still run unattended.
#include <iostream>

#include "ui/window_main.h"

namespace zendrift::ui {

int runWindow(const settings::CommandLine&, char*) {
  std::cerr << kNoDisplayMessage;
  return 1;
}

}  // namespace zendrift::ui
