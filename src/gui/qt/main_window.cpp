// MainWindow's handlers: creation, show and close, the transfer between the controls and the
// options, the scan and removal buttons, and what the scan driver asks of the window.
#include "gui/qt/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <stdexcept>
#include <QShowEvent>

#include "gui/qt/auxiliary_actions.h"
#include "app/version_stamp.h"
#include "platform/process.h"
#include "settings/exclude_list.h"
#include "settings/settings_file.h"

namespace zendrift::app {
namespace {

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainWindow::MainWindow(settings::ScanOptions& options, settings::CommandLine commandLine, QWidget* parent)
    : QWidget(parent), options_(options), start_(std::move(commandLine)), companionFolder_(executableFolder()) {
  createControls();
  connectHandlers();
}

MainWindow::~MainWindow() {
  // The worker posts to this window: it must end before the window goes.
  worker_.requestStop();
  worker_.join();
}

void MainWindow::connectHandlers() {
  connect(scanButton, &StyledButton::clicked, this, [this] { onScanClicked(); });
  connect(deleteButton, &StyledButton::clicked, this, [this] { onDeleteClicked(); });
  connect(browseButton, &QPushButton::clicked, this, [this] { onBrowseClicked(); });
  connect(helpButton, &StyledButton::clicked, this, [this] { onHelpClicked(); });
  connect(exitButton, &StyledButton::clicked, this, [this] { onExitClicked(); });
  connect(updatesButton, &StyledButton::clicked, this, [this] { onUpdatesClicked(); });
  logo->onClick = [this](StateImage&) { onLogoClicked(); };
}

void MainWindow::start() {
  const std::error_code loadError = settings::loadSettings(options_, settings::kSettingsFileName, settings::SettingsAccess::readWrite);
  start_.start(*this, options_, loadError);
}

void MainWindow::restoreBounds(const settings::ScanOptions& options) {
  setOuterBounds(fittedToScreen({options.left, options.top, options.width, options.height}));
}

void MainWindow::disableWork() {
  scanButton->setEnabled(false);
  deleteButton->setEnabled(false);
}

void MainWindow::showForActions() {
  show();
  raise();
  activateWindow();
}

void MainWindow::endRun() {
  // Before the event loop runs, the caller sees exitRequested() instead.
  QCoreApplication::quit();
}

void MainWindow::runPendingActions() { start_.runPendingActions(*this); }

void MainWindow::onShow() {
  setWindowTitle(toQString("Zendrift " + versionStamp(platform::executablePath())));
  showFolderHints();
  scanButton->setFocus();
}

void MainWindow::onClose() {
  if (!start_.savesOnClose()) return;
  controlsToOptions();
  keepUnchangedOptions();
  const std::string path = settings::settingsFilePath(settings::kProductName, settings::kSettingsFileName);
  if (settings::saveSettingsTo(options_, path)) throw std::runtime_error(settings::saveFailureMessage(path));
}

void MainWindow::keepUnchangedOptions() { ui::keepUnchangedPairs(optionControls(), shownOptions_, options_); }

std::vector<std::pair<QCheckBox*, bool ui::OptionControls::*>> MainWindow::optionBoxes() const {
  return {{startMenuBox, &ui::OptionControls::startMenu},
          {desktopBox, &ui::OptionControls::desktop},
          {favoritesBox, &ui::OptionControls::favorites},
          {historyBox, &ui::OptionControls::history},
          {programFilesBox, &ui::OptionControls::programFiles},
          {tempBox, &ui::OptionControls::temp},
          {appDataBox, &ui::OptionControls::appData},
          {recentBox, &ui::OptionControls::recent},
          {removableDrivesBox, &ui::OptionControls::removableDrives},
          {networkDrivesBox, &ui::OptionControls::networkDrives},
          {cdRomDrivesBox, &ui::OptionControls::cdRomDrives},
          {ramDrivesBox, &ui::OptionControls::ramDrives},
          {moveToTrashBox, &ui::OptionControls::moveToTrash}};
}

ui::OptionControls MainWindow::optionControls() const {
  ui::OptionControls controls;
  for (const auto& [box, state] : optionBoxes()) controls.*state = box->isChecked();
  controls.userFolder = userFolderEdit->text().toStdString();
  return controls;
}

void MainWindow::showOptionControls(const ui::OptionControls& controls) {
  for (const auto& [box, state] : optionBoxes()) box->setChecked(controls.*state);
  userFolderEdit->setText(toQString(controls.userFolder));
}

void MainWindow::optionsToControls() {
  shownOptions_ = options_;
  showOptionControls(ui::optionsToControls(options_));
  fillPrefixSelector();
  wellKnownFolders_ = sysfolders::WellKnownFolders(platform::scannedProfile(options_.prefix));
}

void MainWindow::controlsToOptions() {
  ui::controlsToOptions(optionControls(), options_);
  prefixSelectorToOptions();
  const WindowBounds bounds = outerBounds();
  options_.top = bounds.top;
  options_.left = bounds.left;
  options_.width = bounds.width;
  options_.height = bounds.height;
}

void MainWindow::onBrowseClicked() {
  const std::string folder = browseForFolder(this, "Select a folder", userFolderEdit->text().toStdString());
  if (!folder.empty()) userFolderEdit->setText(toQString(folder));
  if (isVisible()) scanButton->setFocus();
}

void MainWindow::onHelpClicked() { openHelp(companionFolder_); }
void MainWindow::onExitClicked() { close(); }
void MainWindow::onUpdatesClicked() { checkForUpdates(companionFolder_); }
void MainWindow::onLogoClicked() { openHomePage(); }

void MainWindow::excludePaths(const std::vector<std::string>& paths) {
  const std::vector<std::string> refused = settings::appendExcludeEntries(options_.excludeList, paths);
  if (!refused.empty()) throw std::runtime_error(settings::refusedExcludeEntriesMessage(refused));
}

// The frame's size is counted as the design's, whatever the window manager draws (if anything):
// the settings then give back the same client area on every desktop, and the minimum size and
// the stored sizes stay in the design's terms.
QSize MainWindow::frameExtent() { return {kDesignFrameWidth, kDesignFrameHeight}; }

WindowBounds MainWindow::outerBounds() const {
  const QSize extent = frameExtent();
  return {pos().x(), pos().y(), width() + extent.width(), height() + extent.height()};
}

WindowBounds MainWindow::fittedToScreen(WindowBounds bounds) const {
  // Bounds from the settings file may be anything: keep the window within the screen's work area
  // and no smaller than its minimum.
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return bounds;
  const QRect area = screen->availableGeometry();
  bounds.width = std::clamp(bounds.width, kMinWidth, std::max(kMinWidth, area.width()));
  bounds.height = std::clamp(bounds.height, kMinHeight, std::max(kMinHeight, area.height()));
  bounds.left = std::clamp(bounds.left, area.left(), std::max(area.left(), area.left() + area.width() - bounds.width));
  bounds.top = std::clamp(bounds.top, area.top(), std::max(area.top(), area.top() + area.height() - bounds.height));
  return bounds;
}

void MainWindow::setOuterBounds(const WindowBounds& bounds) {
  const QSize extent = frameExtent();
  move(bounds.left, bounds.top);
  resize(bounds.width - extent.width(), bounds.height - extent.height());
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) onShow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (busy()) {
    // Stop first; the close takes place when the worker has ended. A removal stops after the
    // file it is deleting, keeping what was done.
    closePending_ = true;
    stopWork();
    event->ignore();
    return;
  }
  // The window closes even when saving fails; the error box reports the failure.
  closed_ = true;
  event->accept();
  onClose();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  applyLayout();
}

void MainWindow::setStatusText(std::string_view text) {
  statusLabel->setText(toQString(text));
  statusLabel->adjustSize();
}

}  // namespace zendrift::app
