// The window controller's start, the transfer between the controls and the options, the prefix
// choice, the exclude command and the close.
#include "ui/window_controller.h"

#include <utility>

#include "profile/prefix_discovery.h"
#include "profile/windows_profile.h"
#include "settings/exclude_list.h"
#include "settings/settings_file.h"
#include "ui/option_controls.h"
#include "ui/orphan_lines.h"

namespace zendrift::ui {

WindowController::WindowController(WindowView& view, settings::ScanOptions& options, settings::CommandLine commandLine)
    : view_(view),
      options_(options),
      start_(std::move(commandLine)),
      places_(profile::hostPrefixPlaces()),
      worker_([&view](std::function<void()> call) { view.post(std::move(call)); }, workSink(), places_) {}

WindowController::~WindowController() { stopAndWait(); }

void WindowController::stopAndWait() {
  worker_.requestStop();
  worker_.join();
}

void WindowController::start() {
  const std::error_code loadError =
      settings::loadSettings(options_, settings::kSettingsFileName, settings::SettingsAccess::readWrite);
  if (const std::optional<std::string> failure = start_.start(*this, options_, loadError)) view_.showError(*failure);
}

void WindowController::restoreBounds(const settings::ScanOptions& options) {
  view_.restoreBounds({options.left, options.top, options.width, options.height});
}

void WindowController::disableWork() {
  view_.enableControl(ControlId::scanButton, false);
  view_.enableControl(ControlId::deleteButton, false);
}

void WindowController::showForActions() { view_.showForActions(); }

void WindowController::shown() {
  showFolderHints();
  view_.focusControl(ControlId::scanButton);
}

void WindowController::optionsToControls() {
  shownOptions_ = options_;
  view_.showOptionControls(ui::optionsToControls(options_));
  fillPrefixes();
  wellKnownFolders_ = profile::wellKnownFolders(
      profile::scannedProfile(profile::scannedPrefix(options_.prefix, places_)));
}

void WindowController::controlsToOptions() {
  ui::controlsToOptions(view_.optionControls(), options_);
  prefixesToOptions();
  const WindowBounds bounds = view_.outerBounds();
  options_.top = bounds.top;
  options_.left = bounds.left;
  options_.width = bounds.width;
  options_.height = bounds.height;
}

void WindowController::fillPrefixes() {
  if (!view_.hasPrefixSelector()) return;
  prefixChoices_ = prefixChoices(profile::discoverPrefixes(places_), options_.prefix, profile::defaultPrefix(places_));
  view_.showPrefixChoices(prefixChoices_, chosenIndex(prefixChoices_, options_.prefix, options_.allPrefixes));
}

void WindowController::prefixesToOptions() {
  const int index = view_.hasPrefixSelector() ? view_.chosenPrefix() : -1;
  if (index < 0 || static_cast<std::size_t>(index) >= prefixChoices_.size()) return;
  const PrefixChoice& choice = prefixChoices_[static_cast<std::size_t>(index)];
  options_.prefix = choice.prefix;
  options_.allPrefixes = choice.all;
  // With every prefix the hints show the first one's folders, the one scanned first.
  wellKnownFolders_ = profile::wellKnownFolders(
      profile::scannedProfile(profile::scannedPrefix(choice.prefix, places_)));
}

void WindowController::prefixChosen() {
  prefixesToOptions();
  showFolderHints();
}

void WindowController::showFolderHints() {
  auto& folders = wellKnownFolders_;
  const std::pair<ControlId, std::string> hints[] = {
      {ControlId::startMenuBox, folders.startMenu},       {ControlId::desktopBox, folderPairHint(folders.desktop, folders.commonDesktopDirectory)},
      {ControlId::favoritesBox, folders.favorites},       {ControlId::historyBox, folders.history},
      {ControlId::programFilesBox, folders.programFiles}, {ControlId::tempBox, folders.temp},
      {ControlId::appDataBox, folders.appData},           {ControlId::recentBox, folders.recent}};
  for (const auto& [box, path] : hints) view_.setHint(box, path);
}

void WindowController::excludeSelected() {
  std::vector<std::string> paths = selectedOrphanPaths(model_, records_);
  model_.excludeSelection();
  excludePaths(paths);
}

void WindowController::excludePaths(const std::vector<std::string>& paths) {
  const std::vector<std::string> refused = settings::appendExcludeEntries(options_.excludeList, paths);
  if (!refused.empty()) view_.showError(settings::refusedExcludeEntriesMessage(refused));
}

bool WindowController::closeRequested() {
  if (busy()) {
    // Stop first; the close takes place when the worker has ended. A removal stops after the
    // file it is deleting, keeping what was done.
    closePending_ = true;
    stopWork();
    return false;
  }
  // The window closes even when saving fails; the error box reports the failure.
  closed_ = true;
  saveSettings();
  return true;
}

void WindowController::saveSettings() {
  if (!start_.savesOnClose()) return;
  controlsToOptions();
  keepUnchangedPairs(view_.optionControls(), shownOptions_, options_);
  const std::string path = settings::settingsFilePath(settings::kProductName, settings::kSettingsFileName);
  if (settings::saveSettingsTo(options_, path)) view_.showError(settings::saveFailureMessage(path));
}

}  // namespace zendrift::ui
