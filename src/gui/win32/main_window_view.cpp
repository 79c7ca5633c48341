// What the controller asks of the Win32 window: captions, enabling, focus, the cursor, the status
// line and the boxes.
#include <algorithm>
#include <utility>

#include "gui/win32/check_list_window.h"
#include "gui/win32/main_window.h"
#include "gui/win32/styled_button_window.h"
#include "platform/win32/win32_text.h"

namespace zendrift::win32 {

using platform::win32::toWide;
using ui::ControlId;

StyledButtonWindow* MainWindow::styledButton(ControlId id) const {
  switch (id) {
    case ControlId::scanButton: return scanButton_.get();
    case ControlId::deleteButton: return deleteButton_.get();
    case ControlId::updatesButton: return updatesButton_.get();
    case ControlId::helpButton: return helpButton_.get();
    case ControlId::exitButton: return exitButton_.get();
    default: return nullptr;
  }
}

void MainWindow::setCaption(ControlId id, std::string_view caption) {
  if (StyledButtonWindow* button = styledButton(id)) {
    button->setCaption(caption);
  } else {
    SetWindowTextW(at(id), toWide(caption).c_str());
  }
}

void MainWindow::enableControl(ControlId id, bool enabled) {
  if (StyledButtonWindow* button = styledButton(id)) {
    button->setEnabled(enabled);
  } else {
    EnableWindow(at(id), enabled);
  }
}

bool MainWindow::controlEnabled(ControlId id) const {
  if (const StyledButtonWindow* button = styledButton(id)) return button->isEnabled();
  return IsWindowEnabled(at(id));
}

void MainWindow::focusControl(ControlId id) {
  if (!IsWindowVisible(window_)) return;
  if (StyledButtonWindow* button = styledButton(id)) {
    button->setFocus();
  } else {
    SetFocus(at(id));
  }
}

void MainWindow::setBusyCursor(bool busy) {
  if (busy) {
    savedCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return;
  }
  SetCursor(savedCursor_ ? savedCursor_ : LoadCursorW(nullptr, IDC_ARROW));
  savedCursor_ = nullptr;
}

void MainWindow::showForActions() {
  show(SW_SHOWNORMAL);
  SetForegroundWindow(window_);
}

void MainWindow::showError(std::string_view text) {
  MessageBoxW(window_ && IsWindowVisible(window_) ? window_ : nullptr, toWide(text).c_str(), L"Zendrift",
              MB_OK | MB_ICONERROR);
}

void MainWindow::showInformation(std::string_view text) {
  MessageBoxW(window_ && IsWindowVisible(window_) ? window_ : nullptr, toWide(text).c_str(), L"Zendrift",
              MB_OK | MB_ICONINFORMATION);
}

void MainWindow::askYesNo(std::string_view question, std::function<void(bool yes)> answered) {
  const int answer =
      MessageBoxW(window_, toWide(question).c_str(), L"Zendrift", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
  answered(answer == IDYES);
}

void MainWindow::setStatusText(std::string_view text) {
  SetWindowTextW(at(ControlId::statusLabel), toWide(text).c_str());
  // Sized to its text, as the label of the design.
  HDC dc = GetDC(at(ControlId::statusLabel));
  HGDIOBJ old = SelectObject(dc, fonts_.font(ui::FontRole::status));
  const std::wstring wide = toWide(text);
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(at(ControlId::statusLabel), dc);
  SetWindowPos(at(ControlId::statusLabel), nullptr, 0, 0, extent.cx + scaled(2), std::max<int>(extent.cy, scaled(13)),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(at(ControlId::statusLabel), nullptr, TRUE);
}

}  // namespace zendrift::win32
