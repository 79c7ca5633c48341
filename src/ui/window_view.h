// WindowView: what the window controller asks of a window, each answered with the toolkit's own
// calls. The controller decides what happens and in which order; a view only shows it.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "ui/option_controls.h"
#include "ui/prefix_choices.h"
#include "ui/window_layout.h"

namespace zendrift::ui {

// The window's outer bounds as the settings file keeps them (frame included).
struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

class WindowView {
 public:
  virtual void setCaption(ControlId id, std::string_view caption) = 0;
  // The status line's text; the line takes the size of its text.
  virtual void setStatusText(std::string_view text) = 0;
  virtual void setHint(ControlId id, std::string_view hint) = 0;
  virtual void enableControl(ControlId id, bool enabled) = 0;
  virtual bool controlEnabled(ControlId id) const = 0;
  // Only while the window is showing: a hidden window keeps its focus where it is.
  virtual void focusControl(ControlId id) = 0;
  // The hourglass over the window, or the ordinary pointer again.
  virtual void setBusyCursor(bool busy) = 0;

  virtual OptionControls optionControls() const = 0;
  virtual void showOptionControls(const OptionControls& controls) = 0;
  // The prefix selector, where the window has one: its entries, the chosen one, and the choice.
  virtual bool hasPrefixSelector() const = 0;
  virtual void showPrefixChoices(const std::vector<PrefixChoice>& choices, int chosen) = 0;
  // The entry chosen, or -1.
  virtual int chosenPrefix() const = 0;

  virtual WindowBounds outerBounds() const = 0;
  // Moved and cut to fit the screen's work area, and no smaller than the minimum size.
  virtual void restoreBounds(const WindowBounds& bounds) = 0;
  // Shown and brought to the front for the command line's actions.
  virtual void showForActions() = 0;

  // The error box titled "Zendrift"; the window goes on.
  virtual void showError(std::string_view text) = 0;
  // A box titled "Zendrift" that tells something, no error.
  virtual void showInformation(std::string_view text) = 0;
  // A warning titled "Zendrift" with Yes and No, No by default and for Escape; `answered` gets
  // whether the user said Yes, now or later.
  virtual void askYesNo(std::string_view question, std::function<void(bool yes)> answered) = 0;

  // From any thread: `call` runs later on the window's thread.
  virtual void post(std::function<void()> call) = 0;
  // Asks the window to close, as its Exit button does.
  virtual void requestClose() = 0;
  // Ends the run without the close, so that nothing is saved.
  virtual void endRun() = 0;

 protected:
  ~WindowView() = default;
};

}  // namespace zendrift::ui
