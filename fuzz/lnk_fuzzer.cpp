// libFuzzer entry: any bytes through the shortcut parser, with every decoded part asked for.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shortcut/parse_shortcut.h"
#include "shortcut/shortcut_report.h"

namespace {

// Keeps the profile out of the loop: the expansion itself is not under test here.
std::optional<std::string> expandNothing(std::string_view text) {
  if (text.size() % 2 == 0) return std::nullopt;
  return std::string(text) + "!";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zendrift::shortcut;
  const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  ShortcutInfo info;
  info.fileName = "fuzz.lnk";
  LinkDetails details;
  ParseOptions options;
  options.expandEnvironment = &expandNothing;
  parseShortcut(bytes, info, options, &details);
  // A second code page sends ANSI strings through the C library's converter.
  options.codePage = size > 0 && (data[0] & 1) ? 1251 : 932;
  parseShortcut(bytes, info, options);
  const std::string text = formatShortcutFields(info) + formatShortcutTsv(info);
  return text.empty() ? 1 : 0;
}
