// Test helpers for the walk: the scan's rules, a walk run to its end into plain values, and
// attribute setters.
#pragma once

#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "search/folder_walk.h"
#include "temp_dir.h"

namespace zendrift::search::test {

// The scan's rules: files by the mask "*.lnk", every other rule at its default.
inline WalkRules linkRules() {
  WalkRules rules;
  rules.mask = "*.lnk";
  return rules;
}

// One folder as a walk handed it out.
struct Walked {
  std::string path;
  std::error_code error;
  std::vector<std::string> entries;  // every listed name, "." and ".." included
  std::vector<std::string> files;    // the reported files' full paths
};

// Runs the walk to its end; `onFolder` sees each folder as it comes, with the walk (to skip its
// subfolders, say).
inline std::vector<Walked> walkAll(const std::string& root, WalkRules rules = linkRules(), std::stop_token stop = {},
                                   const std::function<void(FolderWalk&, const Folder&)>& onFolder = {}) {
  std::vector<Walked> walked;
  FolderWalk walk(root, std::move(rules), std::move(stop));
  while (std::optional<Folder> folder = walk.next()) {
    Walked& out = walked.emplace_back(Walked{folder->path(), folder->error, {}, {}});
    for (const FolderSnapshot::Entry& entry : folder->listing.entries) out.entries.emplace_back(folder->name(entry));
    for (const FolderSnapshot::Entry& file : folder->files()) out.files.push_back(folder->pathOf(file));
    if (onFolder) onFolder(walk, *folder);
  }
  return walked;
}

inline std::vector<std::string> pathsOf(const std::vector<Walked>& walked) {
  std::vector<std::string> paths;
  for (const Walked& folder : walked) paths.push_back(folder.path);
  return paths;
}

inline std::set<std::string> filesOf(const std::vector<Walked>& walked) {
  std::set<std::string> files;
  for (const Walked& folder : walked) files.insert(folder.files.begin(), folder.files.end());
  return files;
}

inline void setDosAttributes(const std::filesystem::path& path, const char* value) {
  ASSERT_EQ(::lsetxattr(path.c_str(), "user.DOSATTRIB", value, std::char_traits<char>::length(value), 0), 0)
      << "extended attributes unsupported at " << path;
}

}  // namespace zendrift::search::test
