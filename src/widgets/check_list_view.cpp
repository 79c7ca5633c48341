// TJvxCheckListBox: construction, settings, geometry, scrolling and the answers to model changes.
#include "widgets/check_list_box.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "settings/ini_rec.h"
#include "widgets/check_images.h"

namespace zendrift::widgets {

using scan::CheckListChange;

TJvxCheckListBox::TJvxCheckListBox(QWidget* parent)
    : QAbstractScrollArea(parent), ownModel_(std::make_unique<scan::CheckListModel>()), model_(ownModel_.get()) {
  init();
}

TJvxCheckListBox::TJvxCheckListBox(scan::CheckListModel& model, QWidget* parent)
    : QAbstractScrollArea(parent), model_(&model) {
  init();
}

TJvxCheckListBox::~TJvxCheckListBox() {
  if (modelLifetime_.expired()) return;  // a form's members, the model among them, go first
  model_->removeObserver(observerId_);
  // A shared model must not call back into a measure that refers to this widget's font.
  if (!ownModel_) model_->SetLineWidthFunction({});
}

void TJvxCheckListBox::init() {
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  (void)checkImages();  // the shared bitmap is loaded with the first list
  modelLifetime_ = model_->lifetime();
  scrollBarTimer_ = new QTimer(this);
  scrollBarTimer_->setSingleShot(true);
  scrollBarTimer_->setInterval(30);
  connect(scrollBarTimer_, &QTimer::timeout, this, [this] { updateScrollBars(); });
  observerId_ = model_->addObserver([this](const CheckListChange& change) { onModelChange(change); });
  buildPopupMenu();
  updateLineHeight();
  measureLines();
  updateScrollBars();
}

void TJvxCheckListBox::buildPopupMenu() {
  popupMenu1_ = new QMenu(this);  // owned by the list through Qt's parent
  const auto add = [this](const char* name, const char* caption, auto handler) {
    QAction* action = popupMenu1_->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
  };
  add("Markall1", "Mark all", [this] { model_->Markall1Click(); });
  add("Unmarkall1", "Unmark all", [this] { model_->Unmarkall1Click(); });
  add("Markselection1", "Mark selection", [this] { model_->Markselection1Click(); });
  add("Unmarkselection1", "Unmark selection", [this] { model_->Unmarkselection1Click(); });
  add("Putselectionontheexcludelist1", "Put selection on the exclude list", [this] {
    if (excludeTarget_ != nullptr) model_->Putselectionontheexcludelist1Click(*excludeTarget_);
  });
}

int TJvxCheckListBox::CheckAreaWidth() noexcept { return kCheckCellWidth + 2; }

void TJvxCheckListBox::SetStyle(TListBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
}

void TJvxCheckListBox::SetMultiSelect(bool multiSelect) {
  if (multiSelect == multiSelect_) return;
  multiSelect_ = multiSelect;
  RecreateWnd();
}

void TJvxCheckListBox::SetExtendedSelect(bool extendedSelect) {
  if (extendedSelect == extendedSelect_) return;
  extendedSelect_ = extendedSelect;
  RecreateWnd();
}

void TJvxCheckListBox::SetGraySelection(bool gray) {
  if (gray == graySelection_) return;
  graySelection_ = gray;
  viewport()->update();
}

void TJvxCheckListBox::SetAutoScroll(bool autoScroll) {
  if (autoScroll == autoScroll_) return;
  autoScroll_ = autoScroll;
  updateScrollBars();
}

void TJvxCheckListBox::SetItemHeight(int height) {
  if (height <= 0 || height == itemHeight_) return;
  itemHeight_ = height;
  updateLineHeight();
}

void TJvxCheckListBox::SetThemedChecks(bool themed) {
  if (themed == themedChecks_) return;
  themedChecks_ = themed;
  cells_.clear();
  viewport()->update();
}

void TJvxCheckListBox::updateLineHeight() {
  int height = std::max(QFontMetrics(font()).height(), kCheckCellHeight);
  if (style_ == lbOwnerDrawFixed) height = std::max(height, itemHeight_);
  lineHeight_ = height;
  updateScrollBars();
  viewport()->update();
}

void TJvxCheckListBox::measureLines() {
  const QFontMetrics metrics(font());
  // A line needs its text and one "x" beside the check area.
  model_->SetLineWidthFunction([metrics](std::string_view text) {
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())) + QLatin1Char('x')) +
           CheckAreaWidth();
  });
}

int TJvxCheckListBox::visibleLineCount() const { return std::max(1, viewport()->height() / lineHeight_); }

void TJvxCheckListBox::scheduleScrollBars() {
  if (!scrollBarTimer_->isActive()) scrollBarTimer_->start();
}

void TJvxCheckListBox::flushScrollBars() const {
  if (scrollBarTimer_ != nullptr && scrollBarTimer_->isActive()) {
    scrollBarTimer_->stop();
    const_cast<TJvxCheckListBox*>(this)->updateScrollBars();
  }
}

