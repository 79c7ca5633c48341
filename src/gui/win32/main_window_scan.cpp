// The window's scan and removal: each runs on a worker thread, and what it finds or does reaches
// the window in batches through posted messages, so the window never waits and never runs a
// nested message loop.
#include <chrono>
#include <map>
#include <stdexcept>
#include <utility>

#include "gui/win32/check_list_window.h"
#include "gui/win32/main_window.h"
#include "gui/win32/styled_button_window.h"
#include "profile/prefix_discovery.h"
#include "scan/cleaning_record.h"
#include "scan/cleaning_undo.h"
#include "scan/prefix_scans.h"
#include "ui/orphan_hint.h"

namespace zendrift::win32 {
namespace {

// Records are handed over in batches: one posted call per record would cost the window more than
// the walk itself, and a batch held too long would make the list lag behind.
constexpr std::size_t kBatchSize = 256;
constexpr std::chrono::milliseconds kBatchAge{15};

// The scans the options ask for: one, or one per prefix found when every prefix is chosen.
std::vector<settings::ScanOptions> scansFor(const settings::ScanOptions& options) {
  std::vector<platform::FoundPrefix> found;
  if (options.allPrefixes) found = platform::discoverPrefixes(platform::hostPrefixPlaces());
  return scan::prefixScans(options, found);
}

}  // namespace

void MainWindow::setScanCaption(std::string_view caption) { scanButton_->setCaption(caption); }

void MainWindow::onScanClicked() {
  if (work_ == Work::scanning) {
    // A second press stops the scan; the worker ends at its next listed entry.
    worker_.request_stop();
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
  // The worker reads its own copy: the window may change the options meanwhile.
  worker_ = std::jthread([this, options = options_](std::stop_token stop) { scanOnWorker(options, stop); });
}

void MainWindow::scanOnWorker(const settings::ScanOptions& options, std::stop_token stop) {
  std::vector<scan::OrphanRecord> batch;
  auto lastPost = std::chrono::steady_clock::now();
  const auto post = [&] {
    if (batch.empty()) return;
    posted_.post([this, found = std::move(batch)]() mutable { addOrphans(std::move(found)); });
    batch.clear();
    lastPost = std::chrono::steady_clock::now();
  };
  scan::ScanEvents events;
  events.folderStarted = [&](const std::string& folder) {
    post();
    posted_.post([this, text = "Scanning for orphans in " + folder] { setStatusText(text); });
  };
  events.orphanFound = [&](scan::OrphanRecord&& record) {
    batch.push_back(std::move(record));
    if (batch.size() >= kBatchSize || std::chrono::steady_clock::now() - lastPost >= kBatchAge) post();
  };
  // A lone orphan in a long walk must not wait for the next one.
  events.folderListed = [&](const std::string&) {
    if (!batch.empty() && std::chrono::steady_clock::now() - lastPost >= kBatchAge) post();
  };
  try {
    scan::ScanReport report = scan::scanEachPrefix(scansFor(options), stop, events);
    post();
    posted_.post([this, done = std::move(report)] { scanFinished(done); });
  } catch (const std::exception& error) {
    post();
    posted_.post([this, message = std::string(error.what())] { workFailed(message); });
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
  // The marked lines, first to last; the removal takes them from the last to the first, so the
  // lines above the one it reports on keep their places.
  std::vector<int> lines;
  std::vector<scan::OrphanRecord> marked;
  for (int i = 0; i < model_.items.count(); ++i) {
    if (!model_.isItemChecked(i) || static_cast<std::size_t>(i) >= records_.size()) continue;
    lines.push_back(i);
    marked.push_back(records_[static_cast<std::size_t>(i)]);
  }
  deleteWasEnabled_ = deleteButton_->isEnabled();
  scanButton_->setEnabled(false);
  deleteButton_->setEnabled(false);
  setStatusText("Deleting orphans ...");
  work_ = Work::removing;
  const scan::Disposal disposal = isChecked(at(ui::ControlId::moveToTrashBox)) ? scan::Disposal::trash : scan::Disposal::permanent;
  worker_ = std::jthread([this, lines = std::move(lines), marked = std::move(marked), userFolder = options_.userDir,
                          disposal](std::stop_token stop) {
    scan::RemovalEvents events;
    events.orphanDone = [&](std::size_t index, std::error_code error) {
      posted_.post([this, line = lines[index], error] { orphanRemoved(line, error); });
    };
    scan::RemovalReport report = scan::removeOrphans(marked, userFolder, stop, events, disposal);
    const std::error_code unrecorded = scan::recordCleaning(report);
    posted_.post([this, done = std::move(report), unrecorded] { removalFinished(done, unrecorded); });
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
  scanButton_->setEnabled(true);
  if (model_.items.count() == 0) {
    model_.clear();
    deleteButton_->setEnabled(false);
  } else {
    deleteButton_->setEnabled(deleteWasEnabled_ || !report.failures.empty());
  }
  setStatusText(report.statusText());
  if (IsWindowVisible(window_)) scanButton_->setFocus();
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
  scanButton_->setEnabled(true);
  if (failed == Work::scanning) setScanCaption("Start scan");
  afterWork();
  // Shown in the error box, as any error that escapes an action.
  throw std::runtime_error(message);
}

void MainWindow::endWork() {
  if (worker_.joinable()) worker_.join();
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
  worker_.request_stop();
  if (work_ == Work::scanning) setScanCaption("Start scan");
}

}  // namespace zendrift::win32
