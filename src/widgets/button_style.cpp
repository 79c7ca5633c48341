// TJvXPStyle, TJvXPStyleManager and TJvXPCustomStyleControl: themes and who shares them.
#include "widgets/xp_style.h"

#include <algorithm>

#include "widgets/xp_style_control.h"

namespace zendrift::widgets {

void TJvXPStyle::SetTheme(TJvXPTheme theme) {
  if (theme == theme_) return;
  theme_ = theme;
  owner_.styleChanged();
}

void TJvXPStyle::SetUseStyleManager(bool use) {
  if (use == useStyleManager_) return;
  useStyleManager_ = use;
  owner_.styleChanged();
}

void TJvXPStyle::Assign(const TJvXPStyle& other) {
  theme_ = other.theme_;
  useStyleManager_ = other.useStyleManager_;
  owner_.styleChanged();
}

TJvXPStyleManager::TJvXPStyleManager(QObject* parent) : QObject(parent) {}

TJvXPStyleManager::~TJvXPStyleManager() {
  const auto controls = controls_;
  controls_.clear();
  for (TJvXPCustomStyleControl* control : controls) {
    control->managerDestroyed();
    control->styleChanged();
  }
}

void TJvXPStyleManager::SetTheme(TJvXPTheme theme) {
  if (theme == theme_) return;
  theme_ = theme;
  if (OnThemeChanged) OnThemeChanged(*this);
  for (TJvXPCustomStyleControl* control : controls_) control->styleChanged();
}

void TJvXPStyleManager::RegisterControls(TJvXPCustomStyleControl& control) {
  if (std::find(controls_.begin(), controls_.end(), &control) == controls_.end()) controls_.push_back(&control);
}

void TJvXPStyleManager::UnregisterControls(TJvXPCustomStyleControl& control) { std::erase(controls_, &control); }

TJvXPCustomStyleControl::TJvXPCustomStyleControl(QWidget* parent)
    : TJvXPCustomControl(parent), style_(std::make_unique<TJvXPStyle>(*this)) {}

TJvXPCustomStyleControl::~TJvXPCustomStyleControl() {
  if (styleManager_ != nullptr) styleManager_->UnregisterControls(*this);
}

void TJvXPCustomStyleControl::SetStyleManager(TJvXPStyleManager* manager) {
  if (manager == styleManager_) return;
  if (styleManager_ != nullptr) styleManager_->UnregisterControls(*this);
  styleManager_ = manager;
  if (styleManager_ != nullptr) styleManager_->RegisterControls(*this);
  requestRepaint();
}

TJvXPTheme TJvXPCustomStyleControl::EffectiveTheme() const noexcept {
  if (styleManager_ != nullptr && style_->UseStyleManager()) return styleManager_->Theme();
  return style_->Theme();
}

}  // namespace zendrift::widgets
