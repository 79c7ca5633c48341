// Measures the target checks of one scan where many shortcuts point into the same folder: a
// thousand into one missing folder, a thousand missing files in a folder of 10,000, and a
// thousand existing files of that folder, spelled in another letter case and exactly. Each
// round is one scan: one ProfileCache for its thousand checks.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lnk_builder.h"
#include "scan/orphan_check.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kShortcuts = 1000;
constexpr int kBigFolderFiles = 10000;
constexpr int kRounds = 5;

void touch(const fs::path& path) { std::ofstream(path, std::ios::binary) << "x"; }

struct Scenario {
  const char* title;
  std::string (*target)(int i);
  bool orphans;
};

const Scenario kScenarios[] = {
    {"into one missing folder", [](int i) { return "C:\\Gone\\Sub\\app" + std::to_string(i) + ".exe"; }, true},
    {"missing files in a folder of 10,000", [](int i) { return "C:\\Big\\gone" + std::to_string(i) + ".exe"; }, true},
    {"files of that folder, other case", [](int i) { return "c:\\BIG\\FILE" + std::to_string(i * 7) + ".TXT"; }, false},
    {"files of that folder, exact case", [](int i) { return "C:\\Big\\file" + std::to_string(i * 7) + ".txt"; }, false},
};

}  // namespace

int main() {
  char pattern[] = "/tmp/zendrift-target-bench-XXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const fs::path root = pattern;
  const fs::path prefix = root / "prefix";
  const fs::path c = prefix / "drive_c";
  fs::create_directories(c / "Big");
  for (const char* folder : {"users/bench/Desktop", "Program Files", "ProgramData", "windows/system32"}) {
    fs::create_directories(c / folder);
  }
  for (int i = 0; i < kBigFolderFiles; ++i) touch(c / "Big" / ("file" + std::to_string(i) + ".txt"));
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
  std::ofstream(prefix / "system.reg") << "WINE REGISTRY Version 2\n";
  ::setenv("WINEPREFIX", prefix.c_str(), 1);

  const zendrift::scan::OrphanCriteria criteria;
  const zendrift::profile::ShortcutProfile profile = zendrift::profile::scannedProfile(prefix.string());
  int wrong = 0;
  for (const Scenario& scenario : kScenarios) {
    const fs::path folder = root / "links";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < kShortcuts; ++i) {
      paths.push_back((folder / ("s" + std::to_string(i) + ".lnk")).string());
      zendrift::testing::LnkBuilder().localPath(scenario.target(i)).writeTo(paths.back());
    }
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
      zendrift::scan::ProfileCache memo(profile);
      const auto start = Clock::now();
      for (const std::string& path : paths) {
        wrong += zendrift::scan::checkForOrphan(path, criteria, profile, memo).orphan != scenario.orphans;
      }
      times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%d shortcuts %-38s median %8.2f ms, best %8.2f ms\n", kShortcuts, scenario.title, times[kRounds / 2],
                times.front());
  }
  fs::remove_all(root);
  if (wrong) std::printf("%d wrong verdicts\n", wrong);
  return wrong == 0 ? 0 : 1;
}
