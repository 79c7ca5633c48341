// What a folder's own listing shows of a profile root (a Wine prefix or a Windows installation).
//
// A walk lists every folder anyway; noting the names it sees costs nothing, and only a folder
// whose listing shows the signs is worth the system calls of profileRootedAt().
#pragma once

#include <string_view>

#include "platform/ascii_case.h"

namespace zendrift::profile {

class ProfileRootSigns {
 public:
  void reset() noexcept { *this = {}; }

  // Each entry of the folder's listing.
  void note(std::string_view name, bool isFolder) noexcept {
    if (name == "system.reg") {
      systemReg_ = true;
    } else if (isFolder && name == "dosdevices") {
      dosdevices_ = true;
    } else if (isFolder && (platform::equalsIgnoringAsciiCase(name, "windows") || platform::equalsIgnoringAsciiCase(name, "winnt"))) {
      windows_ = true;
    }
  }

  // A prefix holds system.reg and dosdevices/; an installation a Windows folder.
  bool worthAsking() const noexcept { return (systemReg_ && dosdevices_) || windows_; }

 private:
  bool systemReg_ = false;
  bool dosdevices_ = false;
  bool windows_ = false;
};

}  // namespace zendrift::profile
