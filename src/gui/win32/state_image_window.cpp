// The logo's window procedure.
#include "gui/win32/state_image_window.h"

#include <windowsx.h>

#include "gui/win32/logo_picture.h"
#include "ui/logo_drawing.h"

namespace zendrift::win32 {

void StateImageWindow::registerClass(HINSTANCE instance) {
  WindowObject::registerClass(instance, kClassName, {.cursor = IDC_HAND});
}

StateImageWindow::StateImageWindow(HWND parent, int id) : id_(id) {
  machine_.setHeld({!logoPicture().empty(), false, false, false, false});
  // Only the default picture is held: the shown picture never changes, so nothing to repaint.
  machine_.show = [](ui::PictureState) {};
  window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), static_cast<WindowObject*>(this));
}

StateImageWindow::~StateImageWindow() {
  destroyWindow();
}

LRESULT StateImageWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      // The picture at the control's size, which the layout scales by the screen's dpi: drawn
      // anew there, so that it stays smooth.
      if (const ui::Size size{LOWORD(lParam), HIWORD(lParam)}; size == logoPicture().size()) {
        picture_ = logoPicture();
      } else {
        picture_ = ui::drawnLogo(size);
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(window_, &ps);
      RECT client{};
      GetClientRect(window_, &client);
      {
        PaintBuffer buffer(dc, client);
        GdiPainter painter(buffer.dc(), fonts_);
        const COLORREF face = GetSysColor(COLOR_WINDOW);
        painter.fillRect({0, 0, client.right, client.bottom}, ui::Color::rgb(GetRValue(face), GetGValue(face), GetBValue(face)));
        painter.drawImage({0, 0}, picture_);
      }
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (machine_.pointerEntered()) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window_;
        TrackMouseEvent(&track);
      }
      return 0;
    case WM_MOUSELEAVE:
      machine_.pointerLeft();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetCapture(window_);
      machine_.pressed();
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (GetCapture() == window_) ReleaseCapture();
      RECT client{};
      GetClientRect(window_, &client);
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const bool inside = PtInRect(&client, at) != FALSE;
      // The click comes before the release.
      if (message == WM_LBUTTONUP && inside) machine_.clicked();
      machine_.released(at.x, at.y, client.right, client.bottom);
      if (message == WM_LBUTTONUP && inside)
        SendMessageW(GetParent(window_), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), reinterpret_cast<LPARAM>(window_));
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace zendrift::win32
