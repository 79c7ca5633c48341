// The window's scan and removal: each runs on a worker thread, and what it finds or does reaches
// the window in batches through queued calls, so the window never waits and never runs a nested
// event loop.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <chrono>

#include "gui/qt/main_window.h"
#include "scan/cleaning_record.h"
#include "scan/cleaning_undo.h"
#include "scan/orphan_removal.h"
#include "scan/prefix_scans.h"
#include "ui/orphan_hint.h"

namespace zendrift::app {

namespace {

// Records are handed over in batches: one queued call per record would cost the window more than
// the walk itself, and a batch held too long would make the list lag behind.
constexpr std::size_t kBatchSize = 256;
constexpr std::chrono::milliseconds kBatchAge{15};

}  // namespace

void MainWindow::onScanClicked() {
  if (work_ == Work::scanning) {
    // A second press stops the scan; the worker ends at its next listed entry.
    worker_.request_stop();
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
  // The worker reads its own copy: the window may change the options meanwhile.
  worker_ = std::jthread([this, options = options_](std::stop_token stop) { scanOnWorker(options, stop); });
}

void MainWindow::scanOnWorker(const settings::ScanOptions& options, std::stop_token stop) {
  std::vector<scan::OrphanRecord> batch;
  auto lastPost = std::chrono::steady_clock::now();
  const auto post = [&] {
    if (batch.empty()) return;
    QMetaObject::invokeMethod(this, [this, found = std::move(batch)]() mutable { addOrphans(std::move(found)); },
                              Qt::QueuedConnection);
    batch.clear();
    lastPost = std::chrono::steady_clock::now();
  };
  // A chosen prefix, or each of every prefix in turn, is named after the folder being searched.
  std::map<std::string, std::string> names;
  const std::vector<settings::ScanOptions> scans =
      scansFor(options, options.prefix.empty() && !options.allPrefixes ? nullptr : &names);
  std::string prefixName;
  const auto prefixStarted = [&](const settings::ScanOptions& scan) {
    const auto known = names.find(scan.prefix);
    prefixName = known != names.end() ? known->second : scan.prefix;
  };
  scan::ScanEvents events;
  events.folderStarted = [&](const std::string& folder) {
    post();
    std::string text = "Scanning for orphans in " + folder;
    if (!prefixName.empty()) text += " (" + prefixName + ")";
    QMetaObject::invokeMethod(this, [this, text = std::move(text)] { setStatusText(text); }, Qt::QueuedConnection);
  };
  events.orphanFound = [&](scan::OrphanRecord&& record) {
    batch.push_back(std::move(record));
    if (batch.size() >= kBatchSize || std::chrono::steady_clock::now() - lastPost >= kBatchAge) post();
  };
  // A lone orphan in a long walk must not wait for the next one: each listed folder may hand over
  // what is waiting.
  events.folderListed = [&](const std::string& folder) {
    if (walkObserver_) walkObserver_(folder);
    if (!batch.empty() && std::chrono::steady_clock::now() - lastPost >= kBatchAge) post();
  };
  try {
    scan::ScanReport report = scan::scanEachPrefix(scans, stop, events, prefixStarted);
    post();
    QMetaObject::invokeMethod(this, [this, done = std::move(report)] { scanFinished(done); }, Qt::QueuedConnection);
  } catch (const std::exception& error) {
    post();
    QMetaObject::invokeMethod(this, [this, message = std::string(error.what())] { workFailed(message); },
                              Qt::QueuedConnection);
  }
}

void MainWindow::addOrphans(std::vector<scan::OrphanRecord>&& found) {
  for (scan::OrphanRecord& record : found) {
    const int index = model_.items.add(record.path);
    if (!record.excluded) model_.setItemChecked(index, true);
    model_.setItemHint(index, scan::orphanHint(record.target, record.reason));
    records_.push_back(std::move(record));
  }
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
  if (work_ != Work::none) return;
  // The marked lines, first to last; the removal takes them from the last to the first, so the
  // lines above the one it reports on keep their places.
  std::vector<int> lines;
  std::vector<scan::OrphanRecord> marked;
  for (int i = 0; i < model_.items.count(); ++i) {
    if (!model_.isItemChecked(i) || static_cast<std::size_t>(i) >= records_.size()) continue;
    lines.push_back(i);
    marked.push_back(records_[static_cast<std::size_t>(i)]);
  }
  deleteWasEnabled_ = deleteButton->isEnabled();
  scanButton->setEnabled(false);
  deleteButton->setEnabled(false);
  setStatusText("Deleting orphans ...");
  work_ = Work::removing;
  const scan::Disposal disposal = moveToTrashBox->isChecked() ? scan::Disposal::trash : scan::Disposal::permanent;
  worker_ = std::jthread([this, lines = std::move(lines), marked = std::move(marked), userFolder = options_.userDir,
                          disposal](std::stop_token stop) {
    scan::RemovalEvents events;
    if (removalObserver_) events.orphanStarting = [&](std::size_t index) { removalObserver_(marked[index].path); };
    events.orphanDone = [&](std::size_t index, std::error_code error) {
      QMetaObject::invokeMethod(this, [this, line = lines[index], error] { orphanRemoved(line, error); },
                                Qt::QueuedConnection);
    };
    scan::RemovalReport report = scan::removeOrphans(marked, userFolder, stop, events, disposal);
    const std::error_code unrecorded = scan::recordCleaning(report);
    QMetaObject::invokeMethod(
        this, [this, done = std::move(report), unrecorded] { removalFinished(done, unrecorded); }, Qt::QueuedConnection);
  });
}

void MainWindow::orphanRemoved(int line, std::error_code error) {
  if (line >= model_.items.count()) return;
  if (error) {
    // The line stays, marked, and says why: nothing is lost and the user can try again.
    const scan::OrphanRecord& record = records_[static_cast<std::size_t>(line)];
    model_.setItemHint(line, scan::failedDeletionHint(error.message(), scan::orphanHint(record.target, record.reason)));
    return;
  }
  model_.items.remove(line);
  records_.erase(records_.begin() + line);
}

void MainWindow::removalFinished(const scan::RemovalReport& report, std::error_code unrecorded) {
  endWork();
  scanButton->setEnabled(true);
  if (model_.items.count() == 0) {
    model_.clear();
    deleteButton->setEnabled(false);
  } else {
    deleteButton->setEnabled(deleteWasEnabled_ || !report.failures.empty());
  }
  setStatusText(report.statusText());
  if (isVisible()) scanButton->setFocus();
  afterWork();
  if (unrecorded) {
    throw std::runtime_error("The cleaning could not be recorded in " + scan::cleaningRecordFolder() +
                             ", so it cannot be undone here: " + unrecorded.message());
  }
}

void MainWindow::onUndoClicked() {
  if (work_ != Work::none) return;
  const scan::UndoReport report = scan::undoLastCleaning(scan::cleaningRecordFolder());
  setStatusText(report.statusText());
  if (report.failures.empty()) return;
  // The error box lists what stays in the trash, a screenful at most.
  constexpr std::size_t kListed = 20;
  std::string message = "Some items could not be restored:";
  for (std::size_t i = 0; i < report.failures.size() && i < kListed; ++i) {
    message += "\n" + report.failures[i].path + ": " + report.failures[i].error.message();
  }
  if (report.failures.size() > kListed) message += "\n...";
  throw std::runtime_error(message);
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
  if (worker_.joinable()) worker_.join();
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
  worker_.request_stop();
  if (work_ == Work::scanning) scanButton->setCaption("Start scan");
}

void MainWindow::runSilently() {
  // The window is hidden and nothing waits for it: the scan and the removal run here.
  std::vector<scan::OrphanRecord> marked;
  scan::ScanEvents events;
  events.orphanFound = [&marked](scan::OrphanRecord&& record) {
    if (!record.excluded) marked.push_back(std::move(record));
  };
  setStatusText(scan::scanEachPrefix(scansFor(options_), {}, events).statusText());
  const scan::Disposal disposal = options_.deletePermanently ? scan::Disposal::permanent : scan::Disposal::trash;
  const scan::RemovalReport report = scan::removeOrphans(marked, options_.userDir, {}, {}, disposal);
  std::string status = report.statusText();
  if (const std::error_code unrecorded = scan::recordCleaning(report)) {
    status += " The cleaning could not be recorded for undo: " + unrecorded.message();
  }
  setStatusText(status);
}

}  // namespace zendrift::app
