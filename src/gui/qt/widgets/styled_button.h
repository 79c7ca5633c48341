// StyledButton: the styled push button of the window's button panel, on Qt.
//
// The face, pressed face and the two rings are gradients rebuilt at every size change and never
// while painting; a paint (ui/button_paint, through a QtPainter) only copies them, draws the
// border and the caption, into an off-screen image that then goes to the screen in one piece.
#pragma once

#include <QImage>
#include <QPointer>
#include <optional>

#include "gui/qt/widgets/styled_control.h"
#include "gui/qt/widgets/qt_painter.h"
#include "ui/button_paint.h"

class QAction;

namespace zendrift::qt::widgets {

class StyledButton : public StyledControl {
  Q_OBJECT

 public:
  // The button's colours.
  static constexpr QRgb kFaceTop = ui::kFaceTop.argb, kFaceBottom = ui::kFaceBottom.argb;
  static constexpr QRgb kPressedTop = ui::kPressedTop.argb, kPressedBottom = ui::kPressedBottom.argb;
  static constexpr QRgb kFocusTop = ui::kFocusTop.argb, kFocusBottom = ui::kFocusBottom.argb;
  static constexpr QRgb kHotTop = ui::kHotTop.argb, kHotBottom = ui::kHotBottom.argb;
  static constexpr QRgb kBorder = ui::kBorder.argb, kBorderDisabled = ui::kBorderDisabled.argb;
  static constexpr QRgb kCorner = ui::kCorner.argb, kCornerDisabled = ui::kCornerDisabled.argb;

  explicit StyledButton(QWidget* parent = nullptr);
  ~StyledButton() override;

  bool autoGray() const noexcept { return autoGray_; }
  void setAutoGray(bool value);
  bool isCancel() const noexcept { return cancel_; }
  void setCancel(bool value);
  bool isDefault() const noexcept { return default_; }
  // Tells every styled control of the window that the focus moved, so the ring follows at once.
  void setDefault(bool value);
  const QImage& glyph() const noexcept { return glyph_; }
  void setGlyph(const QImage& glyph);
  ui::GlyphLayout glyphLayout() const noexcept { return layout_; }
  void setGlyphLayout(ui::GlyphLayout layout);
  bool showAccelChar() const noexcept { return showAccelChar_; }
  void setShowAccelChar(bool value);
  bool showFocusRect() const noexcept { return showFocusRect_; }
  void setShowFocusRect(bool value);
  bool smoothEdges() const noexcept { return smoothEdges_; }
  void setSmoothEdges(bool value);
  quint8 spacing() const noexcept { return spacing_; }
  void setSpacing(quint8 value);
  bool wordWrap() const noexcept { return wordWrap_; }
  void setWordWrap(bool value);
  bool tabStop() const noexcept { return focusPolicy() == Qt::StrongFocus; }
  void setTabStop(bool value);
  // An action gives the caption, the enabled state and the glyph (its icon), and is triggered by
  // each click.
  QAction* action() const noexcept { return action_; }
  void setAction(QAction* action);

  // Whether the coloured ring shows: pressed and dragged off, or hot, or focused; unless the
  // default is ignored, also for a default button while no styled control is active.
  bool ringShown(bool ignoreDefault) const;
  // What a paint reads of the button's state.
  ui::ButtonStatus status() const;

  // The prepared gradients, for a look at what a paint copies.
  const QImage& faceBitmap() const noexcept { return face_; }
  const QImage& pressedFaceBitmap() const noexcept { return pressedFace_; }
  const QImage& focusRingBitmap() const noexcept { return focusRing_; }
  const QImage& hotRingBitmap() const noexcept { return hotRing_; }
  // How many times the gradients have been built.
  int gradientBuilds() const noexcept { return gradientBuilds_; }

  void click() override;
  QSize sizeHint() const override { return QSize(73, 21); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;
  void captionChanged() override { updateAccelerator(); }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void rebuildGradients();

  QImage currentGlyph() const;
  void updateAccelerator();
  void watchWindow();
  // Enter or Escape offered by the window; true when it clicked.
  bool dialogKey(int key, Qt::KeyboardModifiers modifiers);
  void changed() { requestRepaint(); }

  bool autoGray_ = true;
  bool cancel_ = false;
  bool default_ = false;
  QImage glyph_;
  ui::GlyphLayout layout_ = ui::GlyphLayout::left;
  bool showAccelChar_ = true;
  bool showFocusRect_ = false;
  bool smoothEdges_ = true;
  quint8 spacing_ = 3;
  bool wordWrap_ = true;
  QPointer<QAction> action_;
  QPointer<QWidget> watchedWindow_;
  int shortcutId_ = 0;
  ui::ButtonGradients gradients_;
  QImage face_, pressedFace_, focusRing_, hotRing_;  // views of gradients_
  QImage canvas_;
  int gradientBuilds_ = 0;

  // Everything the caption's and glyph's placement depends on; a paint with the same inputs
  // reuses the placement instead of measuring the text again.
  struct CaptionKey {
    QString caption;
    QFont font;
    QSize size;
    qint64 glyph = 0;
    bool enabled = true, wordWrap = true, showAccelChar = true, autoGray = true;
    ui::GlyphLayout layout = ui::GlyphLayout::left;
    quint8 spacing = 0;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    bool operator==(const CaptionKey&) const = default;
  };
  CaptionKey captionKey() const;
  void prepareCaption(const CaptionKey& key, ui::Painter& painter);

  std::optional<CaptionKey> preparedKey_;
  ui::ButtonCaption caption_;
  ui::CaptionPlacement placement_;
  ui::Image shownGlyph_;  // the glyph, grey if need be, its background made transparent
  TextCache captionTexts_;
  int captionLayouts_ = 0;

 public:
  // How many times the caption has been laid out.
  int captionLayouts() const noexcept { return captionLayouts_; }
};

}  // namespace zendrift::qt::widgets
