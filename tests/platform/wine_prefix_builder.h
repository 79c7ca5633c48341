// Builds real Wine-style prefixes in a temporary folder for the tests: drive links, registry
// files and the folders of Wine's default layout.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "temp_dir.h"

namespace zendrift::testing {

inline constexpr std::string_view kRegistryHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

class WinePrefixBuilder {
 public:
  explicit WinePrefixBuilder(std::filesystem::path prefix) : prefix_(std::move(prefix)) {
    std::filesystem::create_directories(prefix_ / "dosdevices");
    std::filesystem::create_directories(prefix_ / "drive_c");
  }

  const std::filesystem::path& path() const noexcept { return prefix_; }
  std::string str() const { return prefix_.string(); }
  std::string driveC() const { return (prefix_ / "drive_c").string(); }

  // dosdevices/<letter>: pointing at `target`, written as given (relative links stay relative).
  WinePrefixBuilder& link(char letter, const std::string& target) {
    const auto name = prefix_ / "dosdevices" / (std::string(1, letter) + ":");
    std::filesystem::remove(name);
    std::filesystem::create_symlink(target, name);
    return *this;
  }
  // A folder below drive_c, given with forward slashes.
  WinePrefixBuilder& folder(std::string_view relative) {
    std::filesystem::create_directories(prefix_ / "drive_c" / relative);
    return *this;
  }
  WinePrefixBuilder& file(std::string_view relative, std::string_view content = "x") {
    writeFile(prefix_ / "drive_c" / relative, content);
    return *this;
  }
  // Registry files: the header followed by `body`.
  WinePrefixBuilder& userReg(std::string_view body) {
    writeFile(prefix_ / "user.reg", std::string(kRegistryHeader) + std::string(body));
    return *this;
  }
  WinePrefixBuilder& systemReg(std::string_view body) {
    writeFile(prefix_ / "system.reg", std::string(kRegistryHeader) + std::string(body));
    return *this;
  }

  // C: at ../drive_c and Z: at the host root, as wineboot makes them, with the default folders
  // of `user`, and a system.reg (empty unless one was written) that makes the folder a prefix.
  WinePrefixBuilder& standardLayout(std::string_view user) {
    link('c', "../drive_c").link('z', "/");
    if (!std::filesystem::exists(prefix_ / "system.reg")) systemReg("");
    const std::string home = "users/" + std::string(user);
    for (const std::string& relative :
         {home + "/Desktop", home + "/Documents", home + "/Favorites",
          home + "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp",
          home + "/AppData/Roaming/Microsoft/Windows/Recent", home + "/AppData/Roaming/Microsoft/Windows/SendTo",
          home + "/AppData/Local/Microsoft/Windows/History", std::string("users/Public/Desktop"),
          std::string("ProgramData/Microsoft/Windows/Start Menu/Programs/StartUp"),
          std::string("Program Files/Common Files"), std::string("windows/system32")}) {
      folder(relative);
    }
    return *this;
  }

 private:
  std::filesystem::path prefix_;
};

}  // namespace zendrift::testing
