// One warm walk over a tree with the scan's rules: mask "*.lnk", every other rule at its default,
// counting the folders, entries and reported files.
//
// usage: search_bench TREE [ROUNDS] [THREADS]   prints, per round, the found count and the elapsed
// time; THREADS read folders, the walk counted (default 1: the plain walk).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "search/folder_walk.h"

int main(int argc, char** argv) {
  using namespace zendrift::search;
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s TREE [ROUNDS] [THREADS]\n", argv[0]);
    return 2;
  }
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 1;
  WalkRules rules;
  rules.mask = "*.lnk";
  rules.threads = argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 1u;

  for (int round = 0; round < rounds; ++round) {
    long found = 0;
    long entries = 0;
    long failed = 0;
    const auto start = std::chrono::steady_clock::now();
    FolderWalk walk(argv[1], rules);
    while (const std::optional<Folder> folder = walk.next()) {
      entries += static_cast<long>(folder->listing.entries.size());
      found += static_cast<long>(folder->fileIndices.size());
      failed += folder->error ? 1 : 0;
    }
    const auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
    std::printf("found %ld (entries %ld, unreadable folders %ld) in %.2f ms\n", found, entries, failed, elapsed.count());
  }
  return 0;
}
