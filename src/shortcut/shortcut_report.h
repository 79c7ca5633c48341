// Text forms of a read shortcut for the zendrift-lnk command: field lines and TSV lines.
#pragma once

#include <string>
#include <string_view>

#include "shortcut/shortcut_info.h"

namespace zendrift::shortcut {

// "File: path", one "Field: value" line per field, "Source: ...", then a blank line.
std::string formatShortcutFields(const ShortcutInfo& info);

// Path, tab, target, tab, source, newline; values escaped with escapeTsv.
std::string formatShortcutTsv(const ShortcutInfo& info);

// Tabs, newlines and backslashes written as \t, \n and \\; a carriage return as \r.
std::string escapeTsv(std::string_view value);

}  // namespace zendrift::shortcut
