// The interactive program on Windows: the window classes, the main window's creation and start-up,
// and the message loop.
#include "gui/window_main.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <iostream>

#include "gui/win32/check_list_window.h"
#include "gui/win32/main_window.h"
#include "gui/win32/panel_window.h"
#include "gui/win32/state_image_window.h"
#include "gui/win32/styled_button_window.h"
#include "settings/scan_options.h"

namespace zendrift::gui {
namespace {

void registerWindowClasses(HINSTANCE instance) {
  win32::MainWindow::registerClass(instance);
  win32::registerPanelClass(instance);
  win32::StyledButtonWindow::registerClass(instance);
  win32::CheckListWindow::registerClass(instance);
  win32::StateImageWindow::registerClass(instance);
}

// The show request of whoever started the program (a shortcut set to "maximised", say).
int launcherShowCommand() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  if (!(startup.dwFlags & STARTF_USESHOWWINDOW)) return SW_SHOWNORMAL;
  switch (startup.wShowWindow) {
    case SW_SHOWMAXIMIZED: return SW_SHOWMAXIMIZED;
    case SW_SHOWMINNOACTIVE: return SW_SHOWMINNOACTIVE;
    default: return SW_SHOWNORMAL;
  }
}

}  // namespace

int runWindow(const settings::CommandLine& commandLine, char*, std::string_view versionStamp) {
  // A console that Windows opened only for this program (started from Explorer) has nothing to
  // show while the window runs; one shared with a command prompt stays.
  DWORD consoleProcesses[2] = {};
  if (GetConsoleProcessList(consoleProcesses, 2) == 1) FreeConsole();

  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  registerWindowClasses(instance);

  // The program's one record of options lives as long as the run.
  settings::ScanOptions options;
  std::unique_ptr<win32::MainWindow> form;
  try {
    form = std::make_unique<win32::MainWindow>(options, commandLine, std::string(versionStamp));
  } catch (const std::exception& error) {
    std::cerr << kNoDisplayMessage.substr(0, kNoDisplayMessage.find(':')) << ": cannot open the window: "
              << error.what() << '\n';
    return 1;
  }
  form->start();
  if (form->exitRequested() || form->closed()) return 0;
  form->show(launcherShowCommand());

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The dialog manager moves the focus with Tab and the arrow keys across the panels.
    if (form->handle() && IsDialogMessageW(form->handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace zendrift::gui
