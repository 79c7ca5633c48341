// The interactive program: the application, the main window's creation and the event loop.
#include "gui/window_main.h"

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/qt/main_window.h"
#include "gui/qt/zendrift_application.h"
#include "settings/scan_options.h"

namespace zendrift::gui {

namespace {

// While the application starts, Qt's own messages wait here. Qt reports a display it cannot open
// with a fatal message and then aborts (exit 134 and a core dump): that one becomes our word and
// exit code instead, and the messages that led to it, in Qt's words, are dropped.
std::vector<std::string>& startupMessages() {
  static std::vector<std::string> held;
  return held;
}

void holdStartupMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::fwrite(kNoDisplayMessage.data(), 1, kNoDisplayMessage.size(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  startupMessages().push_back(text.toStdString());
}

}  // namespace

int runWindow(const settings::CommandLine& commandLine, char* programName, std::string_view versionStamp) {
  // Qt sees no parameters, so it takes none of ours (-style, -reverse) for its own options; it
  // keeps the vector and its count for the application's life.
  int argc = 1;
  char* argv[] = {programName, nullptr};
  const QtMessageHandler previous = qInstallMessageHandler(holdStartupMessage);
  qt::ZendriftApplication application(argc, argv);
  qInstallMessageHandler(previous);
  for (const std::string& message : startupMessages()) std::fprintf(stderr, "%s\n", message.c_str());
  startupMessages().clear();

  // The program's one record of options lives as long as the run.
  settings::ScanOptions options;
  qt::MainWindow form(options, commandLine, std::string(versionStamp));
  form.start();
  if (form.exitRequested() || form.closed()) return 0;
  form.show();
  application.exec();
  return 0;
}

}  // namespace zendrift::gui
