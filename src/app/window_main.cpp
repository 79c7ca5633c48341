// The interactive program: the application, the main window's creation and the event loop.
#include "app/window_main.h"

#include "app/form1.h"
#include "app/zendrift_application.h"
#include "platform/process.h"
#include "settings/command_line.h"
#include "settings/ini_rec.h"

namespace zendrift::app {

int runWindow(int argc, char** argv) {
  ZendriftApplication application(argc, argv);
  // The program's one record of options lives as long as the run.
  settings::TIniRec options;
  TForm1 form(options, settings::CommandLine(platform::programParameters(argc, argv)));
  try {
    form.FormCreate();
  } catch (...) {
    // As for any handler: the error is shown and the program goes on.
    ZendriftApplication::ShowException(std::current_exception());
  }
  if (form.ExitRequested() || form.Closed()) return 0;
  form.show();
  application.exec();
  return 0;
}

}  // namespace zendrift::app
