// MainWindow's creation, its show and close events, its small actions and its bounds.
#include "gui/qt/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <optional>

#include "gui/qt/auxiliary_actions.h"
#include "ui/window_placement.h"

namespace zendrift::qt {
namespace {

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainWindow::MainWindow(settings::ScanOptions& options, settings::CommandLine commandLine, std::string versionStamp,
                       QWidget* parent)
    : WindowControl(*this, options, std::move(commandLine)),
      QWidget(parent),
      versionStamp_(std::move(versionStamp)),
      companionFolder_(executableFolder()) {
  createControls();
  connectHandlers();
}

MainWindow::~MainWindow() {
  // The worker posts to this window: it must end before the window goes.
  controller_.stopAndWait();
}

void MainWindow::connectHandlers() {
  connect(scanButton_, &StyledButton::clicked, this, [this] { guarded([this] { controller_.scanClicked(); }); });
  connect(deleteButton_, &StyledButton::clicked, this, [this] { guarded([this] { controller_.deleteClicked(); }); });
  connect(browseButton_, &QPushButton::clicked, this, [this] { guarded([this] { onBrowseClicked(); }); });
  connect(helpButton_, &StyledButton::clicked, this, [this] { guarded([this] { onHelpClicked(); }); });
  connect(exitButton_, &StyledButton::clicked, this, [this] { guarded([this] { onExitClicked(); }); });
  connect(updatesButton_, &StyledButton::clicked, this, [this] { guarded([this] { onUpdatesClicked(); }); });
  logo_->onClick = [this](StateImage&) { guarded([this] { onLogoClicked(); }); };
}

void MainWindow::onBrowseClicked() {
  const std::string folder = browseForFolder(this, "Select a folder", userFolderEdit_->text().toStdString());
  if (!folder.empty()) userFolderEdit_->setText(toQString(folder));
  focusControl(ui::ControlId::scanButton);
}

void MainWindow::onHelpClicked() { openHelp(this, companionFolder_); }
void MainWindow::onExitClicked() { close(); }
void MainWindow::onUpdatesClicked() { checkForUpdates(this, companionFolder_); }
void MainWindow::onLogoClicked() { openHomePage(this); }

// The frame's size is counted as the design's, whatever the window manager draws (if anything):
// the settings then give back the same client area on every desktop, and the minimum size and
// the stored sizes stay in the design's terms.
QSize MainWindow::frameExtent() { return {kDesignFrameWidth, kDesignFrameHeight}; }

WindowBounds MainWindow::outerBounds() const {
  const QSize extent = frameExtent();
  return {pos().x(), pos().y(), width() + extent.width(), height() + extent.height()};
}

namespace {

// The work area of the screen that holds the centre of `place` (the primary screen when none
// does), in Qt's device-independent pixels, as the window's own bounds are.
std::optional<ui::Rect> workArea(const ui::Rect& place) {
  const QScreen* screen = QGuiApplication::screenAt(QPoint(place.left + place.width / 2, place.top + place.height / 2));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return std::nullopt;
  const QRect area = screen->availableGeometry();
  return ui::Rect{area.x(), area.y(), area.width(), area.height()};
}

WindowBounds toBounds(const ui::Rect& r) { return {r.left, r.top, r.width, r.height}; }

}  // namespace

void MainWindow::placeAtDesign() {
  const std::optional<ui::Rect> area = workArea(ui::kDesignBounds);
  const ui::Rect place = area ? ui::designPlacement(ui::kDesignBounds.size(), ui::kMinimumSize, *area) : ui::kDesignBounds;
  setOuterBounds(toBounds(place));
}

WindowBounds MainWindow::fittedToScreen(WindowBounds bounds) const {
  const std::optional<ui::Rect> area = workArea({bounds.left, bounds.top, bounds.width, bounds.height});
  if (!area) return bounds;
  return toBounds(ui::fittedToWorkArea({bounds.left, bounds.top, bounds.width, bounds.height}, ui::kMinimumSize, *area));
}

void MainWindow::setOuterBounds(const WindowBounds& bounds) {
  const QSize extent = frameExtent();
  move(bounds.left, bounds.top);
  resize(bounds.width - extent.width(), bounds.height - extent.height());
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  setWindowTitle(toQString("Zendrift " + versionStamp_));
  guarded([this] { controller_.shown(); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // What goes wrong while closing is shown; the window closes all the same.
  bool close = true;
  guarded([&] { close = controller_.closeRequested(); });
  if (close) {
    event->accept();
  } else {
    event->ignore();
  }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  applyLayout();
}

}  // namespace zendrift::qt
