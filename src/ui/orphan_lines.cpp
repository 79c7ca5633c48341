// The result list's lines kept in step with the orphan records behind them.
#include "ui/orphan_lines.h"

#include <cstddef>
#include <utility>

#include "ui/orphan_hint.h"

namespace zendrift::ui {

void addOrphanLines(ui::CheckListModel& model, std::vector<scan::OrphanRecord>& records,
                    std::vector<scan::OrphanRecord>&& found) {
  for (scan::OrphanRecord& record : found) {
    const int index = model.items.add(record.path);
    if (!record.excluded) model.setItemChecked(index, true);
    model.setItemHint(index, ui::orphanHint(record.target, record.reason));
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

void orphanRemoved(ui::CheckListModel& model, std::vector<scan::OrphanRecord>& records, int line,
                   std::error_code error) {
  if (line >= model.items.count()) return;
  if (error) {
    const scan::OrphanRecord& record = records[static_cast<std::size_t>(line)];
    model.setItemHint(line, ui::failedDeletionHint(error.message(), ui::orphanHint(record.target, record.reason)));
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
  model.setItemHint(line, "Kept: " + why + "\n" + ui::orphanHint(record.target, record.reason));
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
