// The interactive program: the application, the main window's creation and the event loop.
#include "app/window_main.h"

#include "gui/qt/main_window.h"
#include "gui/qt/zendrift_application.h"
#include "platform/process.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"

namespace zendrift::app {

int runWindow(int argc, char** argv) {
  ZendriftApplication application(argc, argv);
  // The program's one record of options lives as long as the run.
  settings::ScanOptions options;
  MainWindow form(options, settings::CommandLine(platform::programParameters(argc, argv)));
  try {
    form.start();
  } catch (...) {
    // As for any handler: the error is shown and the program goes on.
    ZendriftApplication::showException(std::current_exception());
  }
  if (form.exitRequested() || form.closed()) return 0;
  form.show();
  application.exec();
  return 0;
}

}  // namespace zendrift::app
