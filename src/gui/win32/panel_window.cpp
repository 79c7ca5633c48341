// The panel window class.
#include "gui/win32/panel_window.h"

namespace zendrift::win32 {
namespace {

constexpr wchar_t kPanelClass[] = L"ZendriftPanel";
constexpr LONG_PTR kRaisedFlag = 0x10000;

LRESULT CALLBACK panelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(panel, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(panelColourIndex(panel)));
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(panel, &paint);
      if (GetWindowLongPtrW(panel, GWLP_USERDATA) & kRaisedFlag) {
        RECT client{};
        GetClientRect(panel, &client);
        DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
      }
      EndPaint(panel, &paint);
      return 0;
    }
    case WM_SIZE:
      // The bevel sits on the edges: a resize must repaint the whole of it.
      InvalidateRect(panel, nullptr, TRUE);
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CONTEXTMENU:
      // The main window handles every control's notifications, whichever panel holds it.
      return SendMessageW(GetAncestor(panel, GA_ROOT), message, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcW(panel, message, wParam, lParam);
}

}  // namespace

void registerPanelClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = panelProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kPanelClass;
  RegisterClassExW(&windowClass);
}

HWND createPanel(HWND parent, int colourIndex, bool raised) {
  // No WS_CLIPCHILDREN: group boxes leave their inside to the panel's own background.
  HWND panel = CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                               parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(panel, GWLP_USERDATA, colourIndex | (raised ? kRaisedFlag : 0));
  return panel;
}

int panelColourIndex(HWND panel) { return static_cast<int>(GetWindowLongPtrW(panel, GWLP_USERDATA) & 0xFFFF); }

}  // namespace zendrift::win32
