// Times the removal of 2,500 orphans into the trash and for good, alternately over freshly made
// trees of the same shape, and prints each one's median and their ratio. Each removal reads and
// judges every shortcut again just before it goes; that last look is also timed alone over the
// same tree, so that its share of a removal can be stated.
//
// usage: removal_bench WORK_FOLDER [ROUNDS] [ORPHANS]
// The work folder must be on the same file system as $XDG_DATA_HOME (run.sh sees to both), so
// that the trash is the home trash, as for a user's own profile.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lnk_builder.h"
#include "platform/guarded_removal.h"
#include "scan/orphan_recheck.h"
#include "scan/orphan_removal.h"

namespace {

namespace fs = std::filesystem;
using namespace zendrift;

constexpr int kPerFolder = 10;

// A tree of `count` orphan files, ten to a folder, each folder keeping one other file so that
// both kinds of removal leave the folders alone, and their records as a scan would give them.
std::vector<scan::OrphanRecord> makeTree(const fs::path& root, int count) {
  std::vector<scan::OrphanRecord> records;
  for (int i = 0; i < count; ++i) {
    const fs::path folder = root / ("Programs " + std::to_string(i / kPerFolder));
    if (i % kPerFolder == 0) {
      fs::create_directories(folder);
      std::ofstream(folder / "readme.txt") << "stays";
    }
    const fs::path file = folder / ("Shortcut " + std::to_string(i % kPerFolder) + ".lnk");
    scan::OrphanRecord record;
    record.path = file.string();
    record.root = root.string();
    record.target = "C:\\Gone\\x.exe";
    zendrift::testing::LnkBuilder().localPath(record.target).writeTo(file);
    if (const auto identity = platform::entryIdentity(record.path)) {
      record.identity = *identity;
    } else {
      std::fprintf(stderr, "cannot read %s\n", record.path.c_str());
      std::exit(1);
    }
    records.push_back(std::move(record));
  }
  return records;
}

double timedRemoval(const fs::path& work, int count, scan::Disposal disposal) {
  const fs::path root = work / "tree";
  fs::remove_all(root);
  const std::vector<scan::OrphanRecord> records = makeTree(root, count);
  const auto start = std::chrono::steady_clock::now();
  const scan::RemovalReport report = scan::removeOrphans(records, {}, {}, {}, disposal, scan::RemovalCheck{});
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (report.deleted.size() != static_cast<std::size_t>(count) || !report.failures.empty()) {
    std::fprintf(stderr, "removed %zu of %d, %zu failure(s)%s%s\n", report.deleted.size(), count,
                 report.failures.size(), report.failures.empty() ? "" : ": ",
                 report.failures.empty() ? "" : report.failures.front().error.message().c_str());
    std::exit(1);
  }
  return seconds;
}

// The last look alone: every record read and judged again, nothing removed.
double timedRecheck(const fs::path& work, int count) {
  const fs::path root = work / "tree";
  fs::remove_all(root);
  const std::vector<scan::OrphanRecord> records = makeTree(root, count);
  const auto start = std::chrono::steady_clock::now();
  scan::OrphanRecheck recheck({});
  std::size_t kept = 0;
  for (const scan::OrphanRecord& record : records) kept += recheck.reasonToKeep(record) ? 1 : 0;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (kept != 0) {
    std::fprintf(stderr, "the last look kept %zu of %d orphans\n", kept, count);
    std::exit(1);
  }
  return seconds;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: removal_bench WORK_FOLDER [ROUNDS] [ORPHANS]\n");
    return 2;
  }
  const fs::path work = argv[1];
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 9;
  const int count = argc > 3 ? std::atoi(argv[3]) : 2500;
  std::vector<double> trash;
  std::vector<double> permanent;
  std::vector<double> recheck;
  for (int round = 0; round < rounds; ++round) {
    permanent.push_back(timedRemoval(work, count, scan::Disposal::permanent));
    // Each round starts from an empty trash, as the first did.
    fs::remove_all(work / "data/Trash");
    trash.push_back(timedRemoval(work, count, scan::Disposal::trash));
    recheck.push_back(timedRecheck(work, count));
    std::printf("round %d: permanent %.1f ms, trash %.1f ms, last look alone %.1f ms\n", round + 1,
                permanent.back() * 1000, trash.back() * 1000, recheck.back() * 1000);
  }
  const double ratio = median(trash) / median(permanent);
  std::printf("%d orphans, median of %d rounds: permanent %.1f ms, trash %.1f ms, ratio %.2f\n", count, rounds,
              median(permanent) * 1000, median(trash) * 1000, ratio);
  std::printf("the last look at each orphan: %.1f ms in all, %.1f us each, %.0f%% of a permanent removal\n",
              median(recheck) * 1000, median(recheck) * 1e6 / count, 100 * median(recheck) / median(permanent));
  return 0;
}
