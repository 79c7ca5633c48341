// The main window's composition: the controls of the window's control table, created as Win32
// controls or as our own, with their captions, hints and fonts, placed for the client size and
// the screen's density, in the keyboard order of the table.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "gui/win32/check_list_window.h"
#include "gui/win32/control_ids.h"
#include "gui/win32/main_window.h"
#include "gui/win32/panel_window.h"
#include "gui/win32/state_image_window.h"
#include "gui/win32/styled_button_window.h"
#include "platform/win32/win32_text.h"

namespace zendrift::win32 {
namespace {

using platform::win32::toWide;
using ui::ControlId;
using ui::ControlKind;

bool isPanel(ControlKind kind) {
  return kind == ControlKind::panel || kind == ControlKind::raisedPanel || kind == ControlKind::bannerPanel;
}

// The panel a control lives on: group boxes frame their controls but are not their parents here,
// so the panels receive every notification and the dialog manager sees one flat tab order.
ControlId windowParent(ControlId id) {
  ControlId parent = ui::controlSpec(id).parent;
  while (parent != ControlId::window && !isPanel(ui::controlSpec(parent).kind)) parent = ui::controlSpec(parent).parent;
  return parent;
}

SIZE textExtent(HWND control, HFONT font) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), length, &extent);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return extent;
}

}  // namespace

void MainWindow::createControls() {
  toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, scaled(600));
  setFont(toolTips_, fonts_.font(ui::FontRole::window));

  // The dialog manager visits siblings in the order of their creation: the panels in their tab
  // order, then on each panel the controls that take no focus, then the others in the table's
  // keyboard order.
  for (const ControlId panel : {ControlId::resultsPanel, ControlId::buttonPanel, ControlId::optionsPanel,
                                ControlId::statusPanel, ControlId::bannerPanel})
    createControl(ui::controlSpec(panel));
  const std::span<const ControlId> order = ui::tabOrder();
  for (const ui::ControlSpec& spec : ui::windowControls()) {
    if (!isPanel(spec.kind) && std::find(order.begin(), order.end(), spec.id) == order.end()) createControl(spec);
  }
  for (const ControlId id : order) createControl(ui::controlSpec(id));
  // The folder boxes' hints are their folders' paths, set each time the window is shown.
  for (const ControlId box : {ControlId::startMenuBox, ControlId::desktopBox, ControlId::favoritesBox,
                              ControlId::historyBox, ControlId::programFilesBox, ControlId::tempBox,
                              ControlId::appDataBox, ControlId::recentBox})
    addToolTip(at(box), "");
  deleteButton_->setEnabled(false);
  setChecked(at(ControlId::moveToTrashBox), true);
  layoutControls();
}

