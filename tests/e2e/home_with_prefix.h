// The end-to-end tests' home: a folder holding the Wine prefix ~/.wine of user "ann" and a
// configuration folder, and the real program run there with exactly that environment.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../platform/wine_prefix_builder.h"
#include "lnk_builder.h"
#include "program_run.h"
#include "temp_dir.h"

namespace zendrift::testing {

class HomeWithPrefix : public ::testing::Test {
 protected:
  HomeWithPrefix() : prefix(home.path() / ".wine") {
    prefix.standardLayout("ann");
    std::filesystem::create_directories(config());
  }

  std::filesystem::path config() const { return home.path() / "config"; }
  std::filesystem::path settingsFile() const { return config() / "Zendrift/zendrift.ini"; }
  std::filesystem::path desktop() const { return prefix.path() / "drive_c/users/ann/Desktop"; }
  std::filesystem::path startMenu() const {
    return prefix.path() / "drive_c/users/ann/AppData/Roaming/Microsoft/Windows/Start Menu";
  }

  // A shortcut whose LinkInfo stores `target`, the way most shortcuts store a local target.
  static void shortcut(const std::filesystem::path& path, std::string_view target) {
    LnkBuilder().localPath(target).writeTo(path);
  }

  ProgramResult run(std::vector<std::string> arguments, const std::optional<Account>& account = std::nullopt) const {
    return runProgram(program, arguments,
                      {{"HOME", home.str()}, {"USER", "ann"}, {"WINEPREFIX", prefix.str()},
                       {"XDG_CONFIG_HOME", config().string()}, {"XDG_DATA_HOME", dataHome.string()},
                       {"XDG_STATE_HOME", (xdg.path() / "state").string()}, {"PATH", "/usr/bin:/bin"}},
                      account);
  }

  // The home trash, and the records of past cleanings.
  std::filesystem::path trash() const { return dataHome / "Trash"; }
  std::filesystem::path cleaningRecords() const { return xdg.path() / "state/Zendrift"; }

  // The binary run: the one under test, unless a test copies it elsewhere.
  std::string program = zendriftBinary();
  TempDir home;
  WinePrefixBuilder prefix;
  // The data and state folders live beside the home, so that what a cleaning puts there is not
  // part of the tree it cleans.
  TempDir xdg;
  std::filesystem::path dataHome = xdg.path() / "data";
};

// Makes `folder` the current folder, which the program inherits, for the life of the object: a
// cron job starts wherever it was started.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::filesystem::path& folder) : before_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~CurrentFolder() { std::filesystem::current_path(before_); }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::filesystem::path before_;
};

// A program's output, line by line.
inline std::vector<std::string> outputLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

}  // namespace zendrift::testing
