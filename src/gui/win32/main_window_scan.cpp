// The window's scan and removal: each runs on the shared worker (ui/window_work.h), and what it
// finds or does reaches the window in batches through posted messages, so the window never waits
// and never runs a nested message loop.
#include <stdexcept>
#include <utility>

#include "gui/win32/check_list_window.h"
#include "gui/win32/main_window.h"
#include "gui/win32/styled_button_window.h"
#include "platform/win32/win32_text.h"
#include "scan/cleaning_record.h"
#include "scan/cleaning_undo.h"
#include "ui/orphan_lines.h"
#include "ui/work_messages.h"

namespace zendrift::win32 {

ui::WorkSink MainWindow::workSink() {
  ui::WorkSink sink = ui::lineKeepingSink(model_, records_);
  sink.statusChanged = [this](const std::string& text) { setStatusText(text); };
  sink.scanFinished = [this](const scan::ScanReport& report) { scanFinished(report); };
  sink.removalFinished = [this](const scan::RemovalReport& report, std::error_code unrecorded) {
    removalFinished(report, unrecorded);
  };
  sink.failed = [this](const std::string& message) { workFailed(message); };
  return sink;
}

void MainWindow::setScanCaption(std::string_view caption) { scanButton_->setCaption(caption); }

void MainWindow::onScanClicked() {
  if (work_ == Work::scanning) {
    // A second press stops the scan; the worker ends at its next listed entry.
    worker_.requestStop();
    setScanCaption("Start scan");
    return;
  }
  if (work_ != Work::none) return;
  controlsToOptions();
  model_.clear();
  records_.clear();
  deleteWasEnabled_ = deleteButton_->isEnabled();
  deleteButton_->setEnabled(false);
  setScanCaption("Stop scan");
  work_ = Work::scanning;
  savedCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  worker_.startScan(options_, false);
}

void MainWindow::scanFinished(const scan::ScanReport& report) {
  endWork();
  setScanCaption("Start scan");
  setStatusText(report.statusText());
  if (model_.items.count() > 0) {
    deleteButton_->setEnabled(true);
    if (IsWindowVisible(window_)) deleteButton_->setFocus();
  } else {
    deleteButton_->setEnabled(deleteWasEnabled_);
  }
  afterWork();
}

void MainWindow::onDeleteClicked() {
  if (work_ != Work::none) return;
  const std::size_t marked = ui::markedOrphans(model_, records_).lines.size();
  if (!isChecked(at(ui::ControlId::moveToTrashBox)) && marked > 0) {
    // Nothing can bring these back: the user says so first, and Return alone answers No.
    const std::wstring question = platform::win32::toWide(ui::permanentDeletionQuestion(marked));
    if (MessageBoxW(window_, question.c_str(), L"Zendrift", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) return;
  }
  removeMarked();
}

void MainWindow::deleteAsCommanded() { removeMarked(); }

void MainWindow::removeMarked() {
  if (work_ != Work::none) return;
  // The removal takes the marked lines from the last to the first, so the lines above the one it
  // reports on keep their places.
  ui::MarkedOrphans marked = ui::markedOrphans(model_, records_);
  deleteWasEnabled_ = deleteButton_->isEnabled();
  scanButton_->setEnabled(false);
  deleteButton_->setEnabled(false);
  setStatusText("Deleting orphans ...");
  work_ = Work::removing;
  const scan::Disposal disposal = isChecked(at(ui::ControlId::moveToTrashBox)) ? scan::Disposal::trash : scan::Disposal::permanent;
  worker_.startRemoval(std::move(marked.lines), std::move(marked.records), options_.userDir, disposal);
}

void MainWindow::removalFinished(const scan::RemovalReport& report, std::error_code unrecorded) {
  endWork();
  scanButton_->setEnabled(true);
  deleteButton_->setEnabled(ui::deleteEnabledAfterRemoval(model_, deleteWasEnabled_, report));
  setStatusText(report.statusText());
  if (IsWindowVisible(window_)) scanButton_->setFocus();
  afterWork();
  if (unrecorded) throw std::runtime_error(ui::unrecordedCleaningMessage(unrecorded));
}

void MainWindow::onUndoClicked() {
  if (work_ != Work::none) return;
  const scan::UndoReport report = scan::undoLastCleaning(scan::cleaningRecordFolder());
  setStatusText(report.statusText());
  // The error box lists what stays in the trash.
  if (!report.failures.empty()) throw std::runtime_error(ui::undoFailureMessage(report));
}

void MainWindow::workFailed(const std::string& message) {
  const Work failed = work_;
  endWork();
  scanButton_->setEnabled(true);
  if (failed == Work::scanning) setScanCaption("Start scan");
  afterWork();
  // Shown in the error box, as any error that escapes an action.
  throw std::runtime_error(message);
}

void MainWindow::endWork() {
  worker_.join();
  if (work_ == Work::scanning) {
    SetCursor(savedCursor_ ? savedCursor_ : LoadCursorW(nullptr, IDC_ARROW));
    savedCursor_ = nullptr;
  }
  work_ = Work::none;
}

void MainWindow::afterWork() {
  if (std::exchange(closePending_, false)) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return;
  }
  runPendingActions();
}

void MainWindow::stopWork() {
  if (work_ == Work::none) return;
  worker_.requestStop();
  if (work_ == Work::scanning) setScanCaption("Start scan");
}

}  // namespace zendrift::win32
