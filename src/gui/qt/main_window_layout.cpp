// The main window's composition on Qt: the panels and controls of the shared control table
// (ui/window_layout), with its captions, hints, fonts, geometry and keyboard order.
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <qdrawutil.h>

#include "gui/qt/main_window.h"
#include "gui/qt/logo.h"
#include "gui/qt/widgets/qt_painter.h"

namespace zendrift::qt {
namespace {

// The fonts of the design, with the closest sans fonts where they are missing.
void installFontSubstitutes() {
  static const bool installed = [] {
    // Arial's metrics (Liberation Sans) come closest to the design's; DejaVu Sans runs wide.
    const QStringList sans{"Liberation Sans", "Arial", "DejaVu Sans Condensed", "DejaVu Sans", "Noto Sans"};
    QFont::insertSubstitutions("MS Sans Serif", sans);
    QFont::insertSubstitutions("Tahoma", sans);
    return true;
  }();
  (void)installed;
}

using ui::ControlId;

QString text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QRect designRect(ControlId id) {
  const ui::Rect& r = ui::controlSpec(id).design;
  return {r.left, r.top, r.width, r.height};
}

QFont designFont(ui::FontRole role) { return widgets::toQFont(ui::fontFor(role)); }

// A control of the table: its design geometry and its hint, if any.
template <typename Control>
Control* place(Control* control, ControlId id) {
  const ui::ControlSpec& spec = ui::controlSpec(id);
  control->setGeometry(designRect(id));
  if (!spec.hint.empty()) control->setToolTip(text(spec.hint));
  return control;
}

QFrame* makePanel(QWidget* parent, ControlId id) {
  auto* panel = place(new QFrame(parent), id);
  if (ui::controlSpec(id).kind != ui::ControlKind::panel) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
  }
  return panel;
}

QLabel* makeLabel(QWidget* parent, ControlId id) {
  const ui::ControlSpec& spec = ui::controlSpec(id);
  auto* label = new QLabel(text(spec.caption), parent);
  label->move(spec.design.left, spec.design.top);
  if (spec.font != ui::FontRole::window) label->setFont(designFont(spec.font));
  label->adjustSize();
  return label;
}

QCheckBox* makeCheckBox(QWidget* parent, ControlId id) {
  return place(new QCheckBox(text(ui::controlSpec(id).caption), parent), id);
}

StyledButton* makeButton(QWidget* parent, ControlId id) {
  auto* button = place(new StyledButton(parent), id);
  button->setCaption(text(ui::controlSpec(id).caption));
  return button;
}

EtchedGroupBox* makeGroup(QWidget* parent, ControlId id) {
  return place(new EtchedGroupBox(text(ui::controlSpec(id).caption), parent), id);
}

}  // namespace

int EtchedGroupBox::frameTop() const { return QFontMetrics(font()).height() / 2 - 1; }

void EtchedGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  // The title sits 8 pixels in on the parent's colour; its own blanks keep the frame line off it.
  const QString text = title();
  const QRect titleRect(8, 0, std::min(metrics.horizontalAdvance(text), std::max(width() - 16, 0)), metrics.height());
  painter.save();
  painter.setClipRegion(QRegion(rect()) - titleRect);
  qDrawShadeRect(&painter, QRect(0, frameTop(), width(), height() - frameTop()), palette(), true, 1, 0);
  painter.restore();
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void MainWindow::createControls() {
  installFontSubstitutes();
  setWindowTitle("Zendrift");
  setFont(designFont(ui::FontRole::window));
  setAutoFillBackground(true);
  setMinimumSize(kMinWidth - kDesignFrameWidth, kMinHeight - kDesignFrameHeight);
  placeAtDesign();

  // Created in tab order so that the default focus chain already runs the right way.
  resultsPanel_ = makePanel(this, ControlId::resultsPanel);
  buttonPanel_ = makePanel(this, ControlId::buttonPanel);
  optionsPanel_ = makePanel(this, ControlId::optionsPanel);
  statusPanel_ = makePanel(this, ControlId::statusPanel);
  bannerPanel_ = makePanel(this, ControlId::bannerPanel);

  createResults();
  createButtons();
  createOptions();
  createStatusLine();
  createBanner();
  setTabOrder();
  applyLayout();
}

QWidget* MainWindow::control(ControlId id) const {
  QWidget* const controls[] = {
      bannerPanel_, bannerTitle_, scanHintLabel_, deleteHintLabel_, logo_, optionsPanel_, foldersGroup_,
      startMenuBox_, desktopBox_, favoritesBox_, historyBox_, recentBox_, tempBox_, programFilesBox_, appDataBox_,
      targetsGroup_, removableDrivesBox_, networkDrivesBox_, cdRomDrivesBox_, ramDrivesBox_, userFolderGroup_,
      userFolderEdit_, browseButton_, resultsPanel_, resultList_, statusPanel_, statusLabel_, buttonPanel_,
      scanButton_, deleteButton_, moveToTrashBox_, updatesButton_, helpButton_, exitButton_};
  static_assert(std::size(controls) == ui::kControlCount);
  return controls[ui::indexOf(id)];
}

