// The main window's composition: panels, controls, captions, hints, fonts, geometry and the
// keyboard order, laid out in pixels for a 96-dpi screen.
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <qdrawutil.h>

#include "app/form1.h"
#include "app/logo.h"

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

TJvXPButton* makeButton(QWidget* parent, const char* caption, int left, int width, const char* hint) {
  auto* button = new TJvXPButton(parent);
  button->SetCaption(QString::fromUtf8(caption));
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

void TForm1::createControls() {
  installFontSubstitutes();
  setWindowTitle("Zendrift");
  setFont(designFont("MS Sans Serif", false));
  setAutoFillBackground(true);
  resize(kDesignBounds.Width - kDesignFrameWidth, kDesignBounds.Height - kDesignFrameHeight);
  setMinimumSize(kMinWidth - kDesignFrameWidth, kMinHeight - kDesignFrameHeight);
  move(kDesignBounds.Left, kDesignBounds.Top);

  // Created in tab order so that the default focus chain already runs the right way.
  Panel1 = makePanel(this, true);
  Panel2 = makePanel(this, true);
  Panel3 = makePanel(this, false);
  Panel4 = makePanel(this, true);
  panTop = makePanel(this, true);
  alignPanels();

  createResults();
  createButtons();
  createOptions();
  createStatusLine();
  createBanner();
  setTabOrder();
}

// Two panels stack down from the top, two up from the bottom; the result panel takes the rest.
void TForm1::alignPanels() {
  if (!panTop) return;
  const int w = width();
  const int h = height();
  panTop->setGeometry(0, 0, w, 65);
  Panel3->setGeometry(0, 65, w, 169);
  Panel2->setGeometry(0, h - 43, w, 43);
  Panel4->setGeometry(0, h - 43 - 27, w, 27);
  Panel1->setGeometry(0, 65 + 169, w, std::max(0, h - 65 - 169 - 43 - 27));
  if (JvxCheckListBox1) JvxCheckListBox1->setGeometry(Panel1->contentsRect());
}

void TForm1::createBanner() {
  QPalette palette = panTop->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Base));
  panTop->setPalette(palette);
  panTop->setAutoFillBackground(true);

  hlpTitle = makeLabel(panTop, "Find and remove broken shortcuts", 9, 6);
  hlpTitle->setFont(designFont("Tahoma", true));
  hlpTitle->adjustSize();
  hlpLine1 = makeLabel(panTop,
                       "Select the folders you want to examine for broken shortcuts and press the Start Scan button.",
                       21, 24);
  hlpLine2 = makeLabel(panTop, "Review the search results and press Delete Orphans to remove them from the system.",
                       21, 40);

  JvImage1 = new TJvImage(panTop);
  JvImage1->SetPicture(LogoImage());
  JvImage1->move(528, 8);
  JvImage1->SetAutoSize(true);
  JvImage1->setToolTip("Go to the Norvane web site");
  JvImage1->setCursor(Qt::PointingHandCursor);
  anchors_.anchor(JvImage1, Anchor::Right);
}

