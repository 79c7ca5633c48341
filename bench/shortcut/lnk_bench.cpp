// Per-link cost of our reader against liblnk over the shortcut corpus: in memory side by side,
// and from files in /dev/shm (one open and one read per link).
#include <benchmark/benchmark.h>
#include <libbfio.h>
#include <liblnk.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <atomic>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "shortcut/parse_shortcut.h"
#include "shortcut/read_shortcut.h"

// Every allocation of the process is counted, to show what reading one link allocates.
// GCC sees the replaced global new inlined as malloc and then warns of a mismatch at every
// delete it inlines as free; the pair matches by construction.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
namespace {
std::atomic<std::size_t> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace zendrift::shortcut;

std::vector<std::filesystem::path> corpusFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(ZENDRIFT_LNK_CORPUS)) {
    if (entry.path().extension() == ".lnk") files.push_back(entry.path());
  }
  return files;
}

const std::vector<std::string>& corpus() {
  static const std::vector<std::string> links = [] {
    std::vector<std::string> data;
    for (const auto& path : corpusFiles()) {
      std::ifstream in(path, std::ios::binary);
      data.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return data;
  }();
  return links;
}

// The corpus copied to /dev/shm, so that file reads measure the readers, not the disk.
const std::vector<std::string>& shmFiles() {
  static const std::vector<std::string> paths = [] {
    const std::filesystem::path dir = "/dev/shm/zendrift-lnk-bench";
    std::filesystem::create_directories(dir);
    std::vector<std::string> out;
    for (const auto& path : corpusFiles()) {
      const auto copy = dir / path.filename();
      std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing);
      out.push_back(copy.string());
    }
    return out;
  }();
  return paths;
}

std::optional<std::string> keep(std::string_view) { return std::nullopt; }

void perLink(benchmark::State& state, std::size_t links) {
  state.counters["per_link"] = benchmark::Counter(static_cast<double>(links),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}

void ZendriftParseMemory(benchmark::State& state) {
  const auto& links = corpus();
  ShortcutInfo info;
  ParseOptions options;
  options.expandEnvironment = &keep;
  std::size_t before = 0;
  bool first = true;
  for (auto _ : state) {
    for (const std::string& link : links) {
      parseShortcut(link, info, options);
      benchmark::DoNotOptimize(info.target.data());
    }
    // After one pass the reused record's strings have room for every link's text.
    if (first) {
      before = allocations.load();
      first = false;
    }
  }
  perLink(state, links.size());
  const double later = static_cast<double>(state.iterations() - 1) * static_cast<double>(links.size());
  state.counters["allocs_per_link"] = later > 0 ? static_cast<double>(allocations.load() - before) / later : 0.0;
}

// liblnk: open each in-memory link through a libbfio memory range, read the local and network path.
std::size_t liblnkReadPaths(libbfio_handle_t* handle) {
  liblnk_file_t* file = nullptr;
  liblnk_error_t* error = nullptr;
  std::size_t total = 0;
  if (liblnk_file_initialize(&file, &error) == 1 && liblnk_file_open_file_io_handle(file, handle, LIBLNK_OPEN_READ, &error) == 1) {
    uint8_t path[4096];
    size_t size = 0;
    if (liblnk_file_get_utf8_local_path_size(file, &size, &error) == 1 && size > 0 && size <= sizeof path &&
        liblnk_file_get_utf8_local_path(file, path, size, &error) == 1) {
      total += size;
    }
    if (error) liblnk_error_free(&error);
    if (liblnk_file_get_utf8_network_path_size(file, &size, &error) == 1 && size > 0 && size <= sizeof path &&
        liblnk_file_get_utf8_network_path(file, path, size, &error) == 1) {
      total += size;
    }
    if (error) liblnk_error_free(&error);
    liblnk_file_close(file, &error);
  }
  if (error) liblnk_error_free(&error);
  if (file) liblnk_file_free(&file, nullptr);
  return total;
}

void LiblnkOpenMemory(benchmark::State& state) {
  const auto& links = corpus();
  for (auto _ : state) {
    for (const std::string& link : links) {
      libbfio_handle_t* handle = nullptr;
      libbfio_error_t* error = nullptr;
      if (libbfio_memory_range_initialize(&handle, &error) == 1 &&
          libbfio_memory_range_set(handle, reinterpret_cast<uint8_t*>(const_cast<char*>(link.data())), link.size(), &error) == 1) {
        benchmark::DoNotOptimize(liblnkReadPaths(handle));
      }
      if (error) libbfio_error_free(&error);
      if (handle) libbfio_handle_free(&handle, nullptr);
    }
  }
  perLink(state, links.size());
}

void ZendriftReadShmFile(benchmark::State& state) {
  const auto& paths = shmFiles();
  ShortcutInfo info;
  std::size_t before = 0;
  bool first = true;
  for (auto _ : state) {
    for (const std::string& path : paths) {
      info.fileName = path;
      benchmark::DoNotOptimize(readShortcutFile(info, {}));
      benchmark::DoNotOptimize(info.target.data());
    }
    if (first) {
      before = allocations.load();
      first = false;
    }
  }
  perLink(state, paths.size());
  const double later = static_cast<double>(state.iterations() - 1) * static_cast<double>(paths.size());
  state.counters["allocs_per_link"] = later > 0 ? static_cast<double>(allocations.load() - before) / later : 0.0;
}

void LiblnkOpenShmFile(benchmark::State& state) {
  const auto& paths = shmFiles();
  for (auto _ : state) {
    for (const std::string& path : paths) {
      liblnk_file_t* file = nullptr;
      liblnk_error_t* error = nullptr;
      if (liblnk_file_initialize(&file, &error) == 1 && liblnk_file_open(file, path.c_str(), LIBLNK_OPEN_READ, &error) == 1) {
        uint8_t buffer[4096];
        size_t size = 0;
        if (liblnk_file_get_utf8_local_path_size(file, &size, &error) == 1 && size > 0 && size <= sizeof buffer) {
          liblnk_file_get_utf8_local_path(file, buffer, size, &error);
        }
        if (error) liblnk_error_free(&error);
        if (liblnk_file_get_utf8_network_path_size(file, &size, &error) == 1 && size > 0 && size <= sizeof buffer) {
          liblnk_file_get_utf8_network_path(file, buffer, size, &error);
        }
        if (error) liblnk_error_free(&error);
        liblnk_file_close(file, &error);
      }
      if (error) liblnk_error_free(&error);
      if (file) liblnk_file_free(&file, nullptr);
    }
  }
  perLink(state, paths.size());
}

BENCHMARK(ZendriftParseMemory);
BENCHMARK(LiblnkOpenMemory);
BENCHMARK(ZendriftReadShmFile);
BENCHMARK(LiblnkOpenShmFile);

}  // namespace

BENCHMARK_MAIN();
