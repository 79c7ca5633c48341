// What the Win32 window tests share.
#include "window_test_support.h"

#include <algorithm>
#include <string>

#include "gui/win32/check_list_window.h"
#include "gui/win32/main_window.h"
#include "gui/win32/panel_window.h"
#include "gui/win32/state_image_window.h"
#include "gui/win32/styled_button_window.h"

namespace zendrift::win32::testing {

DibTarget::DibTarget(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  old_ = SelectObject(dc_, bitmap_);
}

DibTarget::~DibTarget() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

std::uint32_t DibTarget::rgb(int x, int y) const {
  GdiFlush();
  return static_cast<const std::uint32_t*>(bits_)[y * width_ + x] & 0xFFFFFFu;
}

void registerWindowClasses() {
  static const bool registered = [] {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    MainWindow::registerClass(instance);
    registerPanelClass(instance);
    StyledButtonWindow::registerClass(instance);
    CheckListWindow::registerClass(instance);
    StateImageWindow::registerClass(instance);
    return true;
  }();
  (void)registered;
}

HWND findControl(HWND window, std::wstring_view className, std::wstring_view text) {
  struct Search {
    std::wstring_view className, text;
    HWND found = nullptr;
  } search{className, text};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto& wanted = *reinterpret_cast<Search*>(data);
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
        const int length = GetWindowTextW(child, caption.data(), static_cast<int>(caption.size()));
        caption.resize(static_cast<std::size_t>(std::max(length, 0)));
        if (_wcsicmp(name, std::wstring(wanted.className).c_str()) != 0) return TRUE;
        if (!wanted.text.empty() && caption != wanted.text) return TRUE;
        wanted.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int fontHeight(HWND control) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (!handle || !GetObjectW(handle, sizeof font, &font)) return 0;
  return font.lfHeight;
}

}  // namespace zendrift::win32::testing
