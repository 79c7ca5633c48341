// Embeds the program's file version in the executable as an ELF note, where versionStamp finds
// it by reading the file. Windows builds carry a version resource instead.
#include <cstdint>

namespace {

struct VersionNote {
  std::uint32_t nameSize;
  std::uint32_t descriptorSize;
  std::uint32_t type;
  char name[12];
  std::uint32_t mostSignificant;
  std::uint32_t leastSignificant;
};

[[gnu::section(".note.zendrift.version"), gnu::used, gnu::aligned(4)]] const VersionNote kVersionNote{
    9, 8, 1, "Zendrift",
    (std::uint32_t{ZENDRIFT_VERSION_MAJOR} << 16) | ZENDRIFT_VERSION_MINOR,
    (std::uint32_t{ZENDRIFT_VERSION_PATCH} << 16) | ZENDRIFT_VERSION_TWEAK};

}  // namespace
