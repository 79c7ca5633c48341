// The window of an unattended run: there is none. It keeps the result list and the texts that
// a window would show, and is never visible.
#pragma once

#include <string>

#include "scan/check_list_model.h"
#include "scan/scan_window.h"

namespace zendrift::app {

class HeadlessWindow final : public scan::ScanWindow {
 public:
  void setStatusText(std::string_view text) override { status_ = text; }
  void setScanButtonCaption(std::string_view caption) override { scanCaption_ = caption; }
  void setScanButtonEnabled(bool) override {}
  void focusScanButton() override {}
  void setDeleteButtonEnabled(bool enabled) override { deleteEnabled_ = enabled; }
  bool deleteButtonEnabled() const override { return deleteEnabled_; }
  void focusDeleteButton() override {}
  bool isWindowVisible() const override { return false; }
  void processMessages() override {}
  scan::CheckListModel& resultList() override { return list_; }

  const std::string& statusText() const noexcept { return status_; }

 private:
  scan::CheckListModel list_;
  std::string status_ = "Idle.";
  std::string scanCaption_ = "Start Scan";
  bool deleteEnabled_ = false;
};

}  // namespace zendrift::app
