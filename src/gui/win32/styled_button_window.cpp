// The styled push button's window procedure.
#include "gui/win32/styled_button_window.h"

#include <windowsx.h>

#include "platform/win32/win32_text.h"

namespace zendrift::win32 {
namespace {

// Sent to every styled button of a window when the focus moved among its controls.
constexpr UINT kFocusMovedMessage = WM_APP + 20;

ui::Color systemColor(int index) {
  const COLORREF c = GetSysColor(index);
  return ui::Color::rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

bool isStyledButton(HWND window) {
  wchar_t name[64] = {};
  return window && GetClassNameW(window, name, 64) && wcscmp(name, StyledButtonWindow::kClassName) == 0;
}

}  // namespace

void StyledButtonWindow::registerClass(HINSTANCE instance) {
  WindowObject::registerClass(instance, kClassName, {});
}

StyledButtonWindow::StyledButtonWindow(HWND parent, int id, std::string_view caption, const ui::Font& font, int dpi)
    : id_(id) {
  caption_.text = std::string(caption);
  // The design's font for this screen: the painter works in device pixels.
  caption_.font = font.scaledBy(dpi / 96.0);
  window_ = CreateWindowExW(0, kClassName, platform::win32::toWide(caption).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), static_cast<WindowObject*>(this));
}

void StyledButtonWindow::setFont(const ui::Font& font, int dpi) {
  caption_.font = font.scaledBy(dpi / 96.0);
  placement_.reset();
  repaint();
}

StyledButtonWindow::~StyledButtonWindow() {
  destroyWindow();
}

LRESULT StyledButtonWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything, from a buffer
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(window_, &ps);
      paint(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_SIZE:
      // Gradients are built per size, never while painting.
      gradientSize_ = {LOWORD(lParam), HIWORD(lParam)};
      gradients_ = ui::buttonGradients(gradientSize_);
      placement_.reset();
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
      caption_.text = platform::win32::toUtf8(reinterpret_cast<const wchar_t*>(lParam));
      placement_.reset();
      repaint();
      return result;
    }
    case WM_MOUSEMOVE: {
      const bool inside = pointerInside();
      if (inside && state_.pointerEntered(IsWindowEnabled(window_) != FALSE)) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window_;
        TrackMouseEvent(&track);
        repaint();
      } else if (!inside && state_.pointerLeft()) {
        repaint();
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      // A press keeps the capture: the pointer's moves still reach the button then.
      if (GetCapture() != window_ && state_.pointerLeft()) repaint();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != window_) SetFocus(window_);
      SetCapture(window_);
      state_.pressDown();
      repaint();
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const bool inside = pointerInside();
      // Released before the capture goes, which would otherwise end the press unclicked.
      const ui::ControlDrawState::Release release = state_.release(message == WM_LBUTTONUP, inside);
      if (GetCapture() == window_) ReleaseCapture();
      if (release.ended && inside) state_.set(ui::DrawStateFlag::hot, true);
      repaint();
      if (release.click) click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_ && state_.pressing()) {
        state_.release(false, false);
        repaint();
      }
      return 0;
    case WM_GETDLGCODE:
      // Enter clicks the focused button itself; the window's dialog manager keeps Tab.
      if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
          reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
        return DLGC_WANTMESSAGE | DLGC_BUTTON;
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && !(GetKeyState(VK_SHIFT) & 0x8000) && !(lParam & 0x40000000)) {
        state_.set(ui::DrawStateFlag::hot, true);
        state_.pressDown();
        repaint();
      } else if (wParam == VK_RETURN) {
        click();
      }
      return 0;
    case WM_KEYUP:
      if (state_.pressed()) {
        if (!pointerInside()) state_.set(ui::DrawStateFlag::hot, false);
        const bool clicks = state_.keyReleased();
        repaint();
        if (clicks) click();
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      tellFocusMoved();
      return 0;
    case kFocusMovedMessage: {
      HWND focus = GetFocus();
      state_.focusMoved(focus == window_, isStyledButton(focus));
      repaint();
      return 0;
    }
    case WM_ENABLE:
      if (!wParam) state_.disabled();
      repaint();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void StyledButtonWindow::paint(HDC target) {
  RECT client{};
  GetClientRect(window_, &client);
  PaintBuffer buffer(target, client);
  GdiPainter painter(buffer.dc(), fonts_);
  const ui::Size size{client.right, client.bottom};
  if (!(size == gradientSize_)) {
    gradientSize_ = size;
    gradients_ = ui::buttonGradients(size);
    placement_.reset();
  }
  if (!placement_) placement_ = ui::placeCaption(painter, size, caption_, ui::ButtonGlyph{});
  const bool enabled = IsWindowEnabled(window_) != FALSE;
  ui::ButtonPaint button;
  button.size = size;
  button.status = {enabled,           state_.hot(),     state_.pressed(), state_.focused(),
                   state_.pointerOver(), false,         enabled,          state_.sibling()};
  button.caption = &caption_;
  // The parent's face around the rounded corners, and the system's colours for the caption.
  button.colors = {systemColor(COLOR_BTNFACE), systemColor(COLOR_BTNTEXT), systemColor(COLOR_BTNHIGHLIGHT),
                   systemColor(COLOR_BTNSHADOW)};
  ui::paintButton(painter, button, gradients_, *placement_);
}

void StyledButtonWindow::click() {
  SendMessageW(GetParent(window_), WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), reinterpret_cast<LPARAM>(window_));
}

void StyledButtonWindow::repaint() { InvalidateRect(window_, nullptr, FALSE); }

bool StyledButtonWindow::pointerInside() const {
  POINT pointer{};
  GetCursorPos(&pointer);
  ScreenToClient(window_, &pointer);
  RECT client{};
  GetClientRect(window_, &client);
  return PtInRect(&client, pointer) != FALSE;
}

void StyledButtonWindow::tellFocusMoved() const {
  EnumChildWindows(
      GetAncestor(window_, GA_ROOT),
      [](HWND child, LPARAM) -> BOOL {
        if (isStyledButton(child)) SendMessageW(child, kFocusMovedMessage, 0, 0);
        return TRUE;
      },
      0);
}

void StyledButtonWindow::setCaption(std::string_view caption) {
  SetWindowTextW(window_, platform::win32::toWide(caption).c_str());
}

void StyledButtonWindow::setEnabled(bool enabled) { EnableWindow(window_, enabled ? TRUE : FALSE); }

bool StyledButtonWindow::isEnabled() const { return IsWindowEnabled(window_) != FALSE; }

void StyledButtonWindow::setFocus() {
  if (IsWindowEnabled(window_)) SetFocus(window_);
}

}  // namespace zendrift::win32
