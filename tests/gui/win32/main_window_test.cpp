// The main window moved to a screen of twice the density (WM_DPICHANGED, as Windows sends it to a
// per-monitor aware window), and the folder dialog's place on the screen.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/win32/auxiliary_actions.h"
#include "gui/win32/check_list_window.h"
#include "gui/win32/main_window.h"
#include "gui/win32/styled_button_window.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"
#include "window_test_support.h"

namespace zendrift::win32 {
namespace {

SIZE clientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

TEST(MainWindow, OnAScreenOfTwiceTheDensityItTakesTheSuggestedBoundsAndDoublesFontsControlsAndLines) {
  testing::registerWindowClasses();
  settings::ScanOptions options;
  MainWindow window(options, settings::CommandLine{}, "1.0");
  HWND main = window.handle();
  HWND desktopBox = testing::findControl(main, L"Button", L"Desktop");
  HWND statusLine = testing::findControl(main, L"Static", L"Idle.");
  HWND scanButton = testing::findControl(main, StyledButtonWindow::kClassName, L"Start Scan");
  HWND list = testing::findControl(main, CheckListWindow::kClassName);
  ASSERT_TRUE(desktopBox && statusLine && scanButton && list);
  ASSERT_EQ(testing::fontHeight(desktopBox), -11) << "made for a screen of 96 dpi";
  const SIZE scanBefore = clientSize(scanButton);
  const LRESULT lineBefore = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);

  // At 144 dpi the window takes the rectangle Windows suggests as it is (Wine's screen without a
  // display is 1024 x 768); its fonts grow by half.
  RECT suggested{20, 10, 20 + 900, 10 + 700};
  SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT after{};
  GetWindowRect(main, &after);
  EXPECT_EQ(after.left, suggested.left);
  EXPECT_EQ(after.top, suggested.top);
  EXPECT_EQ(after.right, suggested.right);
  EXPECT_EQ(after.bottom, suggested.bottom);
  EXPECT_EQ(testing::fontHeight(desktopBox), -17);

  // At 192 dpi fonts, controls and lines are twice their size. The window is where Windows
  // suggests, at least its minimum size at that density.
  suggested = {40, 30, 40 + 1200, 30 + 934};
  SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  GetWindowRect(main, &after);
  EXPECT_EQ(after.left, suggested.left);
  EXPECT_EQ(after.top, suggested.top);
  EXPECT_GE(clientSize(main).cx, 2 * (600 - 8));
  EXPECT_GE(clientSize(main).cy, 2 * (400 - 34));
  EXPECT_EQ(testing::fontHeight(desktopBox), -22);
  EXPECT_EQ(testing::fontHeight(statusLine), -22);
  EXPECT_EQ(clientSize(scanButton).cx, 2 * scanBefore.cx);
  EXPECT_EQ(clientSize(scanButton).cy, 2 * scanBefore.cy);
  EXPECT_GE(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 2 * lineBefore);
}

// The folder dialog's outer rectangle, read while it shows; then it is cancelled.
RECT shownDialog;
bool dialogSeen = false;

void CALLBACK lookForDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND candidate, LPARAM found) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(candidate, name, 16);
        if (std::wstring(name) != L"#32770" || !IsWindowVisible(candidate)) return TRUE;
        *reinterpret_cast<HWND*>(found) = candidate;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  KillTimer(nullptr, timer);
  dialogSeen = GetWindowRect(dialog, &shownDialog) != FALSE;
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST(FolderDialog, IsCentredOnTheWorkAreaOfTheWindowsScreenNotOnTheWindow) {
  // A main window closed before leaves its WM_QUIT, which would end the dialog at once.
  MSG left{};
  while (PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE)) continue;
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  // A small window in the screen's corner: its centre is far from the work area's.
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 240, 160, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(owner);
  SetTimer(nullptr, 0, 100, lookForDialog);
  EXPECT_EQ(browseForFolder(owner, "Select a folder", ""), "");
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &screen));
  DestroyWindow(owner);
  OleUninitialize();

  ASSERT_TRUE(dialogSeen);
  const RECT& area = screen.rcWork;
  const int width = shownDialog.right - shownDialog.left, height = shownDialog.bottom - shownDialog.top;
  ASSERT_LE(width, area.right - area.left);
  ASSERT_LE(height, area.bottom - area.top);
  EXPECT_EQ(shownDialog.left, area.left + (area.right - area.left - width) / 2);
  EXPECT_EQ(shownDialog.top, area.top + (area.bottom - area.top - height) / 2);
}

}  // namespace
}  // namespace zendrift::win32
