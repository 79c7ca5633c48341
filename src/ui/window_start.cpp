// The window's start-up sequence and the command line's actions.
#include "ui/window_start.h"

#include <utility>

#include "settings/settings_file.h"

namespace zendrift::ui {

std::optional<std::string> WindowStart::start(StartedWindow& window, settings::ScanOptions& options,
                                              std::error_code loadError) {
  // Said before anything is scanned or deleted; nothing replaces the file.
  const auto loadFailure = [&]() -> std::optional<std::string> {
    if (!loadError) return std::nullopt;
    saveOnClose_ = false;
    window.disableWork();
    return "Cannot read the settings file " +
           settings::settingsFilePath(settings::kProductName, settings::kSettingsFileName) + ": " + loadError.message();
  };
  if (commandLine_.paramCount() == 0) {
    if (options.width != 0 && options.height != 0) window.restoreBounds(options);
    window.optionsToControls();
    saveOnClose_ = true;
    return loadFailure();
  }

  saveOnClose_ = false;
  if (std::optional<std::string> failure = loadFailure()) return failure;
  commandLine_.applySwitches(options);
  window.showForActions();
  window.optionsToControls();
  // Carried out in this order, each when the one before has ended; a close meanwhile ends the run.
  pendingDelete_ = commandLine_.switchPresent("delete");
  pendingExit_ = commandLine_.switchPresent("exit");
  if (commandLine_.switchPresent("start")) {
    window.onScanClicked();
  } else {
    runPendingActions(window);
  }
  return std::nullopt;
}

void WindowStart::runPendingActions(StartedWindow& window) {
  if (window.closed() || window.busy()) return;
  if (std::exchange(pendingDelete_, false)) {
    window.deleteAsCommanded();
    if (window.busy()) return;
  }
  if (std::exchange(pendingExit_, false)) {
    exitRequested_ = true;
    window.endRun();
  }
}

}  // namespace zendrift::ui
