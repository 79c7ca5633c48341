// The computer-information component.
#include "sysfolders/computer_info.h"

namespace zendrift::sysfolders {

TJvSystemFolders& TJvComputerInfoEx::Folders() {
  if (!folders_) folders_ = std::make_unique<TJvSystemFolders>();
  return *folders_;
}

}  // namespace zendrift::sysfolders
