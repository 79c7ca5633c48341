// WindowWork: the window's scan and removal on a worker thread. What the work finds or does
// reaches the window through the toolkit's queue to its thread (the post function), records in
// batches, so that the window never waits and never runs a nested event loop; every call to the
// sink is made on the window's thread.
#pragma once

#include <functional>
#include <map>
#include <stop_token>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "profile/prefix_discovery.h"
#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "scan/prefix_scans.h"
#include "settings/scan_options.h"

namespace zendrift::ui {

// Queues a call to run later on the window's thread; callable from any thread.
using PostToWindow = std::function<void(std::function<void()> call)>;

struct WorkSink {
  // Found orphans, in the order the scan found them.
  std::function<void(std::vector<scan::OrphanRecord>&& found)> orphansFound;
  std::function<void(const std::string& text)> statusChanged;
  std::function<void(const scan::ScanReport& report)> scanFinished;
  // The removal of the orphan shown on `line`: no error when it is gone.
  std::function<void(int line, std::error_code error)> orphanRemoved;
  // The orphan shown on `line` was left in place: it changed since the scan, as `why` says.
  std::function<void(int line, const std::string& why)> orphanKept;
  // `unrecorded` says why the cleaning could not be recorded for undo, when it could not.
  std::function<void(const scan::RemovalReport& report, std::error_code unrecorded)> removalFinished;
  // The scan ended with an error.
  std::function<void(const std::string& message)> failed;

  // On the worker thread, for tests: each folder the scan listed, each orphan about to go.
  std::function<void(const std::string& folder)> folderListed;
  std::function<void(const std::string& path)> removalStarting;
};

class WindowWork {
 public:
  // `places` are where prefixes are looked for, read by the window once when it starts.
  WindowWork(PostToWindow post, WorkSink sink, profile::PrefixPlaces places);
  // Stops the work and waits for it: the worker posts to the window, which goes after this.
  ~WindowWork();
  WindowWork(const WindowWork&) = delete;
  WindowWork& operator=(const WindowWork&) = delete;

  // Scans as `options` ask. With namePrefixes the status text names the prefix being scanned
  // when a prefix, or every prefix, is chosen.
  void startScan(settings::ScanOptions options, bool namePrefixes);
  // Removes `marked`, which the window shows on `lines` (first to last, one line each), each
  // judged again just before it goes as the last scan judged it.
  void startRemoval(std::vector<int> lines, std::vector<scan::OrphanRecord> marked, std::string userFolder,
                    scan::Disposal disposal);
  // The worker ends before the next folder or shortcut, or after the orphan being deleted.
  void requestStop() { worker_.request_stop(); }
  // Waits for the worker to end, once it has posted its last call.
  void join();

 private:
  void scanOnWorker(const settings::ScanOptions& options, bool namePrefixes, std::stop_token stop);

  PostToWindow post_;
  WorkSink sink_;
  const profile::PrefixPlaces places_;
  // How the last scan judged: set when it starts (its drive classes) and by its worker (the
  // prefixes found), read by a removal only after that worker has ended.
  scan::RemovalCheck lastScan_;
  // Declared last: it ends (and is joined) before what it uses goes.
  std::jthread worker_;
};

// The scans `options` ask for: one, or one per prefix found when every prefix is chosen, and
// every prefix found on the machine in `places`; and the name of each prefix found, by its folder.
struct PlannedScans {
  scan::ScanPlan plan;
  std::map<std::string, std::string> names;
};
PlannedScans scansFor(const settings::ScanOptions& options, const profile::PrefixPlaces& places);

}  // namespace zendrift::ui
