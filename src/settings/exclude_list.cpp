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

}  // namespace zendrift::settings
