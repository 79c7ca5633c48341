// zd_window_probe: reads Zendrift's running Win32 window from outside, for the window test under
// Wine, which drives the window with real clicks and needs to see what it shows.
//
//   zd_window_probe caption          the main window's caption
//   zd_window_probe status           the status line's text
//   zd_window_probe lines            the result list's lines, one per line
//   zd_window_probe focus            the caption of the control with the keyboard focus ("list"
//                                    for the result list, "folder" for the user folder's box)
//   zd_window_probe rect CONTROL     a control's screen rectangle "LEFT TOP WIDTH HEIGHT"; CONTROL
//                                    is "window" (the client area), "scan", "delete", "exit" or
//                                    "trash" (the move-to-Recycle-Bin box)
//
// Exits 1 when there is no Zendrift window (or no such control), 2 for a wrong call.
#include <windows.h>

#include <iostream>
#include <string>
#include <string_view>

#include "gui/win32/control_ids.h"
#include "platform/win32/win32_text.h"
#include "ui/window_layout.h"

namespace {

using zendrift::platform::win32::toUtf8;
using zendrift::ui::ControlId;

HWND control(HWND window, ControlId id) {
  struct Search {
    int id;
    HWND found;
  } search{zendrift::win32::commandId(id), nullptr};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(child) != s->id) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return toUtf8(text);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: zd_window_probe caption|status|lines|focus|rect CONTROL\n";
    return 2;
  }
  HWND window = FindWindowW(L"ZendriftMainWindow", nullptr);
  if (!window) return 1;
  const std::string_view command = argv[1];
  if (command == "caption") {
    std::cout << windowText(window) << '\n';
  } else if (command == "status") {
    HWND label = control(window, ControlId::statusLabel);
    if (!label) return 1;
    std::cout << windowText(label) << '\n';
  } else if (command == "lines") {
    HWND list = control(window, ControlId::resultList);
    if (!list) return 1;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
      line.resize(static_cast<std::size_t>(
          SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()))));
      std::cout << toUtf8(line) << '\n';
    }
  } else if (command == "focus") {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 1;
    const int id = GetDlgCtrlID(info.hwndFocus);
    if (id == zendrift::win32::commandId(ControlId::resultList)) {
      std::cout << "list\n";
    } else if (id == zendrift::win32::commandId(ControlId::userFolderEdit)) {
      std::cout << "folder\n";
    } else {
      std::cout << windowText(info.hwndFocus) << '\n';
    }
  } else if (command == "rect" && argc == 3) {
    const std::string_view name = argv[2];
    RECT rect{};
    if (name == "window") {
      GetClientRect(window, &rect);
      MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else {
      const ControlId id = name == "scan" ? ControlId::scanButton : name == "delete" ? ControlId::deleteButton
                           : name == "exit" ? ControlId::exitButton
                           : name == "trash" ? ControlId::moveToTrashBox : ControlId::count;
      HWND child = id == ControlId::count ? nullptr : control(window, id);
      if (!child) return 1;
      GetWindowRect(child, &rect);
    }
    std::cout << rect.left << ' ' << rect.top << ' ' << rect.right - rect.left << ' ' << rect.bottom - rect.top << '\n';
  } else {
    std::cerr << "zd_window_probe: unknown command " << command << '\n';
    return 2;
  }
  return 0;
}
