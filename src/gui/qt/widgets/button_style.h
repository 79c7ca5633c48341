// ButtonStyle and ButtonStyleManager: the theme of one styled control, and one shared by many.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

namespace zendrift::widgets {

enum class ButtonTheme { WindowsXP, OfficeXP };

class ThemedControl;

// The style of one control; a change repaints its owner.
class ButtonStyle {
 public:
  explicit ButtonStyle(ThemedControl& owner) noexcept : owner_(owner) {}
  ButtonStyle(const ButtonStyle&) = delete;
  ButtonStyle& operator=(const ButtonStyle&) = delete;

  ButtonTheme theme() const noexcept { return theme_; }
  void setTheme(ButtonTheme theme);
  bool useStyleManager() const noexcept { return useStyleManager_; }
  void setUseStyleManager(bool use);
  // Copies the values of `other`, as assigning the property does.
  void assign(const ButtonStyle& other);

 private:
  ThemedControl& owner_;
  ButtonTheme theme_ = ButtonTheme::WindowsXP;
  bool useStyleManager_ = true;
};

// A theme shared by the controls registered with it (each control with at most one manager).
class ButtonStyleManager : public QObject {
  Q_OBJECT

 public:
  explicit ButtonStyleManager(QObject* parent = nullptr);
  // Registered controls forget the manager and repaint.
  ~ButtonStyleManager() override;

  ButtonTheme theme() const noexcept { return theme_; }
  // Raises onThemeChanged, then repaints every registered control.
  void setTheme(ButtonTheme theme);
  std::function<void(ButtonStyleManager& sender)> onThemeChanged;

  const std::vector<ThemedControl*>& controls() const noexcept { return controls_; }
  void registerControls(ThemedControl& control);
  void unregisterControls(ThemedControl& control);

 private:
  ButtonTheme theme_ = ButtonTheme::WindowsXP;
  std::vector<ThemedControl*> controls_;
};

}  // namespace zendrift::widgets
