// MainWindow's creation, show and close, its bounds, and the window procedure that routes the
// messages to the controller and the small actions.
#include "gui/win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

#include "gui/win32/auxiliary_actions.h"
#include "gui/win32/check_list_window.h"
#include "gui/win32/control_ids.h"
#include "gui/win32/panel_window.h"
#include "gui/win32/state_image_window.h"
#include "gui/win32/styled_button_window.h"
#include "platform/win32/win32_text.h"
#include "ui/guarded_call.h"
#include "ui/window_placement.h"

namespace zendrift::win32 {

using platform::win32::toUtf8;
using ui::ControlId;
using platform::win32::toWide;

MainWindow::MainWindow(settings::ScanOptions& options, settings::CommandLine commandLine, std::string versionStamp)
    : versionStamp_(std::move(versionStamp)),
      companionFolder_(executableFolder()),
      dpi_(screenDpi()),
      scale_(dpi_ / 96.0),
      fonts_(dpi_),
      posted_(WM_APP + 1),
      controller_(*this, options, std::move(commandLine)) {
  // The design's client area at the screen's density, in a frame of this system's own size, at
  // the design place where that fits the screen.
  const ui::Size design = outerSize({scaled(ui::kDesignClient.width), scaled(ui::kDesignClient.height)});
  const RECT wanted{ui::kDesignBounds.left, ui::kDesignBounds.top, ui::kDesignBounds.left + design.width,
                    ui::kDesignBounds.top + design.height};
  const std::optional<ui::Rect> area = workArea(wanted);
  const ui::Rect place = area ? ui::designPlacement(design, minimumOuterSize(), *area)
                              : ui::Rect{ui::kDesignBounds.left, ui::kDesignBounds.top, design.width, design.height};
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"Zendrift", kStyle, place.left, place.top, place.width,
                            place.height, nullptr, nullptr, GetModuleHandleW(nullptr), static_cast<WindowObject*>(this));
  if (!window_) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreateWindowExW");
  posted_.setWindow(window_);
  createControls();
}

void MainWindow::registerClass(HINSTANCE instance) {
  // The program's own icon (zendrift.rc); a program built without it, such as a test, the system's.
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
  const WindowClassLook look{.icon = icon, .background = GetSysColorBrush(COLOR_BTNFACE)};
  WindowObject::registerClass(instance, kClassName, look);
}

