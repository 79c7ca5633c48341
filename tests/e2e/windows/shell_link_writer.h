// Shortcuts made by the system's own shell-link object (IShellLinkW and IPersistFile::Save), the
// way Windows programs and installers make them.
#pragma once

#include <string>

namespace zendrift::testing::win32 {

// Initialises COM on the calling thread for the life of the object.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_ = false;
};

// Saves a shortcut at `linkPath` (UTF-8) that points at `target`. Throws when the shell refuses.
void saveShellLink(const std::string& linkPath, const std::string& target);

}  // namespace zendrift::testing::win32
