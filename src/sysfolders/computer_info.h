// TJvComputerInfoEx: the computer-information component, of which Zendrift uses the folders.
#pragma once

#include <memory>

#include "sysfolders/system_folders.h"

namespace zendrift::sysfolders {

class TJvComputerInfoEx {
 public:
  TJvComputerInfoEx() = default;
  TJvComputerInfoEx(const TJvComputerInfoEx&) = delete;
  TJvComputerInfoEx& operator=(const TJvComputerInfoEx&) = delete;

  // Created on the first read, owned, and the same object on every later read.
  TJvSystemFolders& Folders();
  bool ReadOnly() const noexcept { return true; }

 private:
  std::unique_ptr<TJvSystemFolders> folders_;
};

}  // namespace zendrift::sysfolders
