// The result list's window procedure, drawing and input.
#include "gui/win32/check_list_window.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "gui/win32/control_ids.h"
#include "platform/win32/win32_text.h"
#include "ui/check_list_paint.h"

namespace zendrift::win32 {
namespace {

ui::Color systemColor(int index) {
  const COLORREF c = GetSysColor(index);
  return ui::Color::rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Posted to itself after the model changed, once for any number of changes.
constexpr UINT kUpdateMessage = WM_APP + 30;
constexpr UINT_PTR kUpdateTimer = 1;
constexpr DWORD kUpdateInterval = 100;

enum MenuCommand : UINT { kMarkAll = 1, kUnmarkAll, kMarkSelection, kUnmarkSelection, kExclude, kUndo };

}  // namespace

void CheckListWindow::registerClass(HINSTANCE instance) {
  WindowObject::registerClass(instance, kClassName, {.style = CS_DBLCLKS});
}

CheckListWindow::CheckListWindow(HWND parent, ui::CheckListModel& model, int id, const ui::Font& font, int dpi)
    : model_(model), designFont_(font), dpi_(dpi) {
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), static_cast<WindowObject*>(this));
  // Lines are measured on a memory DC of their own: a window DC per line costs a round trip to
  // the system (under Wine, to its server) for every orphan a scan adds.
  measureDc_ = CreateCompatibleDC(nullptr);
  measureOld_ = GetCurrentObject(measureDc_, OBJ_FONT);
  applyFont();
  // No line is measured for a horizontal extent: a path too long for its line loses its middle
  // (ui::paintCheckLine), so the list never scrolls sideways.
  observer_ = model_.addObserver([this](const ui::CheckListChange& change) {
    if (change.kind == ui::CheckListChange::Kind::Extent && change.scrollHome) left_ = 0;
    // A scan changes many lines at once: the scroll bars and the picture follow once for all, and
    // while lines keep coming, ten times a second at most.
    if (updatePending_) return;
    updatePending_ = true;
    const DWORD since = GetTickCount() - lastUpdate_;
    if (since >= kUpdateInterval) {
      PostMessageW(window_, kUpdateMessage, 0, 0);
    } else {
      SetTimer(window_, kUpdateTimer, kUpdateInterval - since, nullptr);
    }
  });
}

void CheckListWindow::applyFont() {
  font_ = designFont_.scaledBy(scale());
  SelectObject(measureDc_, fonts_.font(font_));
  TEXTMETRICW metrics{};
  GetTextMetricsW(measureDc_, &metrics);
  textHeight_ = metrics.tmHeight;
  // The line height: the design's 13 pixels, or more for a taller font or cell.
  lineHeight_ = std::max({MulDiv(13, dpi_, 96), textHeight_, ui::checkCellSize(scale()).height});
}

void CheckListWindow::setDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  applyFont();
  updateScrollBars();
  InvalidateRect(window_, nullptr, FALSE);
}

CheckListWindow::~CheckListWindow() {
  model_.removeObserver(observer_);
  model_.setLineWidthFunction(nullptr);
  SelectObject(measureDc_, measureOld_);
  DeleteDC(measureDc_);
  destroyWindow();
}

