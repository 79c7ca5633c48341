// WindowStart: what the window does when it is created, and the command line's actions after it.
// With no parameter the run is interactive: the saved bounds and options are shown and the
// settings are saved at close. With parameters nothing is saved; the switches apply, and /start,
// /delete and /exit are carried out in this order, each when the one before has ended. The
// window's controller does the showing and the pressing through StartedWindow.
#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "settings/command_line.h"
#include "settings/scan_options.h"

namespace zendrift::ui {

// What the start-up asks of the window.
class StartedWindow {
 public:
  // The saved outer bounds, fitted to the screen.
  virtual void restoreBounds(const settings::ScanOptions& options) = 0;
  virtual void optionsToControls() = 0;
  // Scan and Delete disabled: nothing may run on the defaults that stand in for unread settings.
  virtual void disableWork() = 0;
  // Shown and brought to the front for the command line's actions.
  virtual void showForActions() = 0;
  virtual void onScanClicked() = 0;
  // The command line's "delete": removes the marked orphans without a question, as the user asked
  // for it on the command line.
  virtual void deleteAsCommanded() = 0;
  virtual bool busy() const noexcept = 0;
  virtual bool closed() const noexcept = 0;
  // Ends the run without the close, so that nothing is saved.
  virtual void endRun() = 0;

 protected:
  ~StartedWindow() = default;
};

class WindowStart {
 public:
  explicit WindowStart(settings::CommandLine commandLine) : commandLine_(std::move(commandLine)) {}

  // Runs the start with `options` as loaded, `loadError` saying why the settings file could not
  // be read. That error comes back as the text to show, the start ends there, and Scan and
  // Delete stay disabled: the defaults hold none of the user's exclusions.
  [[nodiscard]] std::optional<std::string> start(StartedWindow& window, settings::ScanOptions& options,
                                                 std::error_code loadError);
  // The command line's next action, when the window is neither busy nor closed.
  void runPendingActions(StartedWindow& window);

  // True when the command line's "exit" ended the run.
  bool exitRequested() const noexcept { return exitRequested_; }
  // Whether closing the window saves the settings: only in an interactive run that read them.
  bool savesOnClose() const noexcept { return saveOnClose_; }

 private:
  settings::CommandLine commandLine_;
  bool saveOnClose_ = false;
  bool exitRequested_ = false;
  bool pendingDelete_ = false;
  bool pendingExit_ = false;
};

}  // namespace zendrift::ui
