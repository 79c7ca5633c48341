// TJvXPCustomStyleControl: a styled control with its own style and an optional style manager.
#pragma once

#include <memory>

#include "widgets/xp_control.h"
#include "widgets/xp_style.h"

namespace zendrift::widgets {

class TJvXPCustomStyleControl : public TJvXPCustomControl {
  Q_OBJECT

 public:
  explicit TJvXPCustomStyleControl(QWidget* parent = nullptr);
  ~TJvXPCustomStyleControl() override;

  TJvXPStyle& Style() noexcept { return *style_; }
  const TJvXPStyle& Style() const noexcept { return *style_; }
  TJvXPStyleManager* StyleManager() const noexcept { return styleManager_; }
  // Leaves the previous manager, joins the new one (either may be null) and repaints.
  void SetStyleManager(TJvXPStyleManager* manager);
  // The theme in effect: the manager's when there is one and the style asks for it.
  TJvXPTheme EffectiveTheme() const noexcept;

 private:
  friend class TJvXPStyleManager;
  friend class TJvXPStyle;
  void styleChanged() { requestRepaint(); }
  void managerDestroyed() noexcept { styleManager_ = nullptr; }

  std::unique_ptr<TJvXPStyle> style_;
  TJvXPStyleManager* styleManager_ = nullptr;
};

}  // namespace zendrift::widgets
