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

namespace zendrift::app {
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
  resize(kDesignBounds.width - kDesignFrameWidth, kDesignBounds.height - kDesignFrameHeight);
  setMinimumSize(kMinWidth - kDesignFrameWidth, kMinHeight - kDesignFrameHeight);
  move(kDesignBounds.left, kDesignBounds.top);

  // Created in tab order so that the default focus chain already runs the right way.
  resultsPanel = makePanel(this, ControlId::resultsPanel);
  buttonPanel = makePanel(this, ControlId::buttonPanel);
  optionsPanel = makePanel(this, ControlId::optionsPanel);
  statusPanel = makePanel(this, ControlId::statusPanel);
  bannerPanel = makePanel(this, ControlId::bannerPanel);

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
      bannerPanel,     bannerTitle,  scanHintLabel,  deleteHintLabel,    logo,
      optionsPanel,    foldersGroup, startMenuBox,   desktopBox,         favoritesBox,
      historyBox,      recentBox,    tempBox,        programFilesBox,    appDataBox,
      targetsGroup,    removableDrivesBox, networkDrivesBox, cdRomDrivesBox, ramDrivesBox,
      userFolderGroup, userFolderEdit, browseButton, resultsPanel,       resultList,
      statusPanel,     statusLabel,  buttonPanel,    scanButton,         deleteButton,
      moveToTrashBox,  updatesButton, helpButton,    exitButton};
  static_assert(std::size(controls) == ui::kControlCount);
  return controls[ui::indexOf(id)];
}

// Every control where the shared layout puts it for the window's size; labels keep the size of
// their text. Qt scales for the screen itself, so the layout works in its 96-dpi pixels.
void MainWindow::applyLayout() {
  if (!exitButton) return;
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
  if (prefixSelector) prefixSelector->setGeometry(prefixSelector->x(), 3, logo->x() - 8 - prefixSelector->x(), 19);
}

void MainWindow::createBanner() {
  QPalette palette = bannerPanel->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Base));
  bannerPanel->setPalette(palette);
  bannerPanel->setAutoFillBackground(true);

  bannerTitle = makeLabel(bannerPanel, ControlId::bannerTitle);
  scanHintLabel = makeLabel(bannerPanel, ControlId::scanHintLabel);
  deleteHintLabel = makeLabel(bannerPanel, ControlId::deleteHintLabel);

  logo = place(new StateImage(bannerPanel), ControlId::logo);
  logo->setPicture(logoImage());
  logo->setAutoSize(true);
  logo->setCursor(Qt::PointingHandCursor);
  createPrefixSelector();
}

void MainWindow::createOptions() {
  foldersGroup = makeGroup(optionsPanel, ControlId::foldersGroup);
  startMenuBox = makeCheckBox(foldersGroup, ControlId::startMenuBox);
  desktopBox = makeCheckBox(foldersGroup, ControlId::desktopBox);
  favoritesBox = makeCheckBox(foldersGroup, ControlId::favoritesBox);
  historyBox = makeCheckBox(foldersGroup, ControlId::historyBox);
  recentBox = makeCheckBox(foldersGroup, ControlId::recentBox);
  tempBox = makeCheckBox(foldersGroup, ControlId::tempBox);
  programFilesBox = makeCheckBox(foldersGroup, ControlId::programFilesBox);
  appDataBox = makeCheckBox(foldersGroup, ControlId::appDataBox);

  targetsGroup = makeGroup(optionsPanel, ControlId::targetsGroup);
  removableDrivesBox = makeCheckBox(targetsGroup, ControlId::removableDrivesBox);
  networkDrivesBox = makeCheckBox(targetsGroup, ControlId::networkDrivesBox);
  cdRomDrivesBox = makeCheckBox(targetsGroup, ControlId::cdRomDrivesBox);
  ramDrivesBox = makeCheckBox(targetsGroup, ControlId::ramDrivesBox);

  userFolderGroup = makeGroup(optionsPanel, ControlId::userFolderGroup);
  userFolderEdit = place(new QLineEdit(userFolderGroup), ControlId::userFolderEdit);
  browseButton = place(new QPushButton(text(ui::controlSpec(ControlId::browseButton).caption), userFolderGroup),
                       ControlId::browseButton);
}

void MainWindow::createResults() {
  resultList = place(new CheckListView(model_, resultsPanel), ControlId::resultList);
  resultList->setItemHeight(13);
  resultList->setMultiSelect(true);
  resultList->onExcludeRequested = [this](const std::vector<std::string>& paths) { excludePaths(paths); };
  resultList->onUndoRequested = [this] { onUndoClicked(); };
}

void MainWindow::createStatusLine() {
  statusLabel = makeLabel(statusPanel, ControlId::statusLabel);
}

void MainWindow::createButtons() {
  scanButton = makeButton(buttonPanel, ControlId::scanButton);
  deleteButton = makeButton(buttonPanel, ControlId::deleteButton);
  deleteButton->setEnabled(false);
  moveToTrashBox = makeCheckBox(buttonPanel, ControlId::moveToTrashBox);
  moveToTrashBox->setChecked(true);
  updatesButton = makeButton(buttonPanel, ControlId::updatesButton);
  helpButton = makeButton(buttonPanel, ControlId::helpButton);
  exitButton = makeButton(buttonPanel, ControlId::exitButton);
}

// The shared keyboard order; disabled controls are skipped by Qt itself.
void MainWindow::setTabOrder() {
  const std::span<const ControlId> order = ui::tabOrder();
  for (std::size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(control(order[i]), control(order[i + 1]));
  // The banner comes last: its selector follows the user folder.
  if (prefixSelector) QWidget::setTabOrder(control(order.back()), prefixSelector);
  for (const ui::ControlSpec& spec : ui::windowControls()) {
    if (spec.kind == ui::ControlKind::label || spec.kind == ui::ControlKind::stateImage) {
      control(spec.id)->setFocusPolicy(Qt::NoFocus);
    }
  }
}

}  // namespace zendrift::app
