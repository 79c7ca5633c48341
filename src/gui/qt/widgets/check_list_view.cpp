// CheckListView: construction, settings, geometry, scrolling and the answers to model changes.
#include "gui/qt/widgets/check_list_view.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "gui/qt/widgets/check_images.h"

namespace zendrift::qt::widgets {

using ui::CheckListChange;

CheckListView::CheckListView(QWidget* parent)
    : QAbstractScrollArea(parent), ownModel_(std::make_unique<ui::CheckListModel>()), model_(ownModel_.get()) {
  init();
}

CheckListView::CheckListView(ui::CheckListModel& model, QWidget* parent)
    : QAbstractScrollArea(parent), model_(&model) {
  init();
}

CheckListView::~CheckListView() {
  if (modelLifetime_.expired()) return;  // a form's members, the model among them, go first
  model_->removeObserver(observerId_);
  // A shared model must not call back into a measure that refers to this widget's font.
  if (!ownModel_) model_->setLineWidthFunction({});
}

void CheckListView::init() {
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

void CheckListView::buildPopupMenu() {
  contextMenu_ = new QMenu(this);  // owned by the list through Qt's parent
  const auto add = [this](const char* name, const char* caption, auto handler) {
    QAction* action = contextMenu_->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
  };
  add("Markall1", "Mark all", [this] { model_->markAll(); });
  add("Unmarkall1", "Unmark all", [this] { model_->unmarkAll(); });
  add("Markselection1", "Mark selection", [this] { model_->markSelection(); });
  add("Unmarkselection1", "Unmark selection", [this] { model_->unmarkSelection(); });
  add("Putselectionontheexcludelist1", "Put selection on the exclude list", [this] {
    if (onExcludeRequested) onExcludeRequested(model_->excludeSelection());
  });
  contextMenu_->addSeparator();
  add("Undolastcleaning1", "Undo last cleaning", [this] {
    if (onUndoRequested) onUndoRequested();
  });
}

int CheckListView::checkAreaWidth() noexcept { return ui::kCheckAreaWidth; }

void CheckListView::setListStyle(ListStyle style) {
  if (style == style_) return;
  style_ = style;
  recreateWnd();
}

void CheckListView::setMultiSelect(bool multiSelect) {
  if (multiSelect == multiSelect_) return;
  multiSelect_ = multiSelect;
  recreateWnd();
}

void CheckListView::setExtendedSelect(bool extendedSelect) {
  if (extendedSelect == extendedSelect_) return;
  extendedSelect_ = extendedSelect;
  recreateWnd();
}

void CheckListView::setGraySelection(bool gray) {
  if (gray == graySelection_) return;
  graySelection_ = gray;
  viewport()->update();
}

void CheckListView::setAutoScroll(bool autoScroll) {
  if (autoScroll == autoScroll_) return;
  autoScroll_ = autoScroll;
  updateScrollBars();
}

void CheckListView::setItemHeight(int height) {
  if (height <= 0 || height == itemHeight_) return;
  itemHeight_ = height;
  updateLineHeight();
}

void CheckListView::setThemedChecks(bool themed) {
  if (themed == themedChecks_) return;
  themedChecks_ = themed;
  cells_.clear();
  viewport()->update();
}

void CheckListView::updateLineHeight() {
  int height = std::max(QFontMetrics(font()).height(), kCheckCellHeight);
  if (style_ == ListStyle::ownerDrawFixed) height = std::max(height, itemHeight_);
  lineHeight_ = height;
  updateScrollBars();
  viewport()->update();
}

void CheckListView::measureLines() {
  const QFontMetrics metrics(font());
  // A line needs its text and one "x" beside the check area.
  model_->setLineWidthFunction([metrics](std::string_view text) {
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())) + QLatin1Char('x')) +
           checkAreaWidth();
  });
}

int CheckListView::visibleLineCount() const { return std::max(1, viewport()->height() / lineHeight_); }

void CheckListView::scheduleScrollBars() {
  if (!scrollBarTimer_->isActive()) scrollBarTimer_->start();
}

void CheckListView::flushScrollBars() const {
  if (scrollBarTimer_ != nullptr && scrollBarTimer_->isActive()) {
    scrollBarTimer_->stop();
    const_cast<CheckListView*>(this)->updateScrollBars();
  }
}