void MainWindow::createControl(const ui::ControlSpec& spec) {
  const ControlId parentId = windowParent(spec.id);
  HWND parent = parentId == ControlId::window ? window_ : at(parentId);
  const int id = commandId(spec.id);
  const std::wstring caption = toWide(spec.caption);
  HFONT font = fonts_.font(spec.font);
  const auto make = [&](const wchar_t* className, DWORD style, DWORD exStyle = 0) {
    HWND control = CreateWindowExW(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    setFont(control, font);
    return control;
  };
  HWND control = nullptr;
  switch (spec.kind) {
    case ControlKind::panel: control = createPanel(parent, COLOR_BTNFACE, false); break;
    case ControlKind::raisedPanel: control = createPanel(parent, COLOR_BTNFACE, true); break;
    case ControlKind::bannerPanel: control = createPanel(parent, COLOR_WINDOW, true); break;
    case ControlKind::label: control = make(WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX); break;
    case ControlKind::groupBox: control = make(WC_BUTTONW, BS_GROUPBOX); break;
    case ControlKind::checkBox: control = make(WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP); break;
    case ControlKind::edit: control = make(WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE); break;
    case ControlKind::pushButton: control = make(WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP); break;
    case ControlKind::styledButton: {
      auto button = std::make_unique<StyledButtonWindow>(parent, id, spec.caption, ui::fontFor(spec.font), dpi_);
      control = button->handle();
      if (spec.id == ControlId::scanButton) scanButton_ = std::move(button);
      else if (spec.id == ControlId::deleteButton) deleteButton_ = std::move(button);
      else if (spec.id == ControlId::updatesButton) updatesButton_ = std::move(button);
      else if (spec.id == ControlId::helpButton) helpButton_ = std::move(button);
      else exitButton_ = std::move(button);
      break;
    }
    case ControlKind::checkList:
      resultList_ = std::make_unique<CheckListWindow>(parent, controller_.model(), id, ui::fontFor(spec.font), dpi_);
      control = resultList_->handle();
      break;
    case ControlKind::stateImage:
      logo_ = std::make_unique<StateImageWindow>(parent, id);
      control = logo_->handle();
      break;
  }
  controls_[static_cast<std::size_t>(ui::indexOf(spec.id))] = control;
  if (spec.kind == ControlKind::checkList) {
    // The list's hint depends on the line under the pointer: asked for each time it shows.
    addToolTip(control, {}, true);
    resultList_->setToolTips(toolTips_);
  } else if (!spec.hint.empty()) {
    addToolTip(control, spec.hint);
  }
}

void MainWindow::layoutControls() {
  if (!at(ControlId::buttonPanel)) return;
  RECT client{};
  GetClientRect(window_, &client);
  const auto rects = ui::layoutControls({client.right, client.bottom}, scale_);
  for (const ui::ControlSpec& spec : ui::windowControls()) {
    HWND control = at(spec.id);
    if (!control) continue;
    ui::Rect rect = rects[static_cast<std::size_t>(ui::indexOf(spec.id))];
    // Offsets of the group boxes between the control and its panel.
    const ControlId panel = windowParent(spec.id);
    for (ControlId p = spec.parent; p != panel; p = ui::controlSpec(p).parent) {
      const ui::Rect& group = rects[static_cast<std::size_t>(ui::indexOf(p))];
      rect = rect.translated(group.left, group.top);
    }
    if (spec.kind == ControlKind::label) {
      // Sized to its text, in the font it shows, with room for a last glyph's overhang.
      const SIZE extent = textExtent(control, fonts_.font(spec.font));
      rect.width = extent.cx + scaled(2);
      rect.height = std::max<int>(rect.height, extent.cy);
    }
    MoveWindow(control, rect.left, rect.top, rect.width, rect.height, TRUE);
  }
}

void MainWindow::onDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  dpi_ = dpi;
  scale_ = dpi / 96.0;
  // The controls let go of the old fonts only once they hold the new ones.
  const WindowFonts old = std::exchange(fonts_, WindowFonts(dpi));
  setFont(toolTips_, fonts_.font(ui::FontRole::window), true);
  SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, scaled(600));
  for (const ui::ControlSpec& spec : ui::windowControls()) {
    HWND control = at(spec.id);
    if (!control) continue;
    switch (spec.kind) {
      case ControlKind::label:
      case ControlKind::groupBox:
      case ControlKind::checkBox:
      case ControlKind::edit:
      case ControlKind::pushButton: setFont(control, fonts_.font(spec.font), true); break;
      case ControlKind::styledButton: styledButton(spec.id)->setFont(ui::fontFor(spec.font), dpi); break;
      case ControlKind::checkList: resultList_->setDpi(dpi); break;
      default: break;
    }
  }
  if (!placing_) {
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Every place and size scales, even where the client size happens to stay the same.
  layoutControls();
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::addToolTip(HWND control, std::string_view text, bool askEachTime) {
  std::wstring wide = toWide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = askEachTime ? LPSTR_TEXTCALLBACKW : wide.data();
  SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::setToolTip(HWND control, std::string_view text) {
  std::wstring wide = toWide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = wide.data();
  SendMessageW(toolTips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace zendrift::win32
