// The exclude list: the shortcuts the user never wants marked.
//
// It is stored as text, each entry followed by ", ". Entries are only ever appended, so a list
// written by hand keeps its bytes up to the end.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::settings {

// Whether `path` stands in `list` as a whole entry: at the start of the list or right after
// ", ", and up to the next ", " or the end. Exact and case-sensitive; an empty path never does.
// A path that itself holds ", " still counts where it stands whole.
bool excludeListHolds(std::string_view list, std::string_view path);

// Appends `entry` and ", ". A list that does not end in ", " (written by hand, or "x," as the
// INI reader gives the stored "x, ") gets its separator first, so the two never run together.
void appendExcludeEntry(std::string& list, std::string_view entry);

// `own` followed by each entry of `onDisk` that does not stand in it yet, in the disk's order:
// what another process put on the list since `own` was read survives, and nothing is doubled.
std::string mergeExcludeLists(std::string_view own, std::string_view onDisk);

}  // namespace zendrift::settings
