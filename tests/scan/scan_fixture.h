// A real Wine-style prefix set as the Windows profile of a test.
#pragma once

#include <string>

#include "../platform/wine_prefix_builder.h"
#include "lnk_builder.h"
#include "settings/scan_options.h"
#include "temp_dir.h"

namespace zendrift::testing {

// A prefix of user "ann" with the default folders, set as the Windows profile for the test.
class PrefixFixture : public ::testing::Test {
 protected:
  PrefixFixture()
      : prefix(home.path() / "prefix"),
        winePrefix("WINEPREFIX", prefix.str().c_str()),
        user("USER", "ann"),
        homeEnv("HOME", home.str().c_str()),
        // Wine's menu entries are looked for there: the test's own, never the user's.
        dataEnv("XDG_DATA_HOME", (home.path() / "data").c_str()),
        configEnv("XDG_CONFIG_HOME", (home.path() / "config").c_str()),
        // Cleaning records and their lock: the test's own, never the user's.
        stateEnv("XDG_STATE_HOME", (home.path() / "state").c_str()) {
    prefix.standardLayout("ann");
  }

  std::filesystem::path userFolder(std::string_view relative) const {
    return prefix.path() / "drive_c/users/ann" / relative;
  }
  std::filesystem::path startMenu() const { return userFolder("AppData/Roaming/Microsoft/Windows/Start Menu"); }
  std::filesystem::path desktop() const { return userFolder("Desktop"); }
  std::filesystem::path commonStartMenu() const {
    return prefix.path() / "drive_c/ProgramData/Microsoft/Windows/Start Menu";
  }
  std::filesystem::path commonDesktop() const { return prefix.path() / "drive_c/users/Public/Desktop"; }
  std::filesystem::path favorites() const { return userFolder("Favorites"); }

  // Options with every folder off, for a scan of `prefix`.
  static settings::ScanOptions scanOf(std::string prefix) {
    settings::ScanOptions options;
    options.prefix = std::move(prefix);
    return options;
  }

  static std::string shortcut(const std::filesystem::path& path, std::string_view target) {
    LnkBuilder().localPath(target).writeTo(path);
    return path.string();
  }

  TempDir home;
  WinePrefixBuilder prefix;
  ScopedEnv winePrefix;
  ScopedEnv user;
  ScopedEnv homeEnv;
  ScopedEnv dataEnv;
  ScopedEnv configEnv;
  ScopedEnv stateEnv;
};

}  // namespace zendrift::testing
