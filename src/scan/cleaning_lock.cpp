// The lock beside the cleaning records.
#include "scan/cleaning_lock.h"

#include "platform/file_system.h"
#include "platform/path.h"

namespace zendrift::scan {

namespace {

class CleaningLockCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "zendrift.cleaning-lock"; }
  std::string message(int value) const override {
    if (static_cast<CleaningLockError>(value) == CleaningLockError::busy) {
      return "another cleaning or undo is running for this user";
    }
    return "unknown cleaning lock error";
  }
};

}  // namespace

const std::error_category& cleaningLockCategory() noexcept {
  static const CleaningLockCategory category;
  return category;
}

std::error_code make_error_code(CleaningLockError error) noexcept {
  return {static_cast<int>(error), cleaningLockCategory()};
}

std::error_code CleaningLock::acquire(const std::string& recordFolder) {
  if (recordFolder.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (const std::error_code error = platform::createFolders(recordFolder)) return error;
  const std::error_code error = lock_.tryLock(platform::withTrailingSeparator(recordFolder) + "cleaning.lock");
  if (error == std::errc::device_or_resource_busy) return CleaningLockError::busy;
  return error;
}

}  // namespace zendrift::scan
