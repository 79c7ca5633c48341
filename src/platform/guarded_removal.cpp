// The removal's own error texts; the back ends do the removing.
#include "platform/guarded_removal.h"

#include <string>

namespace zendrift::platform {

namespace {

class RemovalCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "zendrift.removal"; }
  std::string message(int value) const override {
    switch (static_cast<RemovalError>(value)) {
      case RemovalError::changedSinceScan: return "it changed since the scan";
      case RemovalError::linkOnTheWay: return "a folder on its way is a link";
      case RemovalError::folderNotEmpty: return "the folder is not empty";
      case RemovalError::notBelowRoot: return "it is not below the scanned folder";
    }
    return "unknown removal error";
  }
};

}  // namespace

const std::error_category& removalCategory() noexcept {
  static const RemovalCategory category;
  return category;
}

std::error_code make_error_code(RemovalError error) noexcept {
  return {static_cast<int>(error), removalCategory()};
}

}  // namespace zendrift::platform
