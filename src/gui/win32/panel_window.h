// Panels: the plain child windows that divide the main window, in a system colour, with an
// optional raised one-pixel bevel. They pass their controls' notifications up to the main window.
#pragma once

#include <windows.h>

namespace zendrift::win32 {

// Registers the panel class once per process.
void registerPanelClass(HINSTANCE instance);

// A panel in the system colour `colourIndex` (COLOR_BTNFACE, COLOR_WINDOW), raised or flat.
HWND createPanel(HWND parent, int colourIndex, bool raised);

// The brush of the panel's colour, for the controls on it that ask (WM_CTLCOLORSTATIC).
int panelColourIndex(HWND panel);

}  // namespace zendrift::win32
