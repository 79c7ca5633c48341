// Test helpers for the engine: a recorder bound to every event, and tree builders.
#pragma once

#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "search/file_search.h"
#include "temp_dir.h"

namespace zendrift::search::test {

// The window's configuration: files by the mask "*.lnk", every other option at its default.
inline void useLinkMask(FileSearch& search, const std::string& root) {
  search.fileParams().setSearchTypes({stFileMask});
  search.fileParams().fileMasks().clear();
  search.fileParams().fileMasks().add("*.lnk");
  search.setRootDirectory(root);
}

// Records the events of one engine, in order.
struct Recorder {
  std::vector<std::string> log;  // "begin <folder>", "file <name>", "dir <name>", "abort", "error"
  int progress = 0;

  explicit Recorder(FileSearch& search) {
    search.onBeginScanDir = [this](FileSearch&, const std::string& folder) { log.push_back("begin " + folder); };
    search.onFindFile = [this](FileSearch&, const std::string& name) { log.push_back("file " + name); };
    search.onFindDirectory = [this](FileSearch&, const std::string& name) { log.push_back("dir " + name); };
    search.onAbort = [this](FileSearch&) { log.push_back("abort"); };
    search.onProgress = [this](FileSearch&) { ++progress; };
  }

  std::set<std::string> with(const std::string& prefix) const {
    std::set<std::string> found;
    for (const std::string& line : log) {
      if (line.rfind(prefix + " ", 0) == 0) found.insert(line.substr(prefix.size() + 1));
    }
    return found;
  }
  std::set<std::string> files() const { return with("file"); }
  std::set<std::string> dirs() const { return with("dir"); }
  std::set<std::string> begun() const { return with("begin"); }
};

inline void setDosAttributes(const std::filesystem::path& path, const char* value) {
  ASSERT_EQ(::lsetxattr(path.c_str(), "user.DOSATTRIB", value, std::char_traits<char>::length(value), 0), 0)
      << "extended attributes unsupported at " << path;
}

inline std::set<std::string> asSet(const StringList& list) { return {list.begin(), list.end()}; }

}  // namespace zendrift::search::test
