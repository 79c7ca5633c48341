// MainWindow: Zendrift's main window on the Win32 API, its controls and what they show. What the
// window does is the shared controller's (ui/window_controller.h); the window procedure forwards
// the events there and the window shows what it is told.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/win32/posted_calls.h"
#include "gui/win32/window_fonts.h"
#include "gui/win32/window_object.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"
#include "ui/option_controls.h"
#include "ui/window_controller.h"
#include "ui/window_layout.h"
#include "ui/window_view.h"

namespace zendrift::win32 {

class StyledButtonWindow;
class CheckListWindow;
class StateImageWindow;

using ui::WindowBounds;

class MainWindow final : public WindowObject, private ui::WindowView {
 public:
  static constexpr wchar_t kClassName[] = L"ZendriftMainWindow";
  // The icon's number in the program's resources.
  static constexpr int kIconResource = 1;

  // `options` is the program's one record; it outlives the window. `versionStamp` goes in the
  // caption. Creates the window, hidden, with every control; the start-up sequence runs in start.
  MainWindow(settings::ScanOptions& options, settings::CommandLine commandLine, std::string versionStamp);
  ~MainWindow();

  static void registerClass(HINSTANCE instance);

  // The creation event: loads the settings and runs the interactive or the command-line start.
  void start() { controller_.start(); }
  // Shows the window with the launcher's show command, then tells the controller.
  void show(int showCommand);
  bool exitRequested() const noexcept { return controller_.exitRequested(); }
  bool closed() const noexcept { return controller_.closed(); }

 private:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Runs a handler; an error escaping it (none is expected) goes to the error box and the window
  // goes on: nothing may unwind through the system's dispatch.
  void guarded(const std::function<void()>& handler);

  void createControls();
  void createControl(const ui::ControlSpec& spec);
  // With askEachTime the tooltip asks the window for its text (TTN_GETDISPINFO) whenever it shows.
  void addToolTip(HWND control, std::string_view text, bool askEachTime = false);
  void setToolTip(HWND control, std::string_view text);
  // Every control where the layout puts it for the window's client size.
  void layoutControls();
  // The window moved to a screen of another density (WM_DPICHANGED): it takes the bounds Windows
  // suggests, unless it is being placed at bounds of its own, and its fonts and controls follow.
  void onDpiChanged(int dpi, const RECT& suggested);
  HWND at(ui::ControlId id) const noexcept { return controls_[static_cast<std::size_t>(ui::indexOf(id))]; }
  // Design pixels at the screen's density.
  int scaled(int designPixels) const noexcept { return ui::scaled(designPixels, scale_); }
  void onCommand(int id);
  void showListHint(NMTTDISPINFOW& info);
  void onCloseRequested();
  void onBrowseClicked();

  static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  // The outer size of a client area in this system's frame.
  static ui::Size outerSize(ui::Size client);
  ui::Size minimumOuterSize() const;
  // The work area of the monitor nearest to `wanted`.
  static std::optional<ui::Rect> workArea(const RECT& wanted);
  WindowBounds fittedToScreen(WindowBounds bounds) const;
  // The styled button of `id`, or null for another control.
  StyledButtonWindow* styledButton(ui::ControlId id) const;
  std::string controlText(HWND control) const;
  bool isChecked(HWND box) const;
  void setChecked(HWND box, bool checked);
  // The option boxes and the fields of `controls` they show, the move-to-trash box included.
  static std::array<std::pair<ui::ControlId, bool*>, 13> optionBoxes(ui::OptionControls& controls);

  // What the controller asks of the window.
  void setCaption(ui::ControlId id, std::string_view caption) override;
  void setStatusText(std::string_view text) override;
  void setHint(ui::ControlId id, std::string_view hint) override { setToolTip(at(id), hint); }
  void enableControl(ui::ControlId id, bool enabled) override;
  bool controlEnabled(ui::ControlId id) const override;
  void focusControl(ui::ControlId id) override;
  void setBusyCursor(bool busy) override;
  ui::OptionControls optionControls() const override;
  void showOptionControls(const ui::OptionControls& controls) override;
  // The profile on Windows is the user's: no prefix to choose.
  bool hasPrefixSelector() const override { return false; }
  void showPrefixChoices(const std::vector<ui::PrefixChoice>&, int) override {}
  int chosenPrefix() const override { return -1; }
  WindowBounds outerBounds() const override;
  void restoreBounds(const WindowBounds& bounds) override;
  void showForActions() override;
  void showError(std::string_view text) override;
  void showInformation(std::string_view text) override;
  void askYesNo(std::string_view question, std::function<void(bool yes)> answered) override;
  void post(std::function<void()> call) override { posted_.post(std::move(call)); }
  void requestClose() override { PostMessageW(window_, WM_CLOSE, 0, 0); }
  // The run ends without the close, so nothing is saved.
  void endRun() override { PostQuitMessage(0); }

  std::string versionStamp_;
  std::string companionFolder_;
  int dpi_ = 96;
  double scale_ = 1.0;
  WindowFonts fonts_;
  PostedCalls posted_;
  // Before the controls: the result list shows the controller's lines.
  ui::WindowController controller_;
  HWND toolTips_ = nullptr;
  std::wstring listHint_;
  std::array<HWND, ui::kControlCount> controls_{};
  std::unique_ptr<StateImageWindow> logo_;
  std::unique_ptr<CheckListWindow> resultList_;
  std::unique_ptr<StyledButtonWindow> scanButton_, deleteButton_, updatesButton_, helpButton_, exitButton_;
  HCURSOR savedCursor_ = nullptr;
  // Set while the window moves to bounds it restores, which a change of screen must not resize.
  bool placing_ = false;
};

}  // namespace zendrift::win32
