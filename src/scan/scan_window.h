// What the scan and the removal need of the window they report to.
//
// The Qt window implements it; the unattended run implements it with no window at all, so a
// scan can run from cron or over SSH without a display.
#pragma once

#include <string_view>

namespace zendrift::scan {

class CheckListModel;

class ScanWindow {
 public:
  virtual ~ScanWindow() = default;

  // The status line (Label1).
  virtual void setStatusText(std::string_view text) = 0;
  // "Start Scan" (Button1): its caption, enabled state and the keyboard focus.
  virtual void setScanButtonCaption(std::string_view caption) = 0;
  virtual void setScanButtonEnabled(bool enabled) = 0;
  virtual void focusScanButton() = 0;
  // "Delete Orphans" (Button2).
  virtual void setDeleteButtonEnabled(bool enabled) = 0;
  virtual bool deleteButtonEnabled() const = 0;
  virtual void focusDeleteButton() = 0;
  // Whether the window is on screen; the focus moves only then.
  virtual bool isWindowVisible() const = 0;
  // Handles every pending window event, then returns.
  virtual void processMessages() = 0;
  // The result list's lines.
  virtual CheckListModel& resultList() = 0;
};

}  // namespace zendrift::scan
