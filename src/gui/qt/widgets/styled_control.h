// StyledControl: the base of the styled controls on Qt; notifications, repaints and click.
//
// The draw state (hot, pressed, focused; ui/control_draw_state) follows the pointer, the left
// button and the focus. Each notification changes that state and then repaints only if it is in
// the redraw set, so a move of the pointer inside the control costs no paint at all.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "ui/control_draw_state.h"

namespace zendrift::qt::widgets {

using ui::DrawState;
using ui::DrawStateFlag;

enum class ControlNotification : unsigned {
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
using RedrawSet = std::uint32_t;

constexpr RedrawSet redrawBit(ControlNotification n) noexcept { return 1u << static_cast<unsigned>(n); }

inline constexpr RedrawSet kDefaultRedrawSet =
    redrawBit(ControlNotification::CaptionChanged) | redrawBit(ControlNotification::EnabledChanged) |
    redrawBit(ControlNotification::FocusChanged) | redrawBit(ControlNotification::MouseDown) |
    redrawBit(ControlNotification::MouseEnter) | redrawBit(ControlNotification::MouseLeave) |
    redrawBit(ControlNotification::MouseUp) | redrawBit(ControlNotification::ParentColorChanged);

class StyledControl : public QWidget {
  Q_OBJECT

 public:
  using NotifyEvent = std::function<void(StyledControl& sender)>;

  explicit StyledControl(QWidget* parent = nullptr);
  ~StyledControl() override;

  DrawState drawState() const noexcept { return state_.flags(); }
  bool isHot() const noexcept { return state_.hot(); }
  bool isPressed() const noexcept { return state_.pressed(); }
  bool isFocused() const noexcept { return state_.focused(); }
  // True while the window's active control is itself a styled control.
  bool isSibling() const noexcept { return state_.sibling(); }
  // Whether the pointer was last seen over the control.
  bool pointerOver() const noexcept { return state_.pointerOver(); }

  QString caption() const { return caption_; }
  void setCaption(const QString& caption);
  RedrawSet redrawSet() const noexcept { return redrawSet_; }
  void setRedrawSet(RedrawSet set) noexcept { redrawSet_ = set; }
  bool canFocus() const;

  // Raises onClick, then clicked() if the handler left the control alive.
  virtual void click();

  // The pointer-entered notification; another control runs it on the one the pointer rests on.
  void notifyMouseEnter();
  // The window tells each control that the focus moved.
  void notifyFocusMoved();

  NotifyEvent onClick;
  NotifyEvent onMouseEnter;
  NotifyEvent onMouseLeave;

 Q_SIGNALS:
  void clicked();

 protected:
  void notify(ControlNotification notification);
  void requestRepaint();
  // Called after the caption changed, before the repaint.
  virtual void captionChanged() {}
  void setDrawFlag(DrawStateFlag flag, bool on) noexcept { state_.set(flag, on); }
  ui::ControlDrawState& drawStateMachine() noexcept { return state_; }
  // The left-button press (also what the space bar does on a button): focus, then pressed.
  void pressDown();
  void notifyMouseLeave();

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
  ui::ControlDrawState state_;
  RedrawSet redrawSet_ = kDefaultRedrawSet;
  QString caption_;
};

}  // namespace zendrift::qt::widgets
