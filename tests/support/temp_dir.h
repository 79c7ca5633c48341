// Test helpers for real files: a temporary folder that removes itself, and file writers.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zendrift::testing {

// A fresh folder below the build tree's test area (or the system's temporary folder), removed
// with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const noexcept { return path_; }
  std::string str() const { return path_.string(); }
  // `relative` below the folder, as a string.
  std::string operator/(std::string_view relative) const { return (path_ / relative).string(); }

 private:
  std::filesystem::path path_;
};

// Writes `content` to `path`, creating missing parent folders.
void writeFile(const std::filesystem::path& path, std::string_view content);
std::string readFile(const std::filesystem::path& path);

// A test setting: the environment variable `name` when set, else the build's default for
// ZENDRIFT_BIN (the zendrift binary), ZENDRIFT_TEST_TMP (the scratch area) and
// ZENDRIFT_SOURCE_DIR (the source tree). Empty for other names.
std::string testSetting(const std::string& name);

// Sets an environment variable for the life of the object and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const char* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool hadValue_ = false;
  std::string oldValue_;
};

}  // namespace zendrift::testing
