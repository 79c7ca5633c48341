// MainWindow: Zendrift's main window on the Win32 API, its controls and their handlers, and the
// start-up sequence it runs when it is created.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "gui/win32/posted_calls.h"
#include "gui/win32/window_fonts.h"
#include "gui/win32/window_object.h"
#include "profile/well_known_folders.h"
#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"
#include "ui/check_list_model.h"
#include "ui/option_controls.h"
#include "ui/window_layout.h"
#include "ui/window_start.h"
#include "ui/window_work.h"

namespace zendrift::win32 {

class StyledButtonWindow;
class CheckListWindow;
class StateImageWindow;

// The window's outer bounds as the settings file keeps them (frame included), in pixels.
struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class MainWindow final : public WindowObject, private ui::StartedWindow {
 public:
  static constexpr wchar_t kClassName[] = L"ZendriftMainWindow";

  // `options` is the program's one record; it outlives the window. Creates the window, hidden,
  // with every control; the start-up sequence runs in start.
  MainWindow(settings::ScanOptions& options, settings::CommandLine commandLine);
  ~MainWindow();

  static void registerClass(HINSTANCE instance);

  // The creation event: loads the settings and runs the interactive or the command-line start.
  void start();
  // Shows the window with the launcher's show command, then runs onShow.
  void show(int showCommand);
  bool exitRequested() const noexcept { return start_.exitRequested(); }
  bool closed() const noexcept override { return closed_; }
  bool busy() const noexcept override { return work_ != Work::none; }

  // Shows an error that escaped a handler in the error box titled "Zendrift".
  void showError(const std::exception_ptr& error) const;

 private:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Runs a handler; an error escaping it goes to the error box and the window goes on.
  void guarded(const std::function<void()>& handler);

  void createControls();
  void createControl(const ui::ControlSpec& spec);
  // With askEachTime the tooltip asks the window for its text (TTN_GETDISPINFO) whenever it shows.
  void addToolTip(HWND control, std::string_view text, bool askEachTime = false);
  void setToolTip(HWND control, std::string_view text);
  // Every control where the layout puts it for the window's client size.
  void layoutControls();
  HWND at(ui::ControlId id) const noexcept { return controls_[static_cast<std::size_t>(ui::indexOf(id))]; }
  // Design pixels at the screen's density.
  int scaled(int designPixels) const noexcept { return ui::scaled(designPixels, scale_); }
  void onCommand(int id);
  void showListHint(NMTTDISPINFOW& info);

  void onShow();
  void onCloseRequested();
  void onClose();
  void optionsToControls() override;
  void controlsToOptions();
  ui::OptionControls optionControls() const;
  void showFolderHints();
  void onScanClicked() override;
  // Asks first when it would delete for good, in a box whose default answer is No.
  void onDeleteClicked();
  void deleteAsCommanded() override;
  // Removes the marked orphans as the move-to-trash box says.
  void removeMarked();
  void onBrowseClicked();
  void onHelpClicked();
  void onUpdatesClicked();
  void onUndoClicked();
  void excludePaths(const std::vector<std::string>& paths);

  WindowBounds outerBounds() const;
  void setOuterBounds(const WindowBounds& bounds);
  WindowBounds fittedToScreen(WindowBounds bounds) const;

  // What the worker hands over, on the window's thread.
  ui::WorkSink workSink();
  void scanFinished(const scan::ScanReport& report);
  void removalFinished(const scan::RemovalReport& report, std::error_code unrecorded);
  void workFailed(const std::string& message);
  void endWork();
  void afterWork();
  void stopWork();
  void runPendingActions();
  // What the start-up asks of the window.
  void restoreBounds(const settings::ScanOptions& options) override;
  void disableWork() override;
  void showForActions() override;
  // The run ends without the close, so nothing is saved.
  void endRun() override { PostQuitMessage(0); }

  void setStatusText(std::string_view text);
  std::string controlText(HWND control) const;
  bool isChecked(HWND box) const;
  void setChecked(HWND box, bool checked);
  void setScanCaption(std::string_view caption);
  // The option boxes and the fields of `controls` they show, the move-to-trash box included.
  static std::array<std::pair<ui::ControlId, bool*>, 13> optionBoxes(ui::OptionControls& controls);

  settings::ScanOptions& options_;
  settings::ScanOptions shownOptions_;
  ui::WindowStart start_;
  sysfolders::WellKnownFolders wellKnownFolders_;
  std::string companionFolder_;
  bool closed_ = false;
  bool closePending_ = false;

  int dpi_ = 96;
  double scale_ = 1.0;
  WindowFonts fonts_;
  HWND toolTips_ = nullptr;
  std::wstring listHint_;
  std::array<HWND, ui::kControlCount> controls_{};
  scan::CheckListModel model_;
  std::unique_ptr<StateImageWindow> logo_;
  std::unique_ptr<CheckListWindow> resultList_;
  std::unique_ptr<StyledButtonWindow> scanButton_, deleteButton_, updatesButton_, helpButton_, exitButton_;

  enum class Work { none, scanning, removing };
  Work work_ = Work::none;
  bool deleteWasEnabled_ = false;
  HCURSOR savedCursor_ = nullptr;
  std::vector<scan::OrphanRecord> records_;
  PostedCalls posted_;
  // Declared last: it ends (and is joined) before anything it posts to goes.
  ui::WindowWork worker_;
};

}  // namespace zendrift::win32
