// The exclude list: the shortcuts the user never wants marked.
#include "settings/exclude_list.h"

namespace zendrift::settings {

namespace {
constexpr std::string_view kSeparator = ", ";
}  // namespace

// Entries are stored one after another, each followed by ", ". A path counts only where it
// stands whole: at the start or after a separator, and up to a separator or the end. A plain
// substring search would let "/old/home/ann/a.lnk" exclude "/home/ann/a.lnk" as well.
bool excludeListHolds(std::string_view list, std::string_view path) {
  if (path.empty()) return false;
  for (std::size_t at = list.find(path); at != std::string_view::npos; at = list.find(path, at + 1)) {
    const bool startsEntry = at == 0 || list.substr(0, at).ends_with(kSeparator);
    const std::string_view rest = list.substr(at + path.size());
    if (startsEntry && (rest.empty() || rest.starts_with(kSeparator))) return true;
  }
  return false;
}

void appendExcludeEntry(std::string& list, std::string_view entry) {
  if (!list.empty() && !list.ends_with(kSeparator)) list += list.back() == ',' ? " " : kSeparator;
  list += entry;
  list += kSeparator;
}

std::vector<std::string> appendExcludeEntries(std::string& list, const std::vector<std::string>& paths) {
  std::vector<std::string> refused;
  for (const std::string& path : paths) {
    // No test for a path already there, as the list has always grown.
    if (path.find_first_of("\r\n") != std::string::npos) {
      refused.push_back(path);
    } else {
      appendExcludeEntry(list, path);
    }
  }
  return refused;
}

std::string refusedExcludeEntriesMessage(const std::vector<std::string>& refused) {
  std::string message;
  for (const std::string& path : refused) {
    if (!message.empty()) message += '\n';
    message += "Cannot put \"" + path + "\" on the exclude list: its path holds a line break.";
  }
  return message;
}

std::string mergeExcludeLists(std::string_view own, std::string_view onDisk) {
  std::string merged(own);
  // "x," is the stored "x, " as the INI reader gives it; the blank lets "x" count as present.
  if (merged.ends_with(',')) merged += ' ';
  // Cut at every ", ": the pieces of a path that holds one are missing together and so are
  // appended one after another, which rebuilds that path.
  std::size_t start = 0;
  while (start < onDisk.size()) {
    std::size_t end = onDisk.find(kSeparator, start);
    if (end == std::string_view::npos) end = onDisk.size();
    std::string_view entry = onDisk.substr(start, end - start);
    // The INI reader drops the blank of the last ", ".
    if (end == onDisk.size() && entry.ends_with(',')) entry.remove_suffix(1);
    if (!entry.empty() && !excludeListHolds(merged, entry)) appendExcludeEntry(merged, entry);
    start = end + kSeparator.size();
  }
  return merged;
}

}  // namespace zendrift::settings
