// Reading one shortcut file from disk into a ShortcutInfo.
#pragma once

#include <cstddef>
#include <string_view>

#include "shortcut/parse_shortcut.h"
#include "shortcut/shortcut_info.h"

namespace zendrift::shortcut {

// Only this much of a file is read: no sound link comes near it.
inline constexpr std::size_t kMaxShortcutBytes = 1024 * 1024;

// Reads the file named by info.fileName and fills the other fields; false when it could not be
// opened and read at all. A file that is not a shell link leaves them empty or zero. Never throws
// for bad content. An environment-variable target is expanded by `expand`, which knows the
// profile holding the file.
[[nodiscard]] bool readShortcutFile(ShortcutInfo& info, const EnvironmentExpander& expand);

// The same for a shortcut whose bytes were read already (all of them, up to kMaxShortcutBytes);
// the file info.fileName names is not opened.
void readShortcutBytes(ShortcutInfo& info, std::string_view bytes, const EnvironmentExpander& expand);

}  // namespace zendrift::shortcut
