// Reading a shortcut file: one open and one read into a per-thread buffer, then the parser.
#include "shortcut/read_shortcut.h"

#include <memory>

#include "platform/file_prefix.h"
#include "shortcut/parse_shortcut.h"

namespace zendrift::shortcut {

namespace {

ParseOptions parseOptions(const EnvironmentExpander& expand) {
  static const unsigned codePage = localeAnsiCodePage();
  ParseOptions options;
  options.codePage = codePage;
  options.expandEnvironment = expand;
  return options;
}

}  // namespace

bool readShortcutFile(ShortcutInfo& info, const EnvironmentExpander& expand) {
  // Reused across calls so that a scan allocates nothing per link beyond the kept strings.
  thread_local const std::unique_ptr<std::byte[]> buffer = std::make_unique<std::byte[]>(kMaxShortcutBytes);
  const auto size = platform::readFilePrefix(info.fileName, std::span<std::byte>(buffer.get(), kMaxShortcutBytes));
  parseShortcut(std::span<const std::byte>(buffer.get(), size.valueOr(0)), info, parseOptions(expand));
  return size.hasValue();
}

void readShortcutBytes(ShortcutInfo& info, std::string_view bytes, const EnvironmentExpander& expand) {
  parseShortcut(bytes.substr(0, kMaxShortcutBytes), info, parseOptions(expand));
}

}  // namespace zendrift::shortcut
