// StyledButton and StyledButton: the styled push button of the window's button panel.
//
// The face, pressed face and the two rings are gradients rebuilt at every size change and never
// while painting; a paint only copies them, draws the border and the caption, into an
// off-screen image that then goes to the screen in one piece.
#pragma once

#include <QImage>
#include <QPointer>
#include <optional>

#include "gui/qt/widgets/themed_control.h"

class QAction;

namespace zendrift::widgets {

enum GlyphLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class StyledButton : public ThemedControl {
  Q_OBJECT

 public:
  // The button's colours.
  static constexpr QRgb kFaceTop = 0xFFFFFFFF, kFaceBottom = 0xFFEFEBE7;
  static constexpr QRgb kPressedTop = 0xFFD6CFC6, kPressedBottom = 0xFFF7F3EB;
  static constexpr QRgb kFocusTop = 0xFFCEE7FF, kFocusBottom = 0xFF6D84EF;
  static constexpr QRgb kHotTop = 0xFFFFF3CE, kHotBottom = 0xFFE79600;
  static constexpr QRgb kBorder = 0xFF003873, kBorderDisabled = 0xFFCEC7BD;
  static constexpr QRgb kCorner = 0xFF7B9EAD, kCornerDisabled = 0xFFCEC7BD;

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
  GlyphLayout glyphLayout() const noexcept { return layout_; }
  void setGlyphLayout(GlyphLayout layout);
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
  void paintButton(QPainter& painter);
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
  GlyphLayout layout_ = blGlyphLeft;
  bool showAccelChar_ = true;
  bool showFocusRect_ = false;
  bool smoothEdges_ = true;
  quint8 spacing_ = 3;
  bool wordWrap_ = true;
  QPointer<QAction> action_;
  QPointer<QWidget> watchedWindow_;
  int shortcutId_ = 0;
  QImage face_, pressedFace_, focusRing_, hotRing_;
  QImage canvas_;
  int gradientBuilds_ = 0;

  // Everything the caption's and glyph's placement depends on; a paint with the same inputs
  // reuses the prepared caption image instead of laying the text out again.
  struct CaptionKey {
    QString caption;
    QFont font;
    QSize size;
    QRgb text = 0, light = 0, dark = 0;
    qint64 glyph = 0;
    bool enabled = true, wordWrap = true, showAccelChar = true, autoGray = true;
    GlyphLayout layout = blGlyphLeft;
    quint8 spacing = 0;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    bool operator==(const CaptionKey&) const = default;
  };
  CaptionKey captionKey() const;
  void prepareCaption(const CaptionKey& key);

  std::optional<CaptionKey> preparedKey_;
  QImage captionLayer_;  // the caption where an unpressed paint puts it, on transparent
  QImage shownGlyph_;    // the glyph, grey if need be, its background made transparent
  QPoint glyphAt_;
  int captionLayouts_ = 0;

 public:
  // How many times the caption has been laid out.
  int captionLayouts() const noexcept { return captionLayouts_; }
};

}  // namespace zendrift::widgets
