// TJvXPCustomControl: the base of the styled controls; draw state, notifications and click.
//
// The draw state (hot, pressed, focused) follows the pointer, the left button and the focus.
// Each notification changes that state and then repaints only if it is in the redraw set, so a
// move of the pointer inside the control costs no paint at all.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

namespace zendrift::widgets {

enum TJvXPDrawStateFlag : unsigned { dsHot = 1u, dsPressed = 2u, dsFocused = 4u };
using TJvXPDrawState = unsigned;

enum class TJvXPNotification : unsigned {
  CaptionChanged,
  EnabledChanged,
  FocusChanged,
  MouseDown,
  MouseEnter,
  MouseLeave,
  MouseUp,
  ParentColorChanged,
  BorderChanged,
  MouseMove,
  ParentFontChanged,
  PositionChanged,
  SizeChanged,
};
using TJvXPRedrawSet = std::uint32_t;

constexpr TJvXPRedrawSet redrawBit(TJvXPNotification n) noexcept { return 1u << static_cast<unsigned>(n); }

inline constexpr TJvXPRedrawSet kDefaultRedrawSet =
    redrawBit(TJvXPNotification::CaptionChanged) | redrawBit(TJvXPNotification::EnabledChanged) |
    redrawBit(TJvXPNotification::FocusChanged) | redrawBit(TJvXPNotification::MouseDown) |
    redrawBit(TJvXPNotification::MouseEnter) | redrawBit(TJvXPNotification::MouseLeave) |
    redrawBit(TJvXPNotification::MouseUp) | redrawBit(TJvXPNotification::ParentColorChanged);

class TJvXPCustomControl : public QWidget {
  Q_OBJECT

 public:
  using NotifyEvent = std::function<void(TJvXPCustomControl& sender)>;

  explicit TJvXPCustomControl(QWidget* parent = nullptr);
  ~TJvXPCustomControl() override;

  TJvXPDrawState DrawState() const noexcept { return drawState_; }
  bool IsHot() const noexcept { return (drawState_ & dsHot) != 0; }
  bool IsPressed() const noexcept { return (drawState_ & dsPressed) != 0; }
  bool IsFocused() const noexcept { return (drawState_ & dsFocused) != 0; }
  // True while the form's active control is itself a styled control.
  bool IsSibling() const noexcept { return sibling_; }
  // Whether the pointer was last seen over the control.
  bool PointerOver() const noexcept { return pointerOver_; }

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  int ModalResult() const noexcept { return modalResult_; }
  void SetModalResult(int result) noexcept { modalResult_ = result; }
  TJvXPRedrawSet RedrawSet() const noexcept { return redrawSet_; }
  void SetRedrawSet(TJvXPRedrawSet set) noexcept { redrawSet_ = set; }
  // While locked, repaint requests are dropped; unlocking repaints once.
  bool LockUpdate() const noexcept { return lockUpdate_; }
  void SetLockUpdate(bool lock);
  bool CanFocus() const;

  // Sets the form's "ModalResult" property to ModalResult, then raises OnClick and clicked().
  virtual void Click();

  // The pointer-entered notification; another control runs it on the one the pointer rests on.
  void NotifyMouseEnter();
  // The form tells each control that the focus moved.
  void NotifyFocusMoved();

  NotifyEvent OnClick;
  NotifyEvent OnMouseEnter;
  NotifyEvent OnMouseLeave;

 Q_SIGNALS:
  void clicked();

 protected:
  void notify(TJvXPNotification notification);
  void requestRepaint();
  // Called after the caption changed, before the repaint.
  virtual void captionChanged() {}
  void setDrawFlag(TJvXPDrawStateFlag flag, bool on);
  // The left-button press (also what the space bar does on a button): focus, then pressed.
  void pressDown();
  void NotifyMouseLeave();

  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TJvXPDrawState drawState_ = 0;
  bool pressing_ = false;
  bool pointerOver_ = false;
  bool lockUpdate_ = false;
  bool sibling_ = false;
  int modalResult_ = 0;
  TJvXPRedrawSet redrawSet_ = kDefaultRedrawSet;
  QString caption_;
};

}  // namespace zendrift::widgets
