// TForm1's handlers: creation, show and close, the transfer between the controls and the
// options, the scan and removal buttons, and what the scan driver asks of the window.
#include "app/form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <stdexcept>
#include <QShowEvent>

#include "app/auxiliary_actions.h"
#include "app/version_stamp.h"
#include "platform/process.h"
#include "settings/settings_file.h"

namespace zendrift::app {
namespace {

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TForm1::TForm1(settings::TIniRec& options, settings::CommandLine commandLine, QWidget* parent)
    : QWidget(parent), options_(options), commandLine_(std::move(commandLine)), companionFolder_(ExecutableFolder()) {
  createControls();
  connectHandlers();
}

TForm1::~TForm1() {
  // The worker posts to this window: it must end before the window goes.
  if (worker_.joinable()) {
    worker_.request_stop();
    worker_.join();
  }
}

void TForm1::connectHandlers() {
  connect(Button1, &TJvXPButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &TJvXPButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
  connect(Button4, &TJvXPButton::clicked, this, [this] { Button4Click(); });
  connect(Button5, &TJvXPButton::clicked, this, [this] { Button5Click(); });
  connect(Button6, &TJvXPButton::clicked, this, [this] { Button6Click(); });
  JvImage1->OnClick = [this](TJvImage&) { JvImage1Click(); };
}

void TForm1::FormCreate() {
  const std::error_code loadError = settings::loadSettings(options_, settings::kSettingsFileName, settings::SettingsAccess::readWrite);
  // The defaults that stand in for an unreadable file hold none of the user's exclusions: say so
  // before anything is scanned or deleted.
  const auto reportLoadError = [&] {
    if (!loadError) return;
    // Nothing may run on defaults in place of the user's exclusions, nor replace the file.
    saveOnClose_ = false;
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    throw std::runtime_error("Cannot read the settings file " + settings::SettingsFilePath(settings::kProductName, settings::kSettingsFileName) +
                             ": " + loadError.message());
  };
  if (commandLine_.ParamCount() == 0) {
    if (options_.Width != 0 && options_.Height != 0)
      SetBounds(OnScreen({options_.Left, options_.Top, options_.Width, options_.Height}));
    OptionsToControls();
    saveOnClose_ = true;
    reportLoadError();
    return;
  }

  saveOnClose_ = false;
  reportLoadError();
  commandLine_.ApplySwitches(options_);
  if (commandLine_.SwitchPresent("silent")) {
    hide();
    runSilently();
    exitRequested_ = true;
    return;
  }
  show();
  raise();
  activateWindow();
  OptionsToControls();
  // Carried out in this order, each when the one before has ended; a close meanwhile ends the run.
  pendingDelete_ = commandLine_.SwitchPresent("delete");
  pendingExit_ = commandLine_.SwitchPresent("exit");
  if (commandLine_.SwitchPresent("start")) {
    Button1Click();
  } else {
    runPendingActions();
  }
}

void TForm1::runPendingActions() {
  if (closed_ || Busy()) return;
  if (std::exchange(pendingDelete_, false)) {
    Button2Click();
    if (Busy()) return;
  }
  if (std::exchange(pendingExit_, false)) {
    exitRequested_ = true;
    // The run ends without the close event, so nothing is saved; before the event loop runs,
    // the caller sees ExitRequested() instead.
    QCoreApplication::quit();
  }
}

void TForm1::FormShow() {
  setWindowTitle(toQString("Zendrift " + VersionStamp(platform::executablePath())));
  auto& folders = computerInfo_.Folders();
  const std::pair<QCheckBox*, std::string> hints[] = {
      {CheckBox1, folders.StartMenu()}, {CheckBox2, folders.Desktop()},      {CheckBox3, folders.Favorites()},
      {CheckBox4, folders.History()},   {CheckBox5, folders.ProgramFiles()}, {CheckBox6, folders.Temp()},
      {CheckBox7, folders.AppData()},   {CheckBox8, folders.Recent()}};
  for (const auto& [box, path] : hints) box->setToolTip(toQString(path));
  Button1->setFocus();
}

void TForm1::FormClose() {
  if (!saveOnClose_) return;
  ControlsToOptions();
  keepUnchangedOptions();
  settings::SaveSettings(options_, settings::kSettingsFileName);
}

void TForm1::keepUnchangedOptions() {
  // One box shows a pair of flags, and the all-users flag decides what it shows. A box the user
  // left as it was shown must not rewrite a pair that differed in the file.
  if (CheckBox1->isChecked() == shownOptions_.AllUsersStartMenu) {
    options_.StartMenu = shownOptions_.StartMenu;
    options_.AllUsersStartMenu = shownOptions_.AllUsersStartMenu;
  }
  if (CheckBox2->isChecked() == shownOptions_.AllUsersDeskTop) {
    options_.Desktop = shownOptions_.Desktop;
    options_.AllUsersDeskTop = shownOptions_.AllUsersDeskTop;
  }
}

void TForm1::OptionsToControls() {
  shownOptions_ = options_;
  // Each pair shares a box: the second assignment, the all-users flag, wins.
  CheckBox1->setChecked(options_.StartMenu);
  CheckBox1->setChecked(options_.AllUsersStartMenu);
  CheckBox2->setChecked(options_.Desktop);
  CheckBox2->setChecked(options_.AllUsersDeskTop);
  CheckBox3->setChecked(options_.Favorites);
  CheckBox4->setChecked(options_.History);
  CheckBox5->setChecked(options_.ProgramFiles);
  CheckBox6->setChecked(options_.TempPath);
  CheckBox7->setChecked(options_.ApplicationData);
  CheckBox8->setChecked(options_.Recent);
  CheckBox9->setChecked(options_.RemovableDrives);
  CheckBox10->setChecked(options_.NetworkDrives);
  CheckBox11->setChecked(options_.CDRomDrives);
  CheckBox12->setChecked(options_.RamDrives);
  Edit1->setText(toQString(options_.UserDir));
}

void TForm1::ControlsToOptions() {
  options_.StartMenu = options_.AllUsersStartMenu = CheckBox1->isChecked();
  options_.Desktop = options_.AllUsersDeskTop = CheckBox2->isChecked();
  options_.Favorites = CheckBox3->isChecked();
  options_.History = CheckBox4->isChecked();
  options_.ProgramFiles = CheckBox5->isChecked();
  options_.TempPath = CheckBox6->isChecked();
  options_.ApplicationData = CheckBox7->isChecked();
  options_.Recent = CheckBox8->isChecked();
  options_.RemovableDrives = CheckBox9->isChecked();
  options_.NetworkDrives = CheckBox10->isChecked();
  options_.CDRomDrives = CheckBox11->isChecked();
  options_.RamDrives = CheckBox12->isChecked();
  options_.UserDir = Edit1->text().toStdString();
  const FormBounds bounds = Bounds();
  options_.Top = bounds.Top;
  options_.Left = bounds.Left;
  options_.Width = bounds.Width;
  options_.Height = bounds.Height;
}

void TForm1::Button3Click() {
  const std::string folder = BrowseForFolder(this, "Select a folder", Edit1->text().toStdString());
  if (!folder.empty()) Edit1->setText(toQString(folder));
  if (isVisible()) Button1->setFocus();
}

void TForm1::Button4Click() { OpenHelp(companionFolder_); }
void TForm1::Button5Click() { close(); }
void TForm1::Button6Click() { CheckForUpdates(companionFolder_); }
void TForm1::JvImage1Click() { OpenHomePage(); }

// The frame's size is counted as the design's, whatever the window manager draws (if anything):
// the settings then give back the same client area on every desktop, and the minimum size and
// the stored sizes stay in the design's terms.
QSize TForm1::frameExtent() { return {kDesignFrameWidth, kDesignFrameHeight}; }

FormBounds TForm1::Bounds() const {
  const QSize extent = frameExtent();
  return {pos().x(), pos().y(), width() + extent.width(), height() + extent.height()};
}

FormBounds TForm1::OnScreen(FormBounds bounds) const {
  // Bounds from the settings file may be anything: keep the window within the screen's work area
  // and no smaller than its minimum.
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return bounds;
  const QRect area = screen->availableGeometry();
  bounds.Width = std::clamp(bounds.Width, kMinWidth, std::max(kMinWidth, area.width()));
  bounds.Height = std::clamp(bounds.Height, kMinHeight, std::max(kMinHeight, area.height()));
  bounds.Left = std::clamp(bounds.Left, area.left(), std::max(area.left(), area.left() + area.width() - bounds.Width));
  bounds.Top = std::clamp(bounds.Top, area.top(), std::max(area.top(), area.top() + area.height() - bounds.Height));
  return bounds;
}

void TForm1::SetBounds(const FormBounds& bounds) {
  const QSize extent = frameExtent();
  move(bounds.Left, bounds.Top);
  resize(bounds.Width - extent.width(), bounds.Height - extent.height());
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (Busy()) {
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
  FormClose();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  alignPanels();
}

void TForm1::setStatusText(std::string_view text) {
  Label1->setText(toQString(text));
  Label1->adjustSize();
}

}  // namespace zendrift::app
