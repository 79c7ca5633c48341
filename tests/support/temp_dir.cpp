// Test helpers for real files.
#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>

// Builds that compile these helpers outside the test tree (the benchmarks) have no defaults.
#ifndef ZENDRIFT_BIN_DEFAULT
#define ZENDRIFT_BIN_DEFAULT ""
#endif
#ifndef ZENDRIFT_TEST_TMP_DEFAULT
#define ZENDRIFT_TEST_TMP_DEFAULT ""
#endif
#ifndef ZENDRIFT_SOURCE_DIR_DEFAULT
#define ZENDRIFT_SOURCE_DIR_DEFAULT ""
#endif

namespace zendrift::testing {

namespace {
std::filesystem::path testArea() {
  const std::string area = testSetting("ZENDRIFT_TEST_TMP");
  return area.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(area);
}
}  // namespace

std::string testSetting(const std::string& name) {
  if (const char* value = std::getenv(name.c_str()); value && *value) return value;
  if (name == "ZENDRIFT_BIN") return ZENDRIFT_BIN_DEFAULT;
  if (name == "ZENDRIFT_TEST_TMP") return ZENDRIFT_TEST_TMP_DEFAULT;
  if (name == "ZENDRIFT_SOURCE_DIR") return ZENDRIFT_SOURCE_DIR_DEFAULT;
  return {};
}

TempDir::TempDir() {
  std::random_device device;
  std::mt19937_64 random(device());
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = testArea() / ("zd-" + std::to_string(random() % 1000000000ULL));
    std::error_code error;
    std::filesystem::create_directories(candidate.parent_path(), error);
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = std::filesystem::weakly_canonical(candidate);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code error;
  // Make read-only folders writable again so that everything below them can go.
  for (auto it = std::filesystem::recursive_directory_iterator(
           path_, std::filesystem::directory_options::skip_permission_denied, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_directory(error) && !it->is_symlink(error)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
    }
  }
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(path_, error);
}

void writeFile(const std::filesystem::path& path, std::string_view content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedEnv::ScopedEnv(std::string name, const char* value) : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) {
    hadValue_ = true;
    oldValue_ = old;
  }
  if (value) {
    ::setenv(name_.c_str(), value, 1);
  } else {
    ::unsetenv(name_.c_str());
  }
}

ScopedEnv::~ScopedEnv() {
  if (hadValue_) {
    ::setenv(name_.c_str(), oldValue_.c_str(), 1);
  } else {
    ::unsetenv(name_.c_str());
  }
}

}  // namespace zendrift::testing
