// The trash's own error texts; the back ends do the moving.
#include "platform/trash.h"

namespace zendrift::platform {

namespace {

class TrashCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "zendrift.trash"; }
  std::string message(int value) const override {
    switch (static_cast<TrashError>(value)) {
      case TrashError::noTrash: return "there is no trash on its volume that can take it";
      case TrashError::trashFull: return "the trash is full";
      case TrashError::inTrashAlready: return "it is in the trash already";
      case TrashError::notInTrash: return "it is no longer in the trash";
      case TrashError::placeTaken: return "something else is at its place";
      case TrashError::deletedForGood: return "it was deleted for good, not moved to the trash";
      case TrashError::notOurTrash: return "the record does not name a file of this user's trash and a place for it";
      case TrashError::noWineTrash: return "Wine has no Recycle Bin here: it needs the folder ~/.local/share";
    }
    return "unknown trash error";
  }
};

}  // namespace

const std::error_category& trashCategory() noexcept {
  static const TrashCategory category;
  return category;
}

std::error_code make_error_code(TrashError error) noexcept { return {static_cast<int>(error), trashCategory()}; }

}  // namespace zendrift::platform
