// The stand-in for the window in builds without Qt: the program can still run unattended.
#include <iostream>

#include "app/window_main.h"

namespace zendrift::app {

int runWindow(int, char**) {
  std::cerr << "Zendrift: this build has no window (it was built without Qt 6). "
               "Use /silent or /list to scan without a window.\n";
  return 1;
}

}  // namespace zendrift::app