void TForm1::createOptions() {
  GroupBox1 = new EtchedGroupBox(" Select folders to scan for orphaned shortcuts: ", Panel3);
  GroupBox1->setGeometry(8, 8, 281, 97);
  CheckBox1 = makeCheckBox(GroupBox1, "Start menu", 16, 24, 97);
  CheckBox2 = makeCheckBox(GroupBox1, "Desktop", 16, 40, 97);
  CheckBox3 = makeCheckBox(GroupBox1, "Favorites", 16, 56, 97);
  CheckBox4 = makeCheckBox(GroupBox1, "History", 16, 72, 97);
  CheckBox8 = makeCheckBox(GroupBox1, "Recent documents", 120, 24, 125);
  CheckBox6 = makeCheckBox(GroupBox1, "Temp directory", 120, 40, 125);
  CheckBox5 = makeCheckBox(GroupBox1, "Program files", 120, 56, 125);
  CheckBox7 = makeCheckBox(GroupBox1, "Application data", 120, 72, 125);

  GroupBox2 = new EtchedGroupBox("Include shortcuts with broken links to: ", Panel3);
  GroupBox2->setGeometry(304, 8, 281, 97);
  CheckBox9 = makeCheckBox(GroupBox2, "Files on removable drives", 16, 24, 200);
  CheckBox9->setToolTip("Include shortcut with targets on removable drives, like floppy disks.");
  CheckBox10 = makeCheckBox(GroupBox2, "Files on a network", 16, 40, 200);
  CheckBox10->setToolTip("Include shortcut with targets on mapped network drives or with UNC paths.");
  CheckBox11 = makeCheckBox(GroupBox2, "Files on CD-ROM drives", 16, 56, 200);
  CheckBox11->setToolTip("Include shortcut with targets on CD-ROM drives.");
  CheckBox12 = makeCheckBox(GroupBox2, "Files on RAM disks", 16, 72, 200);
  CheckBox12->setToolTip("Include shortcut with targets on RAM disks.");
  anchors_.anchor(GroupBox2, Anchor::LeftRight);

  GroupBox3 = new EtchedGroupBox(" User defined search folder: ", Panel3);
  GroupBox3->setGeometry(8, 112, 577, 49);
  Edit1 = new QLineEdit(GroupBox3);
  Edit1->setGeometry(16, 20, 509, 21);
  Edit1->setToolTip("User defined search folder that will be searched for *.lnk files. Search includes subfolders.");
  Button3 = new QPushButton(".....", GroupBox3);
  Button3->setGeometry(536, 20, 25, 21);
  Button3->setToolTip("Browse for a folder.");
  // Inner controls first: their margins are taken from the group box's design width.
  anchors_.anchor(Edit1, Anchor::LeftRight);
  anchors_.anchor(Button3, Anchor::Right);
  anchors_.anchor(GroupBox3, Anchor::LeftRight);
}

void TForm1::createResults() {
  JvxCheckListBox1 = new TJvxCheckListBox(model_, Panel1);
  JvxCheckListBox1->setGeometry(Panel1->contentsRect());
  JvxCheckListBox1->SetItemHeight(13);
  JvxCheckListBox1->SetMultiSelect(true);
  JvxCheckListBox1->setToolTip("Use right mouse button for options");
  JvxCheckListBox1->SetExcludeListTarget(&options_);
}

void TForm1::createStatusLine() {
  Label1 = makeLabel(Panel4, "Idle.", 10, 7);
  Label1->setFont(designFont("MS Sans Serif", true));
  Label1->adjustSize();
}

void TForm1::createButtons() {
  Button1 = makeButton(Panel2, "Start Scan", 16, 73, "Start searching for orphans in the selected folders");
  Button2 = makeButton(Panel2, "Delete Orphans", 96, 89, "Delete the selected orphans from the file system");
  Button2->setEnabled(false);
  Button6 = makeButton(Panel2, "Check for updates", 336, 113, "Online check for new program versions");
  Button4 = makeButton(Panel2, "Help", 456, 57, "Link to the online help for this program");
  Button5 = makeButton(Panel2, "Exit", 520, 57, "Exit the application");
  QWidget* const rightAnchored[] = {Button6, Button4, Button5};
  for (QWidget* button : rightAnchored) anchors_.anchor(button, Anchor::Right);
}

// Panels in their tab order (results, buttons, options, status, banner), then the controls of
// each in theirs; disabled controls are skipped by Qt itself.
void TForm1::setTabOrder() {
  QWidget* const chain[] = {JvxCheckListBox1, Button1,    Button2,    Button6,    Button4, Button5,
                            CheckBox6,        CheckBox1,  CheckBox2,  CheckBox3,  CheckBox4, CheckBox8,
                            CheckBox5,        CheckBox7,  CheckBox11, CheckBox9,  CheckBox10, CheckBox12,
                            Button3,          Edit1};
  for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
    QWidget::setTabOrder(chain[i], chain[i + 1]);
  QWidget* const unfocused[] = {hlpTitle, hlpLine1, hlpLine2, Label1, JvImage1};
  for (QWidget* control : unfocused) control->setFocusPolicy(Qt::NoFocus);
}

}  // namespace zendrift::app
