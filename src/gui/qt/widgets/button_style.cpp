// ButtonStyle, ButtonStyleManager and ThemedControl: themes and who shares them.
#include "gui/qt/widgets/button_style.h"

#include <algorithm>

#include "gui/qt/widgets/themed_control.h"

namespace zendrift::widgets {

void ButtonStyle::setTheme(ButtonTheme theme) {
  if (theme == theme_) return;
  theme_ = theme;
  owner_.styleChanged();
}

void ButtonStyle::setUseStyleManager(bool use) {
  if (use == useStyleManager_) return;
  useStyleManager_ = use;
  owner_.styleChanged();
}

void ButtonStyle::assign(const ButtonStyle& other) {
  theme_ = other.theme_;
  useStyleManager_ = other.useStyleManager_;
  owner_.styleChanged();
}

ButtonStyleManager::ButtonStyleManager(QObject* parent) : QObject(parent) {}

ButtonStyleManager::~ButtonStyleManager() {
  const auto controls = controls_;
  controls_.clear();
  for (ThemedControl* control : controls) {
    control->managerDestroyed();
    control->styleChanged();
  }
}

void ButtonStyleManager::setTheme(ButtonTheme theme) {
  if (theme == theme_) return;
  theme_ = theme;
  if (onThemeChanged) onThemeChanged(*this);
  for (ThemedControl* control : controls_) control->styleChanged();
}

void ButtonStyleManager::registerControls(ThemedControl& control) {
  if (std::find(controls_.begin(), controls_.end(), &control) == controls_.end()) controls_.push_back(&control);
}

void ButtonStyleManager::unregisterControls(ThemedControl& control) { std::erase(controls_, &control); }

ThemedControl::ThemedControl(QWidget* parent)
    : StyledControl(parent), style_(std::make_unique<ButtonStyle>(*this)) {}

ThemedControl::~ThemedControl() {
  if (styleManager_ != nullptr) styleManager_->unregisterControls(*this);
}

void ThemedControl::setStyleManager(ButtonStyleManager* manager) {
  if (manager == styleManager_) return;
  if (styleManager_ != nullptr) styleManager_->unregisterControls(*this);
  styleManager_ = manager;
  if (styleManager_ != nullptr) styleManager_->registerControls(*this);
  requestRepaint();
}

ButtonTheme ThemedControl::effectiveTheme() const noexcept {
  if (styleManager_ != nullptr && style_->useStyleManager()) return styleManager_->theme();
  return style_->theme();
}

}  // namespace zendrift::widgets
