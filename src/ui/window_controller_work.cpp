// The window controller's scan and removal: each runs on the shared worker (window_work.h), and
// what it finds or does comes back on the window's thread, through the view's post function, in
// batches, so the window never waits and never runs a nested event loop.
#include <string_view>
#include <utility>

#include "scan/cleaning_record.h"
#include "scan/cleaning_undo.h"
#include "ui/orphan_lines.h"
#include "ui/window_controller.h"
#include "ui/work_messages.h"

namespace zendrift::ui {
namespace {

// One caption for the scan button whenever no scan runs, the one it is created with.
constexpr std::string_view kStartScan = "Start Scan";

}  // namespace

WorkSink WindowController::workSink() {
  WorkSink sink = lineKeepingSink(model_, records_);
  sink.statusChanged = [this](const std::string& text) { view_.setStatusText(text); };
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

void WindowController::scanClicked() {
  if (work_ == Work::scanning) {
    // A second press stops the scan; the worker ends before the next folder or shortcut.
    worker_.requestStop();
    view_.setCaption(ControlId::scanButton, kStartScan);
    return;
  }
  if (work_ != Work::none) return;
  controlsToOptions();
  model_.clear();
  records_.clear();
  deleteWasEnabled_ = view_.controlEnabled(ControlId::deleteButton);
  view_.enableControl(ControlId::deleteButton, false);
  view_.setCaption(ControlId::scanButton, "Stop scan");
  view_.setBusyCursor(true);
  work_ = Work::scanning;
  // The status names the prefix being scanned where the window lets the user choose one.
  worker_.startScan(options_, view_.hasPrefixSelector());
}

void WindowController::scanFinished(const scan::ScanReport& report) {
  endWork();
  view_.setCaption(ControlId::scanButton, kStartScan);
  const std::string undone = std::exchange(undoStatus_, {});
  view_.setStatusText(undone.empty() ? report.statusText() : undone + " " + report.statusText());
  if (model_.items.count() > 0) {
    view_.enableControl(ControlId::deleteButton, true);
    view_.focusControl(ControlId::deleteButton);
  } else {
    view_.enableControl(ControlId::deleteButton, deleteWasEnabled_);
  }
  afterWork();
}

void WindowController::deleteClicked() {
  if (work_ != Work::none || questionOpen_) return;
  const std::size_t marked = markedOrphans(model_, records_).lines.size();
  if (view_.optionControls().moveToTrash || marked == 0) {
    removeMarked();
    return;
  }
  // Nothing can bring these back: the user says so first, and Return alone answers No.
  questionOpen_ = true;
  view_.askYesNo(permanentDeletionQuestion(marked), [this](bool yes) {
    questionOpen_ = false;
    if (yes) removeMarked();
  });
}

void WindowController::removeMarked() {
  if (work_ != Work::none) return;
  // The removal takes the marked lines from the last to the first, so the lines above the one it
  // reports on keep their places.
  MarkedOrphans marked = markedOrphans(model_, records_);
  deleteWasEnabled_ = view_.controlEnabled(ControlId::deleteButton);
  view_.enableControl(ControlId::scanButton, false);
  view_.enableControl(ControlId::deleteButton, false);
  view_.setStatusText("Deleting orphans ...");
  work_ = Work::removing;
  disposal_ = view_.optionControls().moveToTrash ? scan::Disposal::trash : scan::Disposal::permanent;
  worker_.startRemoval(std::move(marked.lines), std::move(marked.records), options_.userDir, disposal_);
}

void WindowController::removalFinished(const scan::RemovalReport& report, std::error_code unrecorded) {
  endWork();
  view_.enableControl(ControlId::scanButton, true);
  view_.enableControl(ControlId::deleteButton, deleteEnabledAfterRemoval(model_, deleteWasEnabled_, report));
  view_.setStatusText(removalStatusText(report, disposal_));
  view_.focusControl(ControlId::scanButton);
  afterWork();
  if (unrecorded) view_.showError(unrecordedCleaningMessage(unrecorded));
}

void WindowController::undoClicked() {
  if (work_ != Work::none) return;
  const scan::UndoReport report = scan::undoLastCleaning(scan::cleaningRecordFolder());
  view_.setStatusText(report.statusText());
  if (report.onlyDeletedForGood()) {
    // Nothing went wrong: there is just nothing that could come back.
    view_.showInformation(report.statusText());
    return;
  }
  // The error box lists what stays in the trash.
  if (!report.failures.empty()) view_.showError(undoFailureMessage(report));
  // What came back is listed as a scan lists it: a fresh record for each (the removal trusts no
  // other), marked unless excluded, among the orphans the cleaning left. The status line says
  // again what came back when the scan is over.
  if (report.restored.empty()) return;
  undoStatus_ = report.statusText();
  scanClicked();
}

void WindowController::workFailed(const std::string& message) {
  const Work failed = work_;
  undoStatus_.clear();
  endWork();
  view_.enableControl(ControlId::scanButton, true);
  if (failed == Work::scanning) view_.setCaption(ControlId::scanButton, kStartScan);
  if (failed == Work::removing) view_.enableControl(ControlId::deleteButton, deleteWasEnabled_);
  afterWork();
  view_.showError(message);
}

void WindowController::endWork() {
  worker_.join();
  if (work_ == Work::scanning) view_.setBusyCursor(false);
  work_ = Work::none;
}

void WindowController::afterWork() {
  if (std::exchange(closePending_, false)) {
    view_.requestClose();
    return;
  }
  start_.runPendingActions(*this);
}

void WindowController::stopWork() {
  if (work_ == Work::none) return;
  worker_.requestStop();
  if (work_ == Work::scanning) view_.setCaption(ControlId::scanButton, kStartScan);
}

}  // namespace zendrift::ui
