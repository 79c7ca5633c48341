// libFuzzer entry: any bytes through the readers of the tools' files that prefix discovery
// reads (Steam's key-value text, Lutris's and Bottles' YAML). A malformed file must be refused,
// never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "profile/wine/valve_key_values.h"
#include "profile/wine/yaml_scalar.h"

namespace {

// Walks every node, as discovery walks the library list.
std::size_t visit(const zendrift::profile::wine::KeyValues& node) {
  std::size_t seen = node.key.size() + node.value.size();
  for (const auto& child : node.children) seen += visit(child);
  return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zendrift::profile::wine;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto parsed = parseKeyValues(text)) {
    volatile std::size_t seen = visit(*parsed);
    (void)seen;
    (void)parsed->child("libraryfolders");
  }
  (void)yamlScalar(text, "game", "prefix");
  (void)yamlScalar(text, "", "Name");
  return 0;
}
