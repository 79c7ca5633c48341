// The interactive program: the main window and its event loop.
#pragma once

namespace zendrift::app {

// Creates the application and the main window, runs the start-up sequence and the event loop,
// and returns the process's exit code. /silent and /list never come here: they run without a
// window (unattended_run.h).
int runWindow(int argc, char** argv);

}  // namespace zendrift::app
