// A shortcut's path as its user knows it, for the result list's lines: reached through a folder
// that Wine links to the Unix home's own (a prefix's Desktop is a link to ~/Desktop), it shows
// where that link leads, and on Linux the home folder reads "~". Display only: the records and
// everything the removal does keep the path the scan reached the shortcut by.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::ui {

// `path` found by the walk of `root`.
std::string shownPath(std::string_view path, std::string_view root);

}  // namespace zendrift::ui
