// The result list's lines and the orphan records behind them, one record per line in the same
// order: what a scan adds, what a removal takes away, and what the user marked.
#pragma once

#include <string>
#include <system_error>
#include <vector>

#include "scan/orphan_removal.h"
#include "scan/orphan_scan.h"
#include "ui/check_list_model.h"
#include "ui/window_work.h"

namespace zendrift::ui {

// Appends a line for each of `found`, marked unless the record is excluded, with its hint. A line
// shows its shortcut's path as the user knows it (ui/shown_path.h).
void addOrphanLines(ui::CheckListModel& model, std::vector<scan::OrphanRecord>& records,
                    std::vector<scan::OrphanRecord>&& found);

// The marked lines, first to last, and their records.
struct MarkedOrphans {
  std::vector<int> lines;
  std::vector<scan::OrphanRecord> records;
};
MarkedOrphans markedOrphans(const ui::CheckListModel& model, const std::vector<scan::OrphanRecord>& records);

// The paths of the selected lines' shortcuts, as the scan found them.
std::vector<std::string> selectedOrphanPaths(const ui::CheckListModel& model,
                                             const std::vector<scan::OrphanRecord>& records);

// The removal's word on `line`: the line goes with its shortcut; one that could not be deleted
// stays, marked, and says why, so nothing is lost and the user can try again.
void orphanRemoved(ui::CheckListModel& model, std::vector<scan::OrphanRecord>& records, int line,
                   std::error_code error);

// The removal left the shortcut on `line` in place, for it changed since the scan: the line stays,
// unmarked, and says why.
void orphanKept(ui::CheckListModel& model, const std::vector<scan::OrphanRecord>& records, int line,
                const std::string& why);

// Whether Delete can be pressed once a removal is over: while lines are left, if it could before
// or something failed. An emptied list is cleared.
bool deleteEnabledAfterRemoval(ui::CheckListModel& model, bool wasEnabled, const scan::RemovalReport& report);

// A sink that keeps `model` and `records` in step with what the work finds and removes; the
// window adds the rest.
WorkSink lineKeepingSink(ui::CheckListModel& model, std::vector<scan::OrphanRecord>& records);

}  // namespace zendrift::ui