// Every control where the shared layout puts it for the window's size; labels keep the size of
// their text. Qt scales for the screen itself, so the layout works in its 96-dpi pixels.
void MainWindow::applyLayout() {
  if (!exitButton_) return;
  const auto rects = ui::layoutControls({width(), height()}, 1.0);
  for (const ui::ControlSpec& spec : ui::windowControls()) {
    const ui::Rect& r = rects[static_cast<std::size_t>(ui::indexOf(spec.id))];
    QWidget* widget = control(spec.id);
    if (spec.kind == ui::ControlKind::label) {
      widget->move(r.left, r.top);
    } else {
      widget->setGeometry(r.left, r.top, r.width, r.height);
    }
  }
  // The prefix selector, ours on Linux only, stretches up to 8 pixels before the logo.
  if (prefixSelector_) prefixSelector_->setGeometry(prefixSelector_->x(), 3, logo_->x() - 8 - prefixSelector_->x(), 19);
}

void MainWindow::createBanner() {
  QPalette palette = bannerPanel_->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Base));
  bannerPanel_->setPalette(palette);
  bannerPanel_->setAutoFillBackground(true);

  bannerTitle_ = makeLabel(bannerPanel_, ControlId::bannerTitle);
  scanHintLabel_ = makeLabel(bannerPanel_, ControlId::scanHintLabel);
  deleteHintLabel_ = makeLabel(bannerPanel_, ControlId::deleteHintLabel);

  logo_ = place(new StateImage(bannerPanel_), ControlId::logo);
  logo_->setPicture(logoImage());
  logo_->setAutoSize(true);
  logo_->setCursor(Qt::PointingHandCursor);
  createPrefixSelector();
}

void MainWindow::createOptions() {
  foldersGroup_ = makeGroup(optionsPanel_, ControlId::foldersGroup);
  startMenuBox_ = makeCheckBox(foldersGroup_, ControlId::startMenuBox);
  desktopBox_ = makeCheckBox(foldersGroup_, ControlId::desktopBox);
  favoritesBox_ = makeCheckBox(foldersGroup_, ControlId::favoritesBox);
  historyBox_ = makeCheckBox(foldersGroup_, ControlId::historyBox);
  recentBox_ = makeCheckBox(foldersGroup_, ControlId::recentBox);
  tempBox_ = makeCheckBox(foldersGroup_, ControlId::tempBox);
  programFilesBox_ = makeCheckBox(foldersGroup_, ControlId::programFilesBox);
  appDataBox_ = makeCheckBox(foldersGroup_, ControlId::appDataBox);

  targetsGroup_ = makeGroup(optionsPanel_, ControlId::targetsGroup);
  removableDrivesBox_ = makeCheckBox(targetsGroup_, ControlId::removableDrivesBox);
  networkDrivesBox_ = makeCheckBox(targetsGroup_, ControlId::networkDrivesBox);
  cdRomDrivesBox_ = makeCheckBox(targetsGroup_, ControlId::cdRomDrivesBox);
  ramDrivesBox_ = makeCheckBox(targetsGroup_, ControlId::ramDrivesBox);

  userFolderGroup_ = makeGroup(optionsPanel_, ControlId::userFolderGroup);
  userFolderEdit_ = place(new QLineEdit(userFolderGroup_), ControlId::userFolderEdit);
  browseButton_ = place(new QPushButton(text(ui::controlSpec(ControlId::browseButton).caption), userFolderGroup_),
                       ControlId::browseButton);
}

void MainWindow::createResults() {
  resultList_ = place(new CheckListView(controller_.model(), resultsPanel_), ControlId::resultList);
  resultList_->setItemHeight(13);
  resultList_->setMultiSelect(true);
  // Long paths lose their middle instead of scrolling sideways.
  resultList_->setAutoScroll(false);
  resultList_->onExcludeRequested = [this](const std::vector<std::string>&) {
    guarded([this] { controller_.excludeSelected(); });
  };
  resultList_->onUndoRequested = [this] { guarded([this] { controller_.undoClicked(); }); };
}

void MainWindow::createStatusLine() {
  statusLabel_ = makeLabel(statusPanel_, ControlId::statusLabel);
}

void MainWindow::createButtons() {
  scanButton_ = makeButton(buttonPanel_, ControlId::scanButton);
  deleteButton_ = makeButton(buttonPanel_, ControlId::deleteButton);
  deleteButton_->setEnabled(false);
  moveToTrashBox_ = makeCheckBox(buttonPanel_, ControlId::moveToTrashBox);
  moveToTrashBox_->setChecked(true);
  updatesButton_ = makeButton(buttonPanel_, ControlId::updatesButton);
  helpButton_ = makeButton(buttonPanel_, ControlId::helpButton);
  exitButton_ = makeButton(buttonPanel_, ControlId::exitButton);
}

// The shared keyboard order; disabled controls are skipped by Qt itself.
void MainWindow::setTabOrder() {
  const std::span<const ControlId> order = ui::tabOrder();
  for (std::size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(control(order[i]), control(order[i + 1]));
  // The banner comes last: its selector follows the user folder.
  if (prefixSelector_) QWidget::setTabOrder(control(order.back()), prefixSelector_);
  for (const ui::ControlSpec& spec : ui::windowControls()) {
    if (spec.kind == ui::ControlKind::label || spec.kind == ui::ControlKind::stateImage) {
      control(spec.id)->setFocusPolicy(Qt::NoFocus);
    }
  }
}

}  // namespace zendrift::qt
