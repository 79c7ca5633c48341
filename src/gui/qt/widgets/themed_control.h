// ThemedControl: a styled control with its own style and an optional style manager.
#pragma once

#include <memory>

#include "gui/qt/widgets/styled_control.h"
#include "gui/qt/widgets/button_style.h"

namespace zendrift::widgets {

class ThemedControl : public StyledControl {
  Q_OBJECT

 public:
  explicit ThemedControl(QWidget* parent = nullptr);
  ~ThemedControl() override;

  ButtonStyle& controlStyle() noexcept { return *style_; }
  const ButtonStyle& controlStyle() const noexcept { return *style_; }
  ButtonStyleManager* styleManager() const noexcept { return styleManager_; }
  // Leaves the previous manager, joins the new one (either may be null) and repaints.
  void setStyleManager(ButtonStyleManager* manager);
  // The theme in effect: the manager's when there is one and the style asks for it.
  ButtonTheme effectiveTheme() const noexcept;

 private:
  friend class ButtonStyleManager;
  friend class ButtonStyle;
  void styleChanged() { requestRepaint(); }
  void managerDestroyed() noexcept { styleManager_ = nullptr; }

  std::unique_ptr<ButtonStyle> style_;
  ButtonStyleManager* styleManager_ = nullptr;
};

}  // namespace zendrift::widgets
