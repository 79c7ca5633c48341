// The window's scan and removal on a worker thread, and how their results are handed over.
#include "ui/window_work.h"

#include <chrono>
#include <exception>
#include <string_view>
#include <utility>

#include "platform/path.h"
#include "profile/prefix_discovery.h"
#include "scan/cleaning_lock.h"
#include "scan/cleaning_record.h"
#include "scan/prefix_scans.h"

namespace zendrift::ui {
namespace {

// Records are handed over in batches: one posted call per record would cost the window more than
// the walk itself, and a batch held too long would make the list lag behind.
constexpr std::size_t kBatchSize = 256;
constexpr std::chrono::milliseconds kBatchAge{15};
// The status line follows the walk into each folder it searches, a few times a second at most:
// more would be unreadable, and cost the window for nothing.
constexpr std::chrono::milliseconds kStatusAge{250};

}  // namespace

PlannedScans scansFor(const settings::ScanOptions& options, const profile::PrefixPlaces& places) {
  const std::vector<profile::FoundPrefix> found = profile::discoverPrefixes(places);
  PlannedScans planned{scan::planScans(options, found, profile::defaultPrefix(places)), {}};
  for (const profile::FoundPrefix& prefix : found) planned.names[prefix.path] = prefix.name;
  return planned;
}

WindowWork::WindowWork(PostToWindow post, WorkSink sink, profile::PrefixPlaces places)
    : post_(std::move(post)), sink_(std::move(sink)), places_(std::move(places)) {}

WindowWork::~WindowWork() {
  worker_.request_stop();
  join();
}

void WindowWork::join() {
  if (worker_.joinable()) worker_.join();
}

void WindowWork::startScan(settings::ScanOptions options, bool namePrefixes) {
  // A worker still there ends first: the last scan's judgement is written by it.
  worker_.request_stop();
  join();
  lastScan_ = {scan::orphanCriteria(options), {}};
  // The worker reads its own copy: the window may change the options meanwhile.
  worker_ = std::jthread([this, options = std::move(options), namePrefixes](std::stop_token stop) {
    scanOnWorker(options, namePrefixes, stop);
  });
}

void WindowWork::scanOnWorker(const settings::ScanOptions& options, bool namePrefixes, std::stop_token stop) {
  std::vector<scan::OrphanRecord> batch;
  auto lastPost = std::chrono::steady_clock::now();
  const auto postBatch = [&] {
    if (batch.empty()) return;
    post_([this, found = std::move(batch)]() mutable { sink_.orphansFound(std::move(found)); });
    batch.clear();
    lastPost = std::chrono::steady_clock::now();
  };
  // A chosen prefix, or each of every prefix in turn, is named after the folder being searched.
  std::map<std::string, std::string> names;
  const bool named = namePrefixes && (!options.prefix.empty() || options.allPrefixes);
  std::string prefixName;
  const auto prefixStarted = [&](const settings::ScanOptions& scan) {
    if (!named) return;
    const auto known = names.find(scan.prefix);
    prefixName = known != names.end() ? known->second : scan.prefix;
  };
  // The folder being searched, the prefix it belongs to, and how many orphans were found so far.
  std::size_t found = 0;
  auto lastStatus = std::chrono::steady_clock::now();
  const auto postStatus = [&](std::string_view folder) {
    std::string text = "Scanning for orphans in " + std::string(folder);
    if (!prefixName.empty()) text += " (" + prefixName + ")";
    if (found > 0) text += " - " + std::to_string(found) + " orphan(s) found so far";
    post_([this, text = std::move(text)] { sink_.statusChanged(text); });
    lastStatus = std::chrono::steady_clock::now();
  };
  scan::ScanEvents events;
  events.folderStarted = [&](const std::string& folder) {
    postBatch();
    postStatus(folder);
  };
  events.orphanFound = [&](scan::OrphanRecord&& record) {
    ++found;
    batch.push_back(std::move(record));
    if (batch.size() >= kBatchSize || std::chrono::steady_clock::now() - lastPost >= kBatchAge) postBatch();
  };
  // A lone orphan in a long walk must not wait for the next one: each listed folder may hand over
  // what is waiting.
  events.folderListed = [&](const std::string& folder) {
    if (sink_.folderListed) sink_.folderListed(folder);
    const auto now = std::chrono::steady_clock::now();
    if (!batch.empty() && now - lastPost >= kBatchAge) postBatch();
    if (now - lastStatus >= kStatusAge) postStatus(platform::withoutTrailingSeparator(folder));
  };
  try {
    PlannedScans planned = scansFor(options, places_);
    names = std::move(planned.names);
    lastScan_.machinePrefixes = planned.plan.machinePrefixes;
    scan::ScanReport report = scan::scanEachPrefix(planned.plan, stop, events, prefixStarted);
    postBatch();
    post_([this, done = std::move(report)] { sink_.scanFinished(done); });
  } catch (const std::exception& error) {
    postBatch();
    post_([this, message = std::string(error.what())] { sink_.failed(message); });
  } catch (...) {
    // Anything else that left the worker would end the program.
    postBatch();
    post_([this] { sink_.failed("The scan failed for an unknown reason."); });
  }
}

void WindowWork::startRemoval(std::vector<int> lines, std::vector<scan::OrphanRecord> marked, std::string userFolder,
                              scan::Disposal disposal) {
  worker_.request_stop();
  join();
  worker_ = std::jthread([this, lines = std::move(lines), marked = std::move(marked),
                          userFolder = std::move(userFolder), disposal, check = lastScan_](std::stop_token stop) {
    scan::RemovalEvents events;
    if (sink_.removalStarting) {
      events.orphanStarting = [&](std::size_t index) { sink_.removalStarting(marked[index].path); };
    }
    events.orphanDone = [&](std::size_t index, std::error_code error) {
      post_([this, line = lines[index], error] { sink_.orphanRemoved(line, error); });
    };
    events.orphanKept = [&](std::size_t index, const std::string& why) {
      post_([this, line = lines[index], why] {
        if (sink_.orphanKept) sink_.orphanKept(line, why);
      });
    };
    // One cleaning at a time per user: while another runs, every line stays, saying why.
    scan::CleaningLock lock;
    if (const std::error_code locked = lock.acquire(scan::cleaningRecordFolder()); locked == scan::CleaningLockError::busy) {
      scan::RemovalReport refused;
      for (std::size_t i = 0; i < marked.size(); ++i) {
        refused.failures.push_back({marked[i].path, locked, false});
        events.orphanDone(i, locked);
      }
      post_([this, done = std::move(refused)] { sink_.removalFinished(done, {}); });
      return;
    }
    try {
      scan::RemovalReport report = scan::removeOrphans(marked, userFolder, stop, events, disposal, check);
      const std::error_code unrecorded = scan::recordCleaning(report);
      post_([this, done = std::move(report), unrecorded] { sink_.removalFinished(done, unrecorded); });
    } catch (const std::exception& error) {
      // Out of memory, say: the window is told, instead of the program ending mid-cleaning.
      post_([this, message = std::string(error.what())] { sink_.failed(message); });
    } catch (...) {
      post_([this] { sink_.failed("The deletion failed for an unknown reason."); });
    }
  });
}

}  // namespace zendrift::ui
