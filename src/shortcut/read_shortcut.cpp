// Reading a shortcut file: one open and one read into a per-thread buffer, then the parser.
#include "shortcut/read_shortcut.h"

#include <memory>

#include "platform/file_prefix.h"
#include "shortcut/parse_shortcut.h"

namespace zendrift::shortcut {

bool readShortcutFile(ShortcutInfo& info, const EnvironmentExpander& expand) {
  // Reused across calls so that a scan allocates nothing per link beyond the kept strings.
  thread_local const std::unique_ptr<std::byte[]> buffer = std::make_unique<std::byte[]>(kMaxShortcutBytes);
  static const unsigned codePage = localeAnsiCodePage();

  const auto size = platform::readFilePrefix(info.fileName, std::span<std::byte>(buffer.get(), kMaxShortcutBytes));
  ParseOptions options;
  options.codePage = codePage;
  options.expandEnvironment = expand;
  parseShortcut(std::span<const std::byte>(buffer.get(), size.valueOr(0)), info, options);
  return size.hasValue();
}

void readShortcut(ShortcutInfo& info, const EnvironmentExpander& expand) { readShortcutFile(info, expand); }

}  // namespace zendrift::shortcut
