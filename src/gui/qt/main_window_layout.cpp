// The main window's composition: panels, controls, captions, hints, fonts, geometry and the
// keyboard order, laid out in pixels for a 96-dpi screen.
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <qdrawutil.h>

#include "gui/qt/main_window.h"
#include "gui/qt/logo.h"
#include "platform/host_conventions.h"

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

QFont designFont(const QString& family, bool bold) {
  QFont font(family);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  font.setBold(bold);
  return font;
}

QFrame* makePanel(QWidget* parent, bool raised) {
  auto* panel = new QFrame(parent);
  if (raised) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
  }
  return panel;
}

QLabel* makeLabel(QWidget* parent, const char* text, int left, int top) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* caption, int left, int top, int width) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setGeometry(left, top, width, 17);
  return box;
}

StyledButton* makeButton(QWidget* parent, const char* caption, int left, int width, const char* hint) {
  auto* button = new StyledButton(parent);
  button->setCaption(QString::fromUtf8(caption));
  button->setGeometry(left, 16, width, 21);
  button->setToolTip(QString::fromUtf8(hint));
  return button;
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
  setFont(designFont("MS Sans Serif", false));
  setAutoFillBackground(true);
  resize(kDesignBounds.width - kDesignFrameWidth, kDesignBounds.height - kDesignFrameHeight);
  setMinimumSize(kMinWidth - kDesignFrameWidth, kMinHeight - kDesignFrameHeight);
  move(kDesignBounds.left, kDesignBounds.top);

  // Created in tab order so that the default focus chain already runs the right way.
  resultsPanel = makePanel(this, true);
  buttonPanel = makePanel(this, true);
  optionsPanel = makePanel(this, false);
  statusPanel = makePanel(this, true);
  bannerPanel = makePanel(this, true);
  alignPanels();

  createResults();
  createButtons();
  createOptions();
  createStatusLine();
  createBanner();
  setTabOrder();
}

// Two panels stack down from the top, two up from the bottom; the result panel takes the rest.
void MainWindow::alignPanels() {
  if (!bannerPanel) return;
  const int w = width();
  const int h = height();
  bannerPanel->setGeometry(0, 0, w, 65);
  optionsPanel->setGeometry(0, 65, w, 169);
  buttonPanel->setGeometry(0, h - 43, w, 43);
  statusPanel->setGeometry(0, h - 43 - 27, w, 27);
  resultsPanel->setGeometry(0, 65 + 169, w, std::max(0, h - 65 - 169 - 43 - 27));
  if (resultList) resultList->setGeometry(resultsPanel->contentsRect());
}

void MainWindow::createBanner() {
  QPalette palette = bannerPanel->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Base));
  bannerPanel->setPalette(palette);
  bannerPanel->setAutoFillBackground(true);

  bannerTitle = makeLabel(bannerPanel, "Find and remove broken shortcuts", 9, 6);
  bannerTitle->setFont(designFont("Tahoma", true));
  bannerTitle->adjustSize();
  scanHintLabel = makeLabel(bannerPanel,
                       "Select the folders you want to examine for broken shortcuts and press the Start Scan button.",
                       21, 24);
  deleteHintLabel = makeLabel(bannerPanel, "Review the search results and press Delete Orphans to remove them from the system.",
                       21, 40);

  logo = new StateImage(bannerPanel);
  logo->setPicture(logoImage());
  logo->move(528, 8);
  logo->setAutoSize(true);
  logo->setToolTip("Go to the Norvane web site");
  logo->setCursor(Qt::PointingHandCursor);
  anchors_.anchor(logo, Anchor::Right);
  createPrefixSelector();
}