void CheckListView::updateScrollBars() {
  if (scrollBarTimer_ != nullptr) scrollBarTimer_->stop();
  const int count = model_->items.count();
  QScrollBar* vertical = verticalScrollBar();
  const int visible = visibleLineCount();
  vertical->setRange(0, std::max(0, count - visible));
  vertical->setPageStep(visible);
  vertical->setSingleStep(1);
  QScrollBar* horizontal = horizontalScrollBar();
  const int extent = autoScroll_ ? model_->horizontalExtent() : 0;
  horizontal->setRange(0, std::max(0, extent - viewport()->width()));
  horizontal->setPageStep(std::max(1, viewport()->width()));
  horizontal->setSingleStep(8);
}

int CheckListView::topIndex() const { return verticalScrollBar()->value(); }

void CheckListView::setTopIndex(int index) {
  flushScrollBars();
  verticalScrollBar()->setValue(index);
}

QRect CheckListView::itemRect(int index) const {
  const int offset = horizontalScrollBar()->value();
  return QRect(-offset, (index - topIndex()) * lineHeight_, viewport()->width() + offset, lineHeight_);
}

QRect CheckListView::checkAreaRect(int index) const {
  const QRect line = itemRect(index);
  if (layoutDirection() == Qt::RightToLeft) {
    return QRect(line.left() + line.width() - checkAreaWidth(), line.top(), checkAreaWidth(), line.height());
  }
  return QRect(line.left(), line.top(), checkAreaWidth(), line.height());
}

QRect CheckListView::textPart(const QRect& line) const {
  if (layoutDirection() == Qt::RightToLeft) return line.adjusted(0, 0, -checkAreaWidth(), 0);
  return line.adjusted(checkAreaWidth(), 0, 0, 0);
}

int CheckListView::itemAtPoint(QPoint point, bool existingOnly) const {
  const int count = model_->items.count();
  if (!viewport()->rect().contains(point)) return existingOnly ? -1 : std::max(0, topIndex());
  const int index = topIndex() + point.y() / lineHeight_;
  if (index < count) return index;
  return existingOnly ? -1 : std::max(0, count - 1);
}

void CheckListView::updateLine(int index) {
  const int top = topIndex();
  if (index < top || index > top + visibleLineCount()) return;
  viewport()->update(itemRect(index));
}

void CheckListView::onModelChange(const CheckListChange& change) {
  switch (change.kind) {
    case CheckListChange::Kind::Inserted:
    case CheckListChange::Kind::Removed:
      // Lines below the visible part change nothing on screen but the scroll bar's range.
      if (change.index <= topIndex() + visibleLineCount()) {
        updateScrollBars();
        viewport()->update();
      } else {
        scheduleScrollBars();
      }
      if (change.kind == CheckListChange::Kind::Removed && anchor_ >= model_->items.count()) anchor_ = model_->items.count() - 1;
      break;
    case CheckListChange::Kind::Cleared:
      anchor_ = -1;
      updateScrollBars();
      viewport()->update();
      break;
    case CheckListChange::Kind::CheckArea: {
      const int top = topIndex();
      if (change.index >= top && change.index <= top + visibleLineCount()) viewport()->update(checkAreaRect(change.index));
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

void CheckListView::recreateWnd() {
  const int top = topIndex();
  const int current = model_->itemIndex();
  updateLineHeight();
  measureLines();
  updateScrollBars();
  setTopIndex(top);
  if (!multiSelect_ && current >= 0) model_->selectOnlyRange(current, current);
  viewport()->update();
}

void CheckListView::changeEvent(QEvent* event) {
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

bool CheckListView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
  // A line's hint says, for instance, why its shortcut could not be deleted.
  const auto* help = static_cast<QHelpEvent*>(event);
  const int index = itemAtPoint(help->pos(), true);
  const std::string hint = index >= 0 ? model_->itemHint(index) : std::string();
  if (hint.empty()) {
    QToolTip::hideText();
  } else {
    // Shown as plain text: a stored target may hold "<b>", which Qt would otherwise take for markup.
    const QString text = "<p style='white-space:pre'>" + QString::fromStdString(hint).toHtmlEscaped() + "</p>";
    QToolTip::showText(help->globalPos(), text, viewport());
  }
  return true;
}

void CheckListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void CheckListView::scrollContentsBy(int, int) { viewport()->update(); }

void CheckListView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void CheckListView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

QSize CheckListView::sizeHint() const { return QSize(121, 97); }

}  // namespace zendrift::qt::widgets
