// The result list's lines kept in step with the orphan records behind them.
#include "ui/orphan_lines.h"

#include <cstddef>
#include <utility>

#include "ui/orphan_hint.h"
#include "ui/shown_path.h"

namespace zendrift::ui {

void addOrphanLines(ui::CheckListModel& model, std::vector<scan::OrphanRecord>& records,
                    std::vector<scan::OrphanRecord>&& found) {
  for (scan::OrphanRecord& record : found) {
    // The line shows the path as the user knows it; the record keeps the one the scan took.
    const int index = model.items.add(ui::shownPath(record.path, record.root));
    if (!record.excluded) model.setItemChecked(index, true);
    model.setItemHint(index, ui::orphanHint(record.path, record.target, record.reason));
    records.push_back(std::move(record));
  }
}

MarkedOrphans markedOrphans(const ui::CheckListModel& model, const std::vector<scan::OrphanRecord>& records) {
  MarkedOrphans marked;
  for (int i = 0; i < model.items.count(); ++i) {
    if (!model.isItemChecked(i) || static_cast<std::size_t>(i) >= records.size()) continue;
    marked.lines.push_back(i);
    marked.records.push_back(records[static_cast<std::size_t>(i)]);
  }
  return marked;
}

std::vector<std::string> selectedOrphanPaths(const ui::CheckListModel& model,
                                             const std::vector<scan::OrphanRecord>& records) {
  std::vector<std::string> paths;
  for (int i = 0; i < model.items.count() && static_cast<std::size_t>(i) < records.size(); ++i) {
    if (model.isItemSelected(i)) paths.push_back(records[static_cast<std::size_t>(i)].path);
  }
  return paths;
}

void orphanRemoved(ui::CheckListModel& model, std::vector<scan::OrphanRecord>& records, int line,
                   std::error_code error) {
  if (line >= model.items.count()) return;
  if (error) {
    const scan::OrphanRecord& record = records[static_cast<std::size_t>(line)];
    model.setItemHint(line, ui::failedDeletionHint(error.message(), ui::orphanHint(record.path, record.target, record.reason)));
    return;
  }
  model.items.remove(line);
  records.erase(records.begin() + line);
}

void orphanKept(ui::CheckListModel& model, const std::vector<scan::OrphanRecord>& records, int line,
                const std::string& why) {
  if (line >= model.items.count()) return;
  const scan::OrphanRecord& record = records[static_cast<std::size_t>(line)];
  model.setItemChecked(line, false);
  model.setItemHint(line, "Kept: " + why + "\n" + ui::orphanHint(record.path, record.target, record.reason));
}

bool deleteEnabledAfterRemoval(ui::CheckListModel& model, bool wasEnabled, const scan::RemovalReport& report) {
  if (model.items.count() == 0) {
    model.clear();
    return false;
  }
  return wasEnabled || !report.failures.empty();
}

WorkSink lineKeepingSink(ui::CheckListModel& model, std::vector<scan::OrphanRecord>& records) {
  WorkSink sink;
  sink.orphansFound = [&model, &records](std::vector<scan::OrphanRecord>&& found) {
    addOrphanLines(model, records, std::move(found));
  };
  sink.orphanRemoved = [&model, &records](int line, std::error_code error) { orphanRemoved(model, records, line, error); };
  sink.orphanKept = [&model, &records](int line, const std::string& why) { orphanKept(model, records, line, why); };
  return sink;
}

}  // namespace zendrift::ui
