// One cleaning or undo at a time per user: two at once would each record the other's files as
// gone, and an undo during a cleaning would read a record still being made.
#pragma once

#include <string>
#include <system_error>

#include "platform/file_lock.h"

namespace zendrift::scan {

enum class CleaningLockError {
  busy = 1,  // another cleaning or undo holds the lock
};
const std::error_category& cleaningLockCategory() noexcept;
std::error_code make_error_code(CleaningLockError error) noexcept;

// Held while a cleaning (its removal and its record) or an undo runs; let go when it goes.
class CleaningLock {
 public:
  // Takes the lock kept in `recordFolder` (made when missing), without waiting: while another
  // holds it, CleaningLockError::busy; any other error says why the lock could not be taken.
  std::error_code acquire(const std::string& recordFolder);

 private:
  platform::FileLock lock_;
};

}  // namespace zendrift::scan

template <>
struct std::is_error_code_enum<zendrift::scan::CleaningLockError> : std::true_type {};
