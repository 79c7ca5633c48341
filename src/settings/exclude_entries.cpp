// The exclude list's text: entries separated by ", ".
#include "settings/exclude_entries.h"

namespace zendrift::settings {

namespace {
constexpr std::string_view kSeparator = ", ";
}  // namespace

bool excludeEntryPresent(std::string_view list, std::string_view entry) {
  if (entry.empty()) return false;
  for (std::size_t at = list.find(entry); at != std::string_view::npos; at = list.find(entry, at + 1)) {
    const std::size_t end = at + entry.size();
    const bool starts = at == 0 || (at >= kSeparator.size() && list.substr(at - kSeparator.size(), kSeparator.size()) == kSeparator);
    const bool ends = end == list.size() || list.substr(end, kSeparator.size()) == kSeparator;
    if (starts && ends) return true;
  }
  return false;
}

void appendExcludeEntry(std::string& list, std::string_view entry) {
  if (!list.empty() && !list.ends_with(kSeparator)) list += list.back() == ',' ? " " : kSeparator;
  list += entry;
  list += kSeparator;
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
    if (!entry.empty() && !excludeEntryPresent(merged, entry)) appendExcludeEntry(merged, entry);
    start = end + kSeparator.size();
  }
  return merged;
}

}  // namespace zendrift::settings