void MainWindow::createOptions() {
  foldersGroup = new EtchedGroupBox(" Select folders to scan for orphaned shortcuts: ", optionsPanel);
  foldersGroup->setGeometry(8, 8, 281, 97);
  startMenuBox = makeCheckBox(foldersGroup, "Start menu", 16, 24, 97);
  desktopBox = makeCheckBox(foldersGroup, "Desktop", 16, 40, 97);
  favoritesBox = makeCheckBox(foldersGroup, "Favorites", 16, 56, 97);
  historyBox = makeCheckBox(foldersGroup, "History", 16, 72, 97);
  recentBox = makeCheckBox(foldersGroup, "Recent documents", 120, 24, 125);
  tempBox = makeCheckBox(foldersGroup, "Temp directory", 120, 40, 125);
  programFilesBox = makeCheckBox(foldersGroup, "Program files", 120, 56, 125);
  appDataBox = makeCheckBox(foldersGroup, "Application data", 120, 72, 125);

  targetsGroup = new EtchedGroupBox("Include shortcuts with broken links to: ", optionsPanel);
  targetsGroup->setGeometry(304, 8, 281, 97);
  removableDrivesBox = makeCheckBox(targetsGroup, "Files on removable drives", 16, 24, 200);
  removableDrivesBox->setToolTip("Include shortcut with targets on removable drives, like floppy disks.");
  networkDrivesBox = makeCheckBox(targetsGroup, "Files on a network", 16, 40, 200);
  networkDrivesBox->setToolTip("Include shortcut with targets on mapped network drives or with UNC paths.");
  cdRomDrivesBox = makeCheckBox(targetsGroup, "Files on CD-ROM drives", 16, 56, 200);
  cdRomDrivesBox->setToolTip("Include shortcut with targets on CD-ROM drives.");
  ramDrivesBox = makeCheckBox(targetsGroup, "Files on RAM disks", 16, 72, 200);
  ramDrivesBox->setToolTip("Include shortcut with targets on RAM disks.");
  anchors_.anchor(targetsGroup, Anchor::LeftRight);

  userFolderGroup = new EtchedGroupBox(" User defined search folder: ", optionsPanel);
  userFolderGroup->setGeometry(8, 112, 577, 49);
  userFolderEdit = new QLineEdit(userFolderGroup);
  userFolderEdit->setGeometry(16, 20, 509, 21);
  userFolderEdit->setToolTip("User defined search folder that will be searched for *.lnk files. Search includes subfolders.");
  browseButton = new QPushButton(".....", userFolderGroup);
  browseButton->setGeometry(536, 20, 25, 21);
  browseButton->setToolTip("Browse for a folder.");
  // Inner controls first: their margins are taken from the group box's design width.
  anchors_.anchor(userFolderEdit, Anchor::LeftRight);
  anchors_.anchor(browseButton, Anchor::Right);
  anchors_.anchor(userFolderGroup, Anchor::LeftRight);
}

void MainWindow::createResults() {
  resultList = new CheckListView(model_, resultsPanel);
  resultList->setGeometry(resultsPanel->contentsRect());
  resultList->setItemHeight(13);
  resultList->setMultiSelect(true);
  resultList->setToolTip("Use right mouse button for options");
  resultList->onExcludeRequested = [this](const std::vector<std::string>& paths) { excludePaths(paths); };
  resultList->onUndoRequested = [this] { onUndoClicked(); };
}

void MainWindow::createStatusLine() {
  statusLabel = makeLabel(statusPanel, "Idle.", 10, 7);
  statusLabel->setFont(designFont("MS Sans Serif", true));
  statusLabel->adjustSize();
}

void MainWindow::createButtons() {
  scanButton = makeButton(buttonPanel, "Start Scan", 16, 73, "Start searching for orphans in the selected folders");
  deleteButton = makeButton(buttonPanel, "Delete Orphans", 96, 89, "Delete the selected orphans from the file system");
  deleteButton->setEnabled(false);
  // In the free room between "Delete Orphans" and the right-hand buttons; nothing else moves.
  moveToTrashBox = makeCheckBox(buttonPanel, platform::kMoveToTrashCaption.data(), 196, 18, 136);
  moveToTrashBox->setChecked(true);
  moveToTrashBox->setToolTip(QStringLiteral("Deleted orphans can be restored with \"Undo last cleaning\""));
  updatesButton = makeButton(buttonPanel, "Check for updates", 336, 113, "Online check for new program versions");
  helpButton = makeButton(buttonPanel, "Help", 456, 57, "Link to the online help for this program");
  exitButton = makeButton(buttonPanel, "Exit", 520, 57, "Exit the application");
  QWidget* const rightAnchored[] = {updatesButton, helpButton, exitButton};
  for (QWidget* button : rightAnchored) anchors_.anchor(button, Anchor::Right);
}

// Panels in their tab order (results, buttons, options, status, banner), then the controls of
// each in theirs; disabled controls are skipped by Qt itself.
void MainWindow::setTabOrder() {
  QWidget* const chain[] = {resultList, scanButton,    deleteButton,    moveToTrashBox,    updatesButton,    helpButton, exitButton,
                            tempBox,        startMenuBox,  desktopBox,  favoritesBox,  historyBox, recentBox,
                            programFilesBox,        appDataBox,  cdRomDrivesBox, removableDrivesBox,  networkDrivesBox, ramDrivesBox,
                            browseButton,          userFolderEdit};
  for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
    QWidget::setTabOrder(chain[i], chain[i + 1]);
  // The banner comes last: its selector follows the user folder.
  if (prefixSelector) QWidget::setTabOrder(userFolderEdit, prefixSelector);
  QWidget* const unfocused[] = {bannerTitle, scanHintLabel, deleteHintLabel, statusLabel, logo};
  for (QWidget* control : unfocused) control->setFocusPolicy(Qt::NoFocus);
}

}  // namespace zendrift::app
