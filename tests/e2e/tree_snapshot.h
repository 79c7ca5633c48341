// A snapshot of a folder tree: every entry's kind and content, to see exactly what a run changed.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace zendrift::testing {

// Relative path -> "dir", "file:" + content, or "link:" + where the link points.
using TreeSnapshot = std::map<std::string, std::string>;

TreeSnapshot snapshot(const std::filesystem::path& root);

}  // namespace zendrift::testing
