// TJvXPStyle and TJvXPStyleManager: the theme of one styled control, and one shared by many.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

namespace zendrift::widgets {

enum class TJvXPTheme { WindowsXP, OfficeXP };

class TJvXPCustomStyleControl;

// The style of one control; a change repaints its owner.
class TJvXPStyle {
 public:
  explicit TJvXPStyle(TJvXPCustomStyleControl& owner) noexcept : owner_(owner) {}
  TJvXPStyle(const TJvXPStyle&) = delete;
  TJvXPStyle& operator=(const TJvXPStyle&) = delete;

  TJvXPTheme Theme() const noexcept { return theme_; }
  void SetTheme(TJvXPTheme theme);
  bool UseStyleManager() const noexcept { return useStyleManager_; }
  void SetUseStyleManager(bool use);
  // Copies the values of `other`, as assigning the property does.
  void Assign(const TJvXPStyle& other);

 private:
  TJvXPCustomStyleControl& owner_;
  TJvXPTheme theme_ = TJvXPTheme::WindowsXP;
  bool useStyleManager_ = true;
};

// A theme shared by the controls registered with it (each control with at most one manager).
class TJvXPStyleManager : public QObject {
  Q_OBJECT

 public:
  explicit TJvXPStyleManager(QObject* parent = nullptr);
  // Registered controls forget the manager and repaint.
  ~TJvXPStyleManager() override;

  TJvXPTheme Theme() const noexcept { return theme_; }
  // Raises OnThemeChanged, then repaints every registered control.
  void SetTheme(TJvXPTheme theme);
  std::function<void(TJvXPStyleManager& sender)> OnThemeChanged;

  const std::vector<TJvXPCustomStyleControl*>& Controls() const noexcept { return controls_; }
  void RegisterControls(TJvXPCustomStyleControl& control);
  void UnregisterControls(TJvXPCustomStyleControl& control);

 private:
  TJvXPTheme theme_ = TJvXPTheme::WindowsXP;
  std::vector<TJvXPCustomStyleControl*> controls_;
};

}  // namespace zendrift::widgets
