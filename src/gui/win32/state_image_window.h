// StateImageWindow: the banner's logo, a state image as a Win32 window class. The picture-by-
// state machine is the shared one (ui/state_image_machine.h); the window gives it only the
// default picture, so the logo stays as it is and works as a clickable picture with a hand
// cursor. A click sends WM_COMMAND (BN_CLICKED) to the parent.
#pragma once

#include <windows.h>

#include "gui/win32/gdi_painter.h"
#include "gui/win32/window_object.h"
#include "ui/state_image_machine.h"

namespace zendrift::win32 {

class StateImageWindow final : public WindowObject {
 public:
  static constexpr wchar_t kClassName[] = L"ZendriftStateImage";
  static void registerClass(HINSTANCE instance);

  StateImageWindow(HWND parent, int id);
  ~StateImageWindow();


 private:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  int id_;
  GdiFontCache fonts_;
  ui::StateImageMachine machine_;
  ui::Image picture_;
};

}  // namespace zendrift::win32
