// One warm search over a tree with the scan window's configuration: mask "*.lnk", search by mask
// only, every other option at its default, and a handler that counts the found files.
//
// usage: search_bench TREE [ROUNDS] [THREADS]   prints, per round, the found count and the elapsed
// time; THREADS read folders, the walk counted (default 1: the plain walk).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "search/file_search.h"

int main(int argc, char** argv) {
  using namespace zendrift::search;
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s TREE [ROUNDS] [THREADS]\n", argv[0]);
    return 2;
  }
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 1;

  FileSearch search;
  search.setReadAheadThreads(argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 1u);
  search.fileParams().setSearchTypes({stFileMask});
  long found = 0;
  long progress = 0;
  search.onFindFile = [&](FileSearch&, const std::string&) { ++found; };
  search.onProgress = [&](FileSearch&) { ++progress; };

  for (int round = 0; round < rounds; ++round) {
    found = 0;
    progress = 0;
    const auto start = std::chrono::steady_clock::now();
    search.setRootDirectory(argv[1]);
    search.fileParams().fileMasks().clear();
    search.fileParams().fileMasks().add("*.lnk");
    const bool completed = search.search();
    const auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
    std::printf("found %ld (entries %ld, completed %d) in %.2f ms\n", found, progress, completed ? 1 : 0,
                elapsed.count());
  }
  return 0;
}