MainWindow::~MainWindow() {
  // The worker posts to this window: it must end before the window goes.
  controller_.stopAndWait();
  posted_.setWindow(nullptr);
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

void MainWindow::guarded(const std::function<void()>& handler) {
  ui::guardedCall(handler, [this](std::string_view text) { showError(text); });
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == posted_.message()) {
    guarded([this] { posted_.runPending(); });
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      guarded([this, id = LOWORD(wParam)] { onCommand(id); });
      return 0;
    case WM_SIZE:
      layoutControls();
      return 0;
    case WM_DPICHANGED:
      guarded([this, wParam, lParam] { onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); });
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
        showListHint(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
        return 0;
      }
      break;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      const ui::Size minimum = minimumOuterSize();
      limits->ptMinTrackSize = {minimum.width, minimum.height};
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Labels and boxes take the colour of the panel they sit on.
      HDC dc = reinterpret_cast<HDC>(wParam);
      const int colour = panelColourIndex(GetParent(reinterpret_cast<HWND>(lParam)));
      SetBkColor(dc, GetSysColor(colour));
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(colour));
    }
    case WM_SETCURSOR:
      // The hourglass while a scan runs, wherever the pointer is on the window.
      if (controller_.scanning() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      guarded([this] { onCloseRequested(); });
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::showListHint(NMTTDISPINFOW& info) {
  // Only the result list asks: a line's hint, else the list's own.
  if (info.hdr.idFrom != reinterpret_cast<UINT_PTR>(resultList_->handle())) return;
  POINT pointer{};
  GetCursorPos(&pointer);
  ScreenToClient(resultList_->handle(), &pointer);
  std::string hint = resultList_->hintAt(pointer);
  if (hint.empty()) hint = ui::controlSpec(ControlId::resultList).hint;
  listHint_ = toWide(hint);
  info.lpszText = listHint_.data();
  info.hinst = nullptr;
}

void MainWindow::onCommand(int id) {
  if (id == kUndoCommandId) return controller_.undoClicked();
  if (id == kExcludeCommandId) return controller_.excludeSelected();
  switch (static_cast<ControlId>(id - kFirstControlId)) {
    case ControlId::scanButton: controller_.scanClicked(); break;
    case ControlId::deleteButton: controller_.deleteClicked(); break;
    case ControlId::browseButton: onBrowseClicked(); break;
    case ControlId::helpButton: openHelp(window_, companionFolder_); break;
    case ControlId::updatesButton: checkForUpdates(window_, companionFolder_); break;
    case ControlId::exitButton: SendMessageW(window_, WM_CLOSE, 0, 0); break;
    case ControlId::logo: openHomePage(window_); break;
    default: break;
  }
}

void MainWindow::show(int showCommand) {
  if (IsWindowVisible(window_)) return;
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  SetWindowTextW(window_, toWide("Zendrift " + versionStamp_).c_str());
  controller_.shown();
}

void MainWindow::onCloseRequested() {
  if (controller_.closeRequested()) DestroyWindow(window_);
}

std::array<std::pair<ControlId, bool*>, 13> MainWindow::optionBoxes(ui::OptionControls& c) {
  return {{{ControlId::startMenuBox, &c.startMenu},
           {ControlId::desktopBox, &c.desktop},
           {ControlId::favoritesBox, &c.favorites},
           {ControlId::historyBox, &c.history},
           {ControlId::programFilesBox, &c.programFiles},
           {ControlId::tempBox, &c.temp},
           {ControlId::appDataBox, &c.appData},
           {ControlId::recentBox, &c.recent},
           {ControlId::removableDrivesBox, &c.removableDrives},
           {ControlId::networkDrivesBox, &c.networkDrives},
           {ControlId::cdRomDrivesBox, &c.cdRomDrives},
           {ControlId::ramDrivesBox, &c.ramDrives},
           {ControlId::moveToTrashBox, &c.moveToTrash}}};
}

ui::OptionControls MainWindow::optionControls() const {
  ui::OptionControls shown;
  for (const auto& [id, flag] : optionBoxes(shown)) *flag = isChecked(at(id));
  shown.userFolder = controlText(at(ControlId::userFolderEdit));
  return shown;
}

void MainWindow::showOptionControls(const ui::OptionControls& controls) {
  ui::OptionControls shown = controls;
  for (const auto& [id, flag] : optionBoxes(shown)) setChecked(at(id), *flag);
  SetWindowTextW(at(ControlId::userFolderEdit), toWide(shown.userFolder).c_str());
}

void MainWindow::onBrowseClicked() {
  const std::string folder = browseForFolder(window_, "Select a folder", controlText(at(ControlId::userFolderEdit)));
  if (!folder.empty()) SetWindowTextW(at(ControlId::userFolderEdit), toWide(folder).c_str());
  focusControl(ControlId::scanButton);
}

WindowBounds MainWindow::outerBounds() const {
  // A minimised or maximised window keeps the bounds it had before.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  RECT rect{};
  if (IsIconic(window_) || IsZoomed(window_)) {
    GetWindowPlacement(window_, &placement);
    rect = placement.rcNormalPosition;
  } else {
    GetWindowRect(window_, &rect);
  }
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void MainWindow::restoreBounds(const WindowBounds& saved) {
  const WindowBounds bounds = fittedToScreen(saved);
  placing_ = true;
  MoveWindow(window_, bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
  placing_ = false;
}

ui::Size MainWindow::outerSize(ui::Size client) {
  RECT frame{0, 0, client.width, client.height};
  AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

ui::Size MainWindow::minimumOuterSize() const {
  // The frame at the window's own dpi: it changes when the window moves to another screen.
  const ui::Size client = ui::minimumClient(scale_);
  const SIZE frame = frameSizeFor({client.width, client.height}, kStyle, WS_EX_CONTROLPARENT, dpi_);
  return {frame.cx, frame.cy};
}

std::optional<ui::Rect> MainWindow::workArea(const RECT& wanted) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return std::nullopt;
  const RECT& area = monitor.rcWork;
  return ui::Rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
}

WindowBounds MainWindow::fittedToScreen(WindowBounds bounds) const {
  // Bounds from the settings file may be anything: keep the window within the work area of the
  // monitor nearest to them, and no smaller than its minimum.
  const RECT wanted{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
  const std::optional<ui::Rect> area = workArea(wanted);
  if (!area) return bounds;
  const ui::Rect fitted =
      ui::fittedToWorkArea({bounds.left, bounds.top, bounds.width, bounds.height}, minimumOuterSize(), *area);
  return {fitted.left, fitted.top, fitted.width, fitted.height};
}

std::string MainWindow::controlText(HWND control) const {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return toUtf8(text);
}

bool MainWindow::isChecked(HWND box) const { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainWindow::setChecked(HWND box, bool checked) {
  SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace zendrift::win32