LRESULT CheckListWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kUpdateTimer) break;
      KillTimer(window_, kUpdateTimer);
      [[fallthrough]];
    case kUpdateMessage:
      updatePending_ = false;
      lastUpdate_ = GetTickCount();
      updateScrollBars();
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      HDC dc = BeginPaint(window_, &ps);
      paint(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SIZE:
      updateScrollBars();
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      onButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      return 0;
    case WM_LBUTTONUP:
      onButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CAPTURECHANGED:
      dragSelecting_ = false;
      return 0;
    case WM_MOUSEMOVE: {
      const int line = lineAt(GET_Y_LPARAM(lParam));
      if (line != hoverLine_ && toolTips_) SendMessageW(toolTips_, TTM_POP, 0, 0);
      hoverLine_ = line;
      onDrag({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      break;
    }
    case WM_RBUTTONDOWN:
      SetFocus(window_);
      return 0;
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (at.x == -1 && at.y == -1) {
        // From the keyboard: under the list's top-left corner.
        at = {0, 0};
        ClientToScreen(window_, &at);
      }
      showMenu(at);
      return 0;
    }
    case WM_KEYDOWN:
      onKey(wParam);
      return 0;
    case WM_CHAR:
      if (wParam == L'+' || wParam == L'-') {
        model_.markEnabledLines(wParam == L'+');
        return 0;
      }
      break;
    case WM_MOUSEWHEEL: {
      const int steps = -GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3;
      scrollTo(topLine_ + steps, left_);
      return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: {
      const bool vertical = message == WM_VSCROLL;
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_ALL;
      GetScrollInfo(window_, vertical ? SB_VERT : SB_HORZ, &info);
      int position = info.nPos;
      const int page = static_cast<int>(info.nPage);
      const int step = vertical ? 1 : lineHeight_;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: position -= step; break;
        case SB_LINEDOWN: position += step; break;
        case SB_PAGEUP: position -= page; break;
        case SB_PAGEDOWN: position += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_TOP: position = info.nMin; break;
        case SB_BOTTOM: position = info.nMax; break;
        default: break;
      }
      if (vertical) scrollTo(position, left_); else scrollTo(topLine_, position);
      return 0;
    }
    case LB_GETCOUNT:
      return model_.items.count();
    case LB_GETITEMHEIGHT:
      return lineHeight_;
    case LB_GETSEL: {
      const int index = static_cast<int>(wParam);
      if (index < 0 || index >= model_.items.count()) return LB_ERR;
      return model_.isItemSelected(index) ? 1 : 0;
    }
    case LB_GETTEXTLEN:
    case LB_GETTEXT: {
      const int index = static_cast<int>(wParam);
      if (index < 0 || index >= model_.items.count()) return LB_ERR;
      const std::wstring text = platform::win32::toWide(model_.items.get(index));
      if (message == LB_GETTEXT) std::copy(text.c_str(), text.c_str() + text.size() + 1, reinterpret_cast<wchar_t*>(lParam));
      return static_cast<LRESULT>(text.size());
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void CheckListWindow::paint(HDC target) {
  RECT client{};
  GetClientRect(window_, &client);
  PaintBuffer buffer(target, client);
  GdiPainter painter(buffer.dc(), fonts_);
  painter.fillRect({0, 0, client.right, client.bottom}, systemColor(COLOR_WINDOW));
  const bool focused = GetFocus() == window_;
  const int count = model_.items.count();
  for (int index = topLine_; index < count; ++index) {
    const int top = (index - topLine_) * lineHeight_;
    if (top >= client.bottom) break;
    drawLine(painter, index, {-left_, top, std::max<int>(client.right + left_, model_.horizontalExtent()), lineHeight_},
             focused);
  }
}

void CheckListWindow::drawLine(ui::Painter& painter, int index, const ui::Rect& line, bool focused) {
  const ui::CheckLine item{model_.items.get(index),       model_.checkKind(),
                           model_.itemState(index),       model_.isItemEnabled(index),
                           model_.isItemSelected(index), focused && index == model_.itemIndex()};
  ui::CheckListLook look;
  look.font = font_;
  look.textHeight = textHeight_;
  look.scale = scale();
  look.listFocused = focused;
  look.colors = {systemColor(COLOR_WINDOW),    systemColor(COLOR_WINDOWTEXT), systemColor(COLOR_HIGHLIGHT),
                 systemColor(COLOR_HIGHLIGHTTEXT), systemColor(COLOR_BTNFACE), systemColor(COLOR_BTNTEXT),
                 systemColor(COLOR_GRAYTEXT),  systemColor(COLOR_INACTIVECAPTIONTEXT)};
  ui::paintCheckLine(painter, line, item, look);
}

std::string CheckListWindow::hintAt(POINT client) const {
  const int index = lineAt(client.y);
  return index >= 0 ? model_.itemHint(index) : std::string();
}

int CheckListWindow::lineAt(int y) const {
  const int index = topLine_ + y / std::max(1, lineHeight_);
  return index >= 0 && index < model_.items.count() ? index : -1;
}

bool CheckListWindow::inCheckArea(int x) const {
  // The lines reach from the scrolled left edge; their check area is the leftmost part.
  const ui::Rect line{-left_, 0, std::max<int>(model_.horizontalExtent(), clientWidth() + left_), lineHeight_};
  return ui::lineParts(line, false, scale()).checkArea.contains({x, 0});
}

void CheckListWindow::onButtonDown(POINT at, WPARAM keys) {
  SetFocus(window_);
  const int index = lineAt(at.y);
  if (index < 0) return;
  // A press selects, on the check cell as on the text; the release there marks.
  SetCapture(window_);
  dragSelecting_ = true;
  selectTo(index, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0);
}

void CheckListWindow::onButtonUp(POINT at) {
  dragSelecting_ = false;
  if (GetCapture() == window_) ReleaseCapture();
  RECT client{};
  GetClientRect(window_, &client);
  if (!PtInRect(&client, at)) return;
  const int index = lineAt(at.y);
  if (index >= 0 && inCheckArea(at.x)) model_.toggleItemCheck(index);
}

void CheckListWindow::onDrag(POINT at, WPARAM keys) {
  // Dragging stretches the selection from where the press was; with Ctrl it leaves it alone.
  if (!dragSelecting_ || !(keys & MK_LBUTTON) || (keys & MK_CONTROL) || anchor_ < 0) return;
  const int index = lineAt(at.y);
  if (index < 0 || index == model_.itemIndex()) return;
  model_.selectOnlyRange(anchor_, index);
  model_.setItemIndex(index);
  ensureVisible(index);
}

int CheckListWindow::clientWidth() const {
  RECT client{};
  GetClientRect(window_, &client);
  return client.right;
}

int CheckListWindow::visibleLines() const {
  RECT client{};
  GetClientRect(window_, &client);
  return std::max(1, static_cast<int>(client.bottom) / std::max(1, lineHeight_));
}

void CheckListWindow::updateScrollBars() {
  RECT client{};
  GetClientRect(window_, &client);
  topLine_ = std::clamp(topLine_, 0, std::max(0, model_.items.count() - visibleLines()));
  left_ = std::clamp(left_, 0, std::max(0, model_.horizontalExtent() - static_cast<int>(client.right)));
  SCROLLINFO vertical{sizeof vertical, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, model_.items.count() - 1),
                      static_cast<UINT>(visibleLines()), topLine_, 0};
  SetScrollInfo(window_, SB_VERT, &vertical, TRUE);
  SCROLLINFO horizontal{sizeof horizontal, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, model_.horizontalExtent() - 1),
                        static_cast<UINT>(std::max<LONG>(1, client.right)), left_, 0};
  SetScrollInfo(window_, SB_HORZ, &horizontal, TRUE);
}

void CheckListWindow::scrollTo(int topLine, int left) {
  topLine_ = topLine;
  left_ = left;
  updateScrollBars();
  InvalidateRect(window_, nullptr, FALSE);
}

void CheckListWindow::ensureVisible(int index) {
  if (index < topLine_) scrollTo(index, left_);
  else if (index >= topLine_ + visibleLines()) scrollTo(index - visibleLines() + 1, left_);
}

void CheckListWindow::selectTo(int index, bool shift, bool control) {
  if (shift && anchor_ >= 0) {
    model_.selectOnlyRange(anchor_, index);
  } else if (control) {
    model_.setItemSelected(index, !model_.isItemSelected(index));
    anchor_ = index;
  } else {
    model_.selectOnlyRange(index, index);
    anchor_ = index;
  }
  model_.setItemIndex(index);
  ensureVisible(index);
}

void CheckListWindow::onKey(WPARAM key) {
  const int count = model_.items.count();
  if (count == 0) return;
  const int current = std::max(0, model_.itemIndex());
  int target = current;
  switch (key) {
    case VK_SPACE: model_.toggleItemCheck(current); return;
    case VK_UP: target = current - 1; break;
    case VK_DOWN: target = current + 1; break;
    case VK_PRIOR: target = current - visibleLines(); break;
    case VK_NEXT: target = current + visibleLines(); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    default: return;
  }
  selectTo(std::clamp(target, 0, count - 1), (GetKeyState(VK_SHIFT) & 0x8000) != 0, false);
}

void CheckListWindow::showMenu(POINT screen) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kMarkAll, L"Mark all");
  AppendMenuW(menu, MF_STRING, kUnmarkAll, L"Unmark all");
  AppendMenuW(menu, MF_STRING, kMarkSelection, L"Mark selection");
  AppendMenuW(menu, MF_STRING, kUnmarkSelection, L"Unmark selection");
  AppendMenuW(menu, MF_STRING, kExclude, L"Put selection on the exclude list");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kUndo, L"Undo last cleaning");
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, window_, nullptr));
  DestroyMenu(menu);
  HWND root = GetAncestor(window_, GA_ROOT);
  switch (chosen) {
    case kMarkAll: model_.markAll(); break;
    case kUnmarkAll: model_.unmarkAll(); break;
    case kMarkSelection: model_.markSelection(); break;
    case kUnmarkSelection: model_.unmarkSelection(); break;
    // The window owns the exclude list and the cleaning records, and reports their errors.
    case kExclude: SendMessageW(root, WM_COMMAND, MAKEWPARAM(kExcludeCommandId, 0), 0); break;
    case kUndo: SendMessageW(root, WM_COMMAND, MAKEWPARAM(kUndoCommandId, 0), 0); break;
    default: break;
  }
}

}  // namespace zendrift::win32
