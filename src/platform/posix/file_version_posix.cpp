// Finds the version note in an ELF executable by walking its section headers.
//
// Only note sections are read, each checked against the file's size first, so a damaged or
// foreign file gives no version rather than a wrong one.
#include <cstring>

#include "platform/file_system.h"
#include "platform/file_version.h"

namespace zendrift::platform {

namespace {

constexpr std::uint32_t kSectionTypeNote = 7;
constexpr std::size_t kMaxExecutableSize = 512u * 1024 * 1024;

// Reads little- or big-endian integers from a byte buffer, bounds checked.
class ElfReader {
 public:
  ElfReader(std::string_view data, bool bigEndian) : data_(data), bigEndian_(bigEndian) {}

  bool has(std::uint64_t offset, std::uint64_t size) const {
    return offset <= data_.size() && size <= data_.size() - offset;
  }
  std::uint64_t read(std::uint64_t offset, std::size_t size) const {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const std::size_t index = bigEndian_ ? i : size - 1 - i;
      value = (value << 8) | static_cast<unsigned char>(data_[offset + index]);
    }
    return value;
  }
  std::string_view bytes(std::uint64_t offset, std::uint64_t size) const { return data_.substr(offset, size); }

 private:
  std::string_view data_;
  bool bigEndian_;
};

constexpr std::uint64_t align4(std::uint64_t n) { return (n + 3) & ~std::uint64_t{3}; }

std::optional<FileVersion> versionInNotes(const ElfReader& elf, std::uint64_t offset, std::uint64_t size) {
  const std::uint64_t end = offset + size;
  while (offset + 12 <= end) {
    const std::uint64_t nameSize = elf.read(offset, 4);
    const std::uint64_t descSize = elf.read(offset + 4, 4);
    const std::uint64_t type = elf.read(offset + 8, 4);
    const std::uint64_t nameAt = offset + 12;
    const std::uint64_t descAt = nameAt + align4(nameSize);
    if (nameSize > size || descSize > size || descAt + align4(descSize) > end) return std::nullopt;
    std::string_view name = elf.bytes(nameAt, nameSize);
    if (!name.empty() && name.back() == '\0') name.remove_suffix(1);
    if (type == kVersionNoteType && name == kVersionNoteName && descSize >= 8) {
      const auto most = static_cast<std::uint32_t>(elf.read(descAt, 4));
      const auto least = static_cast<std::uint32_t>(elf.read(descAt + 4, 4));
      return FileVersion{static_cast<std::uint16_t>(most >> 16), static_cast<std::uint16_t>(most & 0xFFFF),
                         static_cast<std::uint16_t>(least >> 16), static_cast<std::uint16_t>(least & 0xFFFF)};
    }
    offset = descAt + align4(descSize);
  }
  return std::nullopt;
}

}  // namespace

std::optional<FileVersion> readFileVersion(std::string_view path) {
  const auto file = readFile(path, kMaxExecutableSize);
  if (!file || file->size() < 0x40 || std::memcmp(file->data(), "\x7F" "ELF", 4) != 0) return std::nullopt;
  const bool wide = (*file)[4] == 2;
  const bool bigEndian = (*file)[5] == 2;
  const ElfReader elf(*file, bigEndian);

  const std::uint64_t sectionTable = wide ? elf.read(0x28, 8) : elf.read(0x20, 4);
  const std::uint64_t entrySize = elf.read(wide ? 0x3A : 0x2E, 2);
  const std::uint64_t count = elf.read(wide ? 0x3C : 0x30, 2);
  if (entrySize < (wide ? 0x40u : 0x28u) || !elf.has(sectionTable, entrySize * count)) return std::nullopt;

  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint64_t header = sectionTable + i * entrySize;
    if (elf.read(header + 4, 4) != kSectionTypeNote) continue;
    const std::uint64_t offset = wide ? elf.read(header + 0x18, 8) : elf.read(header + 0x10, 4);
    const std::uint64_t size = wide ? elf.read(header + 0x20, 8) : elf.read(header + 0x14, 4);
    if (!elf.has(offset, size)) continue;
    if (auto version = versionInNotes(elf, offset, size)) return version;
  }
  return std::nullopt;
}

}  // namespace zendrift::platform
