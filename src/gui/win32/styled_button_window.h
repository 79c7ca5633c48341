// StyledButtonWindow: the styled push button as a Win32 window class. Its draw states, gradients
// and paint are the shared ones (ui/control_draw_state.h, ui/button_paint.h); this is the glue
// that feeds them the window's mouse, key and focus messages and paints through GDI.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "gui/win32/gdi_painter.h"
#include "gui/win32/window_object.h"
#include "ui/button_paint.h"
#include "ui/control_draw_state.h"

namespace zendrift::win32 {

class StyledButtonWindow final : public WindowObject {
 public:
  static constexpr wchar_t kClassName[] = L"ZendriftStyledButton";
  static void registerClass(HINSTANCE instance);

  // A button on `parent` that sends WM_COMMAND (BN_CLICKED, `id`) to it when clicked.
  StyledButtonWindow(HWND parent, int id, std::string_view caption, const ui::Font& font, int dpi);
  ~StyledButtonWindow();

  void setCaption(std::string_view caption);
  // The design's `font` at `dpi`, as the constructor takes it: the window moved to another screen.
  void setFont(const ui::Font& font, int dpi);
  void setEnabled(bool enabled);
  bool isEnabled() const;
  void setFocus();

 private:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint(HDC dc);
  void click();
  void repaint();
  bool pointerInside() const;
  // Every styled button of the window hears that the focus moved, so each ring follows at once.
  void tellFocusMoved() const;

  int id_;
  ui::ButtonCaption caption_;
  GdiFontCache fonts_;
  ui::ControlDrawState state_;
  ui::ButtonGradients gradients_;
  ui::Size gradientSize_;
  std::optional<ui::CaptionPlacement> placement_;
};

}  // namespace zendrift::win32
