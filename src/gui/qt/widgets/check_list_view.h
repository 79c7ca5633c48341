// CheckListView: the result list on screen, drawing and editing a ui::CheckListModel.
//
// Every line is drawn by us: a check area of checkAreaWidth pixels at the left (at the right for
// right-to-left reading) with the line's cell centred in it, then the text. The model holds the
// lines, marks and selection; this widget turns mouse and keys into model calls and repaints
// what the model says changed. Lines outside the visible part cost nothing to add.
#pragma once

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QMenu>
#include <QStaticText>
#include <QTimer>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/check_list_model.h"

namespace zendrift::qt::widgets {

enum class ListStyle { standard, ownerDrawFixed, ownerDrawVariable };

class CheckListView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // A list with a model of its own.
  explicit CheckListView(QWidget* parent = nullptr);
  // A list showing `model`, which must outlive it.
  explicit CheckListView(ui::CheckListModel& model, QWidget* parent = nullptr);
  ~CheckListView() override;

  ui::CheckListModel& model() noexcept { return *model_; }
  const ui::CheckListModel& model() const noexcept { return *model_; }

  // The check kind lives in the model; these pass through and repaint.
  ui::CheckKind checkKind() const noexcept { return model_->checkKind(); }
  void setCheckKind(ui::CheckKind kind) { model_->setCheckKind(kind); }

  // The cell width plus 2: 18 pixels.
  static int checkAreaWidth() noexcept;

  ListStyle listStyle() const noexcept { return style_; }
  void setListStyle(ListStyle style);
  bool multiSelect() const noexcept { return multiSelect_; }
  void setMultiSelect(bool multiSelect);
  bool extendedSelect() const noexcept { return extendedSelect_; }
  void setExtendedSelect(bool extendedSelect);
  bool graySelection() const noexcept { return graySelection_; }
  void setGraySelection(bool gray);
  bool autoScroll() const noexcept { return autoScroll_; }
  void setAutoScroll(bool autoScroll);
  // The height of every line (the larger of the text height and the cell height).
  int itemHeight() const noexcept { return lineHeight_; }
  // The height asked for; a lower bound of the line height with ListStyle::ownerDrawFixed.
  void setItemHeight(int height);
  // Draw check boxes with the widget style rather than the cell bitmap.
  bool themedChecks() const noexcept { return themedChecks_; }
  void setThemedChecks(bool themed);

  int topIndex() const;
  void setTopIndex(int index);
  // Which line is at `point` (viewport coordinates): with existingOnly, -1 when none is.
  int itemAtPoint(QPoint point, bool existingOnly) const;
  // The rectangle of line `index` in viewport coordinates (horizontal scrolling applied).
  QRect itemRect(int index) const;
  QRect checkAreaRect(int index) const;
  bool isItemSelected(int index) const { return model_->isItemSelected(index); }

  // Throws the window away and builds it again; lines and marks stay, the top line and the
  // current line are restored, and a single-selection list selects its current line again.
  void recreateWnd();

  // The context menu and its commands. The exclude-list command unmarks the selected lines and
  // hands their paths to onExcludeRequested; "Undo last cleaning" calls onUndoRequested. Each
  // does nothing while its handler is unbound.
  QMenu* contextMenu() noexcept { return contextMenu_; }
  std::function<void(const std::vector<std::string>& paths)> onExcludeRequested;
  std::function<void()> onUndoRequested;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void init();
  void buildPopupMenu();
  void onModelChange(const ui::CheckListChange& change);
  void updateLineHeight();
  void updateScrollBars();
  // Lines added or removed out of sight move the scroll bars a little later, once for many.
  void scheduleScrollBars();
  void flushScrollBars() const;
  const QImage& cachedCell(ui::CheckKind kind, ui::CheckState state, bool enabled);
  // The laid-out text of line `index` in `width` pixels.
  const QStaticText& cachedText(int index, int width);
  void updateLine(int index);
  int visibleLineCount() const;
  void drawItem(QPainter& painter, int index, const QRect& rect);
  void drawCheck(QPainter& painter, int index, const QRect& cell);
  QRect textPart(const QRect& line) const;
  void measureLines();

  // Selection moves: a click or a key moving to `index` with the given modifiers.
  void selectTo(int index, Qt::KeyboardModifiers modifiers);
  void moveFocusBy(int delta, Qt::KeyboardModifiers modifiers);
  void ensureVisible(int index);
  bool searchFirstLetter(const QString& text);

  std::unique_ptr<ui::CheckListModel> ownModel_;
  ui::CheckListModel* model_ = nullptr;
  std::weak_ptr<const void> modelLifetime_;
  int observerId_ = 0;
  ListStyle style_ = ListStyle::standard;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  bool graySelection_ = false;
  bool autoScroll_ = true;
  bool themedChecks_ = true;
  int itemHeight_ = 16;
  int lineHeight_ = 16;
  int anchor_ = -1;
  bool dragSelecting_ = false;
  QMenu* contextMenu_ = nullptr;
  QTimer* scrollBarTimer_ = nullptr;
  QHash<unsigned, QImage> cells_;             // drawn cells by kind, state and enabled
  QHash<QString, QStaticText> texts_;         // laid-out texts of recently painted lines
};

}  // namespace zendrift::qt::widgets
