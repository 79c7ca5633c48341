// WindowController: what the main window does, written once for every toolkit. It owns the
// options' transfer to and from the controls, the result list's lines and the records behind
// them, the work on the worker thread and the start-up sequence, and it decides what Scan, Stop,
// Delete, Undo, the exclude command and Close do. The window forwards its events here and shows
// what it is told through WindowView. Errors reach the view's error box; none is thrown out.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "profile/well_known_folders.h"
#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "settings/command_line.h"
#include "settings/scan_options.h"
#include "ui/check_list_model.h"
#include "ui/prefix_choices.h"
#include "ui/window_start.h"
#include "ui/window_view.h"
#include "ui/window_work.h"

namespace zendrift::ui {

class WindowController final : private StartedWindow {
 public:
  // `options` is the program's one record and `view` the window; both outlive the controller.
  WindowController(WindowView& view, settings::ScanOptions& options, settings::CommandLine commandLine);
  WindowController(const WindowController&) = delete;
  WindowController& operator=(const WindowController&) = delete;
  ~WindowController();

  // The window's creation: loads the settings and runs the interactive or the command-line start.
  void start();
  // The window was shown: the folder boxes' hints, and the focus on Scan.
  void shown();
  // Scan, or Stop while a scan runs.
  void scanClicked();
  // Delete: asks first when it would delete for good.
  void deleteClicked();
  // The result list's "Undo last cleaning": gives back what the last cleaning moved to the trash,
  // then scans again, so that the list shows what came back as a scan lists it; the status line
  // says how many came back. After a cleaning that deleted for good, says there is nothing to undo.
  void undoClicked();
  // The result list's "Put selection on the exclude list": the selected lines are unmarked and
  // their shortcuts' paths go on the options' list.
  void excludeSelected();
  void excludePaths(const std::vector<std::string>& paths);
  // Another entry of the prefix selector was chosen.
  void prefixChosen();
  // The window wants to close. False while work runs: the work stops and the window is closed
  // again when it has ended. Else the settings are saved (when the run saves them) and true.
  bool closeRequested();
  // The worker ends and is waited for: the window goes after this, and the worker posts to it.
  void stopAndWait();

  void controlsToOptions();

  // True when the command line's "exit" ended the run.
  bool exitRequested() const noexcept { return start_.exitRequested(); }
  // Whether closing the window saves the settings: only in an interactive run.
  bool savesOnClose() const noexcept { return start_.savesOnClose(); }
  // True once the window was closed for good.
  bool closed() const noexcept override { return closed_; }
  // True while a scan or a removal runs on the worker thread.
  bool busy() const noexcept override { return work_ != Work::none; }
  bool scanning() const noexcept { return work_ == Work::scanning; }

  // The result list's lines, and the records behind them, line for line.
  ui::CheckListModel& model() noexcept { return model_; }
  const std::vector<scan::OrphanRecord>& records() const noexcept { return records_; }

  // On the worker thread, for tests and benchmarks: each folder a scan is about to list, each
  // shortcut a removal is about to delete. Set them while idle.
  void setWalkObserver(std::function<void(const std::string& folder)> observer) { walkObserver_ = std::move(observer); }
  void setRemovalObserver(std::function<void(const std::string& path)> observer) {
    removalObserver_ = std::move(observer);
  }

 private:
  enum class Work { none, scanning, removing };

  WorkSink workSink();
  void optionsToControls() override;
  void prefixesToOptions();
  void fillPrefixes();
  void showFolderHints();
  void saveSettings();
  // Removes the marked orphans as the move-to-trash box says.
  void removeMarked();
  void scanFinished(const scan::ScanReport& report);
  void removalFinished(const scan::RemovalReport& report, std::error_code unrecorded);
  void workFailed(const std::string& message);
  void endWork();
  // A close asked for meanwhile, or the command line's next action.
  void afterWork();
  void stopWork();

  // What the start-up asks of the window.
  void restoreBounds(const settings::ScanOptions& options) override;
  void disableWork() override;
  void showForActions() override;
  void onScanClicked() override { scanClicked(); }
  void deleteAsCommanded() override { removeMarked(); }
  void endRun() override { view_.endRun(); }

  WindowView& view_;
  settings::ScanOptions& options_;
  // The options as the boxes were last filled from them.
  settings::ScanOptions shownOptions_;
  WindowStart start_;
  // Where prefixes are looked for ($WINEPREFIX, the home), read once when the window starts.
  const profile::PrefixPlaces places_;
  profile::WellKnownFolders wellKnownFolders_;
  std::vector<PrefixChoice> prefixChoices_;
  bool closed_ = false;
  bool closePending_ = false;
  bool questionOpen_ = false;
  Work work_ = Work::none;
  bool deleteWasEnabled_ = false;
  // What the undo that started the scan under way restored, said again when the scan ends.
  std::string undoStatus_;
  // How the removal under way disposes of what it removes, for its status line.
  scan::Disposal disposal_ = scan::Disposal::trash;
  ui::CheckListModel model_;
  std::vector<scan::OrphanRecord> records_;
  std::function<void(const std::string& folder)> walkObserver_;
  std::function<void(const std::string& path)> removalObserver_;
  // Declared last: it ends (and is joined) before anything it posts to goes.
  WindowWork worker_;
};

}  // namespace zendrift::ui
