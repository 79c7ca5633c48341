// The unattended undo.
#include "cli/undo_run.h"

#include "scan/cleaning_record.h"
#include "scan/field_escape.h"
#include "scan/cleaning_undo.h"

namespace zendrift::cli {

int runUndo(std::ostream& err) {
  const scan::UndoReport report = scan::undoLastCleaning(scan::cleaningRecordFolder());
  for (const scan::UndoFailure& failure : report.failures) {
    err << "Could not restore " << scan::escapedField(failure.path) << ": " << failure.error.message() << '\n';
  }
  err << report.statusText() << '\n';
  return report.succeeded() ? 0 : 1;
}

}  // namespace zendrift::cli
