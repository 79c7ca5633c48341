// The exclude list: the shortcuts the user never wants marked.
//
// It is stored as text, each entry followed by ", ". Entries are only ever appended, so a list
// written by hand keeps its bytes up to the end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zendrift::settings {

// Whether `path` stands in `list` as a whole entry: at the start of the list or right after
// ", ", and up to the next ", " or the end. Exact and case-sensitive; an empty path never does.
// A path that itself holds ", " still counts where it stands whole.
bool excludeListHolds(std::string_view list, std::string_view path);

// Appends `entry` and ", ". A list that does not end in ", " (written by hand, or "x," as the
// INI reader gives the stored "x, ") gets its separator first, so the two never run together.
void appendExcludeEntry(std::string& list, std::string_view entry);

// Appends each of `paths` in turn, except a path that holds a line break: the settings file keeps
// a value on one line, so it would be saved as a blank, never match again, and the next run would
// delete the shortcut. Returns the paths left off, in order.
std::vector<std::string> appendExcludeEntries(std::string& list, const std::vector<std::string>& paths);
// What the user is told about paths appendExcludeEntries left off: one line for each.
std::string refusedExcludeEntriesMessage(const std::vector<std::string>& refused);

// `own` followed by each entry of `onDisk` that does not stand in it yet, in the disk's order:
// what another process put on the list since `own` was read survives, and nothing is doubled.
std::string mergeExcludeLists(std::string_view own, std::string_view onDisk);

}  // namespace zendrift::settings
