// What the controller asks of the Qt window: captions, enabling, focus, the cursor, the option
// controls and the prefix selector, the boxes, and queued calls to the window's thread.
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMetaObject>

#include "gui/qt/main_window.h"
#include "platform/path.h"
#include "ui/guarded_call.h"

namespace zendrift::qt {
namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void MainWindow::createPrefixSelector() {
  if constexpr (platform::kNativeStyle == platform::PathStyle::Windows) return;
  // Beside the title, clear of the hints below it and of the logo: no control moves for it.
  prefixSelector_ = new QComboBox(bannerPanel_);
  const int left = bannerTitle_->x() + bannerTitle_->width() + 12;
  prefixSelector_->setGeometry(left, 3, logo_->x() - 8 - left, 19);
  prefixSelector_->setToolTip("The Wine prefix to scan for orphaned shortcuts.");
  prefixSelector_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(prefixSelector_, &QComboBox::currentIndexChanged, this,
          [this] { guarded([this] { controller_.prefixChosen(); }); });
}

void MainWindow::showPrefixChoices(const std::vector<ui::PrefixChoice>& choices, int chosen) {
  const QSignalBlocker quiet(prefixSelector_);
  prefixSelector_->clear();
  for (const ui::PrefixChoice& choice : choices) prefixSelector_->addItem(toQString(choice.label));
  prefixSelector_->setCurrentIndex(chosen);
}

void MainWindow::setCaption(ui::ControlId id, std::string_view caption) {
  if (auto* button = dynamic_cast<StyledButton*>(control(id))) button->setCaption(toQString(caption));
}

void MainWindow::setStatusText(std::string_view text) {
  statusLabel_->setText(toQString(text));
  statusLabel_->adjustSize();
}

void MainWindow::setHint(ui::ControlId id, std::string_view hint) { control(id)->setToolTip(toQString(hint)); }
void MainWindow::enableControl(ui::ControlId id, bool enabled) { control(id)->setEnabled(enabled); }
bool MainWindow::controlEnabled(ui::ControlId id) const { return control(id)->isEnabled(); }

void MainWindow::focusControl(ui::ControlId id) {
  if (isVisible()) control(id)->setFocus();
}

void MainWindow::setBusyCursor(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

std::vector<std::pair<QCheckBox*, bool ui::OptionControls::*>> MainWindow::optionBoxes() const {
  return {{startMenuBox_, &ui::OptionControls::startMenu},
          {desktopBox_, &ui::OptionControls::desktop},
          {favoritesBox_, &ui::OptionControls::favorites},
          {historyBox_, &ui::OptionControls::history},
          {programFilesBox_, &ui::OptionControls::programFiles},
          {tempBox_, &ui::OptionControls::temp},
          {appDataBox_, &ui::OptionControls::appData},
          {recentBox_, &ui::OptionControls::recent},
          {removableDrivesBox_, &ui::OptionControls::removableDrives},
          {networkDrivesBox_, &ui::OptionControls::networkDrives},
          {cdRomDrivesBox_, &ui::OptionControls::cdRomDrives},
          {ramDrivesBox_, &ui::OptionControls::ramDrives},
          {moveToTrashBox_, &ui::OptionControls::moveToTrash}};
}

ui::OptionControls MainWindow::optionControls() const {
  ui::OptionControls controls;
  for (const auto& [box, state] : optionBoxes()) controls.*state = box->isChecked();
  controls.userFolder = userFolderEdit_->text().toStdString();
  return controls;
}

void MainWindow::showOptionControls(const ui::OptionControls& controls) {
  for (const auto& [box, state] : optionBoxes()) box->setChecked(controls.*state);
  userFolderEdit_->setText(toQString(controls.userFolder));
}

void MainWindow::restoreBounds(const WindowBounds& bounds) { setOuterBounds(fittedToScreen(bounds)); }

void MainWindow::showForActions() {
  show();
  raise();
  activateWindow();
}

void MainWindow::showError(std::string_view text) {
  QWidget* owner = isVisible() ? this : QApplication::activeWindow();
  QMessageBox box(QMessageBox::Critical, "Zendrift", toQString(text), QMessageBox::Ok, owner);
  box.exec();
}

void MainWindow::showInformation(std::string_view text) {
  QWidget* owner = isVisible() ? this : QApplication::activeWindow();
  QMessageBox box(QMessageBox::Information, "Zendrift", toQString(text), QMessageBox::Ok, owner);
  box.exec();
}

void MainWindow::askYesNo(std::string_view question, std::function<void(bool yes)> answered) {
  auto* box = new QMessageBox(QMessageBox::Warning, "Zendrift", toQString(question),
                              QMessageBox::Yes | QMessageBox::No, this);  // the window owns it
  box->setDefaultButton(QMessageBox::No);
  box->setEscapeButton(QMessageBox::No);
  box->setWindowModality(Qt::WindowModal);
  box->setAttribute(Qt::WA_DeleteOnClose);
  connect(box, &QMessageBox::finished, this, [this, answered = std::move(answered)](int answer) {
    guarded([&] { answered(answer == QMessageBox::Yes); });
  });
  box->open();
}

void MainWindow::post(std::function<void()> call) {
  QMetaObject::invokeMethod(this, [this, call = std::move(call)] { guarded(call); }, Qt::QueuedConnection);
}

void MainWindow::guarded(const std::function<void()>& handler) {
  ui::guardedCall(handler, [this](std::string_view text) { showError(text); });
}

void MainWindow::endRun() {
  // Before the event loop runs, the caller sees exitRequested() instead.
  QCoreApplication::quit();
}

}  // namespace zendrift::qt