void TJvxCheckListBox::updateScrollBars() {
  if (scrollBarTimer_ != nullptr) scrollBarTimer_->stop();
  const int count = model_->Items.Count();
  QScrollBar* vertical = verticalScrollBar();
  const int visible = visibleLineCount();
  vertical->setRange(0, std::max(0, count - visible));
  vertical->setPageStep(visible);
  vertical->setSingleStep(1);
  QScrollBar* horizontal = horizontalScrollBar();
  const int extent = autoScroll_ ? model_->HorizontalExtent() : 0;
  horizontal->setRange(0, std::max(0, extent - viewport()->width()));
  horizontal->setPageStep(std::max(1, viewport()->width()));
  horizontal->setSingleStep(8);
}

int TJvxCheckListBox::TopIndex() const { return verticalScrollBar()->value(); }

void TJvxCheckListBox::SetTopIndex(int index) {
  flushScrollBars();
  verticalScrollBar()->setValue(index);
}

QRect TJvxCheckListBox::ItemRect(int index) const {
  const int offset = horizontalScrollBar()->value();
  return QRect(-offset, (index - TopIndex()) * lineHeight_, viewport()->width() + offset, lineHeight_);
}

QRect TJvxCheckListBox::CheckAreaRect(int index) const {
  const QRect line = ItemRect(index);
  if (layoutDirection() == Qt::RightToLeft) {
    return QRect(line.left() + line.width() - CheckAreaWidth(), line.top(), CheckAreaWidth(), line.height());
  }
  return QRect(line.left(), line.top(), CheckAreaWidth(), line.height());
}

QRect TJvxCheckListBox::textPart(const QRect& line) const {
  if (layoutDirection() == Qt::RightToLeft) return line.adjusted(0, 0, -CheckAreaWidth(), 0);
  return line.adjusted(CheckAreaWidth(), 0, 0, 0);
}

int TJvxCheckListBox::ItemAtPoint(QPoint point, bool existingOnly) const {
  const int count = model_->Items.Count();
  if (!viewport()->rect().contains(point)) return existingOnly ? -1 : std::max(0, TopIndex());
  const int index = TopIndex() + point.y() / lineHeight_;
  if (index < count) return index;
  return existingOnly ? -1 : std::max(0, count - 1);
}

void TJvxCheckListBox::updateLine(int index) {
  const int top = TopIndex();
  if (index < top || index > top + visibleLineCount()) return;
  viewport()->update(ItemRect(index));
}

void TJvxCheckListBox::onModelChange(const CheckListChange& change) {
  switch (change.kind) {
    case CheckListChange::Kind::Inserted:
    case CheckListChange::Kind::Removed:
      // Lines below the visible part change nothing on screen but the scroll bar's range.
      if (change.index <= TopIndex() + visibleLineCount()) {
        updateScrollBars();
        viewport()->update();
      } else {
        scheduleScrollBars();
      }
      if (change.kind == CheckListChange::Kind::Removed && anchor_ >= model_->Items.Count()) anchor_ = model_->Items.Count() - 1;
      break;
    case CheckListChange::Kind::Cleared:
      anchor_ = -1;
      updateScrollBars();
      viewport()->update();
      break;
    case CheckListChange::Kind::CheckArea: {
      const int top = TopIndex();
      if (change.index >= top && change.index <= top + visibleLineCount()) viewport()->update(CheckAreaRect(change.index));
      break;
    }
    case CheckListChange::Kind::Line:
      updateLine(change.index);
      break;
    case CheckListChange::Kind::Lines:
      viewport()->update();
      break;
    case CheckListChange::Kind::Extent:
      updateScrollBars();
      if (change.scrollHome) horizontalScrollBar()->setValue(0);
      break;
  }
}

void TJvxCheckListBox::RecreateWnd() {
  const int top = TopIndex();
  const int current = model_->ItemIndex();
  updateLineHeight();
  measureLines();
  updateScrollBars();
  SetTopIndex(top);
  if (!multiSelect_ && current >= 0) model_->SelectOnlyRange(current, current);
  viewport()->update();
}

void TJvxCheckListBox::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    texts_.clear();
    updateLineHeight();
    measureLines();
  } else if (event->type() == QEvent::LayoutDirectionChange || event->type() == QEvent::PaletteChange ||
             event->type() == QEvent::EnabledChange || event->type() == QEvent::StyleChange) {
    cells_.clear();
    viewport()->update();
  }
}

bool TJvxCheckListBox::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
  // A line's hint says, for instance, why its shortcut could not be deleted.
  const auto* help = static_cast<QHelpEvent*>(event);
  const int index = ItemAtPoint(help->pos(), true);
  const std::string hint = index >= 0 ? model_->ItemHint(index) : std::string();
  if (hint.empty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(help->globalPos(), QString::fromStdString(hint), viewport());
  }
  return true;
}

void TJvxCheckListBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void TJvxCheckListBox::scrollContentsBy(int, int) { viewport()->update(); }

void TJvxCheckListBox::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TJvxCheckListBox::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

QSize TJvxCheckListBox::sizeHint() const { return QSize(121, 97); }

}  // namespace zendrift::widgets
