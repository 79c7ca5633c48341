// The stand-in for the window in builds without Qt: the program can still run unattended.
#include <iostream>

#include "app/window_main.h"

namespace zendrift::app {

int runWindow(const settings::CommandLine&, char*) {
  std::cerr << kNoDisplayMessage;
  return 1;
}

}  // namespace zendrift::app
