// The window's scan and removal: each runs on the shared worker (ui/window_work.h), and what it
// finds or does reaches the window in batches through queued calls, so the window never waits and
// never runs a nested event loop.
#include <QGuiApplication>
#include <QMetaObject>
#include <stdexcept>

#include "gui/qt/main_window.h"
#include "scan/cleaning_record.h"
#include "scan/cleaning_undo.h"
#include "scan/orphan_removal.h"
#include "scan/prefix_scans.h"
#include "ui/orphan_lines.h"
#include "ui/work_messages.h"

namespace zendrift::app {

ui::PostToWindow MainWindow::postToWindow() {
  return [this](std::function<void()> call) { QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection); };
}

ui::WorkSink MainWindow::workSink() {
  ui::WorkSink sink = ui::lineKeepingSink(model_, records_);
  sink.statusChanged = [this](const std::string& text) { setStatusText(text); };
  sink.scanFinished = [this](const scan::ScanReport& report) { scanFinished(report); };
  sink.removalFinished = [this](const scan::RemovalReport& report, std::error_code unrecorded) {
    removalFinished(report, unrecorded);
  };
  sink.failed = [this](const std::string& message) { workFailed(message); };
  sink.folderListed = [this](const std::string& folder) {
    if (walkObserver_) walkObserver_(folder);
  };
  sink.removalStarting = [this](const std::string& path) {
    if (removalObserver_) removalObserver_(path);
  };
  return sink;
}

void MainWindow::onScanClicked() {
  if (work_ == Work::scanning) {
    // A second press stops the scan; the worker ends at its next listed entry.
    worker_.requestStop();
    scanButton->setCaption("Start scan");
    return;
  }
  if (work_ != Work::none) return;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    controlsToOptions();
  } catch (...) {
    QGuiApplication::restoreOverrideCursor();
    throw;
  }
  model_.clear();
  records_.clear();
  deleteWasEnabled_ = deleteButton->isEnabled();
  deleteButton->setEnabled(false);
  scanButton->setCaption("Stop scan");
  work_ = Work::scanning;
  worker_.startScan(options_, true);
}

void MainWindow::scanFinished(const scan::ScanReport& report) {
  endWork();
  scanButton->setCaption("Start scan");
  setStatusText(report.statusText());
  if (model_.items.count() > 0) {
    deleteButton->setEnabled(true);
    if (isVisible()) deleteButton->setFocus();
  } else {
    deleteButton->setEnabled(deleteWasEnabled_);
  }
  afterWork();
}

void MainWindow::onDeleteClicked() {
  if (work_ != Work::none || deletionQuestion_) return;
  const std::size_t marked = ui::markedOrphans(model_, records_).lines.size();
  if (moveToTrashBox->isChecked() || marked == 0) {
    removeMarked();
    return;
  }
  // Nothing can bring these back: the user says so first, and Return alone answers No.
  auto* question = new QMessageBox(QMessageBox::Warning, "Zendrift",
                                   QString::fromStdString(ui::permanentDeletionQuestion(marked)),
                                   QMessageBox::Yes | QMessageBox::No, this);  // the window owns it
  question->setDefaultButton(QMessageBox::No);
  question->setEscapeButton(QMessageBox::No);
  question->setWindowModality(Qt::WindowModal);
  question->setAttribute(Qt::WA_DeleteOnClose);
  connect(question, &QMessageBox::finished, this, [this](int answer) {
    deletionQuestion_ = nullptr;
    if (answer == QMessageBox::Yes) removeMarked();
  });
  deletionQuestion_ = question;
  question->open();
}

void MainWindow::deleteAsCommanded() { removeMarked(); }

void MainWindow::removeMarked() {
  if (work_ != Work::none) return;
  // The removal takes the marked lines from the last to the first, so the lines above the one it
  // reports on keep their places.
  ui::MarkedOrphans marked = ui::markedOrphans(model_, records_);
  deleteWasEnabled_ = deleteButton->isEnabled();
  scanButton->setEnabled(false);
  deleteButton->setEnabled(false);
  setStatusText("Deleting orphans ...");
  work_ = Work::removing;
  const scan::Disposal disposal = moveToTrashBox->isChecked() ? scan::Disposal::trash : scan::Disposal::permanent;
  worker_.startRemoval(std::move(marked.lines), std::move(marked.records), options_.userDir, disposal);
}

void MainWindow::removalFinished(const scan::RemovalReport& report, std::error_code unrecorded) {
  endWork();
  scanButton->setEnabled(true);
  deleteButton->setEnabled(ui::deleteEnabledAfterRemoval(model_, deleteWasEnabled_, report));
  setStatusText(report.statusText());
  if (isVisible()) scanButton->setFocus();
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
  scanButton->setEnabled(true);
  if (failed == Work::scanning) scanButton->setCaption("Start scan");
  afterWork();
  // Shown in the error box, as any error that escapes an action.
  throw std::runtime_error(message);
}

void MainWindow::endWork() {
  worker_.join();
  if (work_ == Work::scanning) QGuiApplication::restoreOverrideCursor();
  work_ = Work::none;
}

void MainWindow::afterWork() {
  if (std::exchange(closePending_, false)) {
    close();
    return;
  }
  runPendingActions();
}

void MainWindow::stopWork() {
  if (work_ == Work::none) return;
  worker_.requestStop();
  if (work_ == Work::scanning) scanButton->setCaption("Start scan");
}

}  // namespace zendrift::app
