// CheckListWindow: the result list as a Win32 window class, showing and editing a
// ui::CheckListModel. Each line is a check cell (the shared cell images) and the line's text,
// drawn through the shared painting interface; the model keeps lines, marks and selection, and
// this window turns mouse, keys and its context menu into model calls.
//
// It also answers LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETSEL and LB_GETITEMHEIGHT as a list
// box does, and paints on WM_PRINTCLIENT, so that accessibility tools and the window's tests can
// read it.
#pragma once

#include <windows.h>

#include <string>

#include "gui/win32/gdi_painter.h"
#include "gui/win32/window_object.h"
#include "ui/check_list_model.h"
#include "ui/font.h"

namespace zendrift::win32 {

class CheckListWindow final : public WindowObject {
 public:
  static constexpr wchar_t kClassName[] = L"ZendriftCheckList";
  static void registerClass(HINSTANCE instance);

  // A list on `parent` showing `model`, which must outlive it, in the design's `font` scaled to
  // `dpi`. The menu commands that the window carries out (exclude list, undo) go to the top-level
  // window as WM_COMMAND.
  CheckListWindow(HWND parent, ui::CheckListModel& model, int id, const ui::Font& font, int dpi);
  ~CheckListWindow();

  // The window moved to a screen of another density: the font, the line height and the check
  // cells follow it.
  void setDpi(int dpi);

  // The hint of the line at `client` (list coordinates): why its shortcut is an orphan, or why it
  // could not be deleted; empty off the lines.
  std::string hintAt(POINT client) const;
  // The tooltip control that shows the hints: it is hidden when the pointer moves to another
  // line, so that the next one asks for that line's hint.
  void setToolTips(HWND toolTips) noexcept { toolTips_ = toolTips; }

 private:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  double scale() const noexcept { return dpi_ / 96.0; }
  // The font at the window's density, and the text and line heights it gives.
  void applyFont();
  void paint(HDC dc);
  void drawLine(ui::Painter& painter, int index, const ui::Rect& line, bool focused);
  int lineAt(int y) const;
  // Whether `x` (list coordinates) lies in the lines' check area.
  bool inCheckArea(int x) const;
  void onButtonDown(POINT at, WPARAM keys);
  void onButtonUp(POINT at);
  void onDrag(POINT at, WPARAM keys);
  int visibleLines() const;
  int clientWidth() const;
  void updateScrollBars();
  void scrollTo(int topLine, int left);
  void ensureVisible(int index);
  void selectTo(int index, bool shift, bool control);
  void onKey(WPARAM key);
  void showMenu(POINT screen);

  ui::CheckListModel& model_;
  ui::Font designFont_;
  int dpi_;
  ui::Font font_;
  GdiFontCache fonts_;
  int observer_ = 0;
  HWND toolTips_ = nullptr;
  int hoverLine_ = -1;
  HDC measureDc_ = nullptr;
  HGDIOBJ measureOld_ = nullptr;
  bool updatePending_ = false;
  DWORD lastUpdate_ = 0;
  int lineHeight_ = 13;
  int textHeight_ = 13;
  int topLine_ = 0;
  int left_ = 0;
  int anchor_ = -1;
  // The left button went down on a line and has not come up: moving selects.
  bool dragSelecting_ = false;
};

}  // namespace zendrift::win32
