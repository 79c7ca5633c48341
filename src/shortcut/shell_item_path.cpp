// Walking the shell items of an ID list: root folders, volumes, network places, file entries.
#include "shortcut/shell_item_path.h"

#include <array>

#include "shortcut/encoded_text.h"

namespace zendrift::shortcut {

namespace {

using Guid = std::array<std::uint8_t, 16>;

// {20D04FE0-3AEA-1069-A2D8-08002B30309D} and {208D2C60-3AEA-1069-A2D7-08002B30309D}, as stored.
constexpr Guid kMyComputer = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                              0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
constexpr Guid kNetwork = {0x60, 0x2C, 0x8D, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                           0xA2, 0xD7, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

constexpr std::uint32_t kFileEntryExtension = 0xBEEF0004;

enum class Place { Desktop, Computer, Network, Path };

bool guidAt(ByteView item, std::size_t offset, const Guid& guid) {
  if (!item.has(offset, guid.size())) return false;
  for (std::size_t i = 0; i < guid.size(); ++i) {
    if (item.u8(offset + i) != guid[i]) return false;
  }
  return true;
}

// The long name of a file entry's extension block at `offset`, when the block is sound. Wine
// writes the same block without signature or version; its name then sits where version 3 has it.
EncodedText extensionLongName(ByteView item, std::size_t offset) {
  if (!item.has(offset, 8)) return {};
  const std::uint16_t size = item.u16(offset);
  if (size < 0x16 || !item.has(offset, size)) return {};
  const ByteView block = item.sub(offset, size);
  const std::uint16_t version = block.u16(2);
  const std::uint32_t signature = block.u32(4);
  std::size_t nameOffset = 0;
  if (signature == kFileEntryExtension) {
    if (version >= 9) {
      nameOffset = 0x2E;
    } else if (version == 8) {
      nameOffset = 0x2A;
    } else if (version == 7) {
      nameOffset = 0x26;
    } else if (version >= 3) {
      nameOffset = 0x14;
    } else {
      return {};
    }
  } else if (signature == 0 && version == 0) {
    nameOffset = 0x14;
  } else {
    return {};
  }
  // The block ends with the two-byte offset of itself; the name lies before that.
  if (nameOffset + 2 >= block.size()) return {};
  const ByteView names = block.sub(0, block.size() - 2);
  const std::span<const std::uint8_t> name = names.wideString(nameOffset);
  if (name.empty()) return {};
  return EncodedText{name, true, true};
}

// The name of a file entry: the long Unicode name from its extension block, else the primary name.
EncodedText fileEntryName(ByteView item) {
  const std::uint8_t type = item.u8(2);
  constexpr std::size_t kNameOffset = 14;
  if (!item.has(kNameOffset, 1)) return {};
  const bool wide = (type & 0x04) != 0;
  EncodedText primary{wide ? item.wideString(kNameOffset) : item.narrowString(kNameOffset), wide, true};

  // Windows and Wine both end the item with the offset of its extension block.
  const std::size_t trailer = item.u16(item.size() - 2);
  if (trailer >= kNameOffset && trailer + 8 <= item.size()) {
    const EncodedText name = extensionLongName(item, trailer);
    if (name.present) return name;
  }
  // Otherwise look for the block's signature after the primary name.
  const std::size_t nameEnd = kNameOffset + primary.bytes.size() + (wide ? 2 : 1);
  for (std::size_t at = nameEnd; at + 8 <= item.size(); ++at) {
    if (item.u32(at + 4) == kFileEntryExtension) {
      const EncodedText name = extensionLongName(item, at);
      if (name.present) return name;
    }
  }
  return primary;
}

void appendComponent(std::string& out, std::size_t start, const EncodedText& name, unsigned codePage) {
  if (out.size() > start && out.back() != '\\') out.push_back('\\');
  name.appendTo(out, codePage);
}

// True when the text from `start` is "\\server\share", more than a bare server.
bool isShare(const std::string& out, std::size_t start) {
  if (out.size() < start + 2) return false;
  const std::size_t slash = out.find('\\', start + 2);
  return slash != std::string::npos && slash + 1 < out.size();
}

// Follows the items, appending to `out`; false when they name no file-system path.
bool walk(std::string& out, ByteView items, unsigned codePage) {
  const std::size_t start = out.size();
  Place place = Place::Desktop;
  std::size_t offset = 0;
  while (true) {
    if (!items.has(offset, 2)) return false;
    const std::uint16_t size = items.u16(offset);
    if (size == 0) break;
    if (size < 3 || !items.has(offset, size)) return false;
    const ByteView item = items.sub(offset, size);
    const std::uint8_t type = item.u8(2);
    offset += size;

    if (place == Place::Desktop && type == 0x1F) {
      if (guidAt(item, 4, kMyComputer)) {
        place = Place::Computer;
      } else if (guidAt(item, 4, kNetwork)) {
        place = Place::Network;
      } else {
        return false;  // another root folder: Control Panel, a library, the user's files...
      }
    } else if (place == Place::Computer && (type & 0xF0) == 0x20 && (type & 0x0F) != 0x0E) {
      // A volume: its name ("C:\") follows the type.
      const std::span<const std::uint8_t> name = item.sub(3, 20).narrowString(0);
      if (name.empty()) return false;
      appendAnsi(out, name, codePage);
      if (out.back() != '\\') out.push_back('\\');
      place = Place::Path;
    } else if ((place == Place::Network || place == Place::Desktop) && (type & 0x70) == 0x40) {
      // A network place names its whole location ("\\server", then "\\server\share").
      const std::span<const std::uint8_t> name = item.narrowString(5);
      if (name.size() < 3 || name[0] != '\\' || name[1] != '\\') return false;
      out.resize(start);
      appendAnsi(out, name, codePage);
      place = Place::Network;
    } else if ((place == Place::Path || place == Place::Network) && (type & 0x70) == 0x30 && size >= 16) {
      if (place == Place::Network && !isShare(out, start)) return false;
      const EncodedText name = fileEntryName(item);
      if (name.empty()) return false;
      appendComponent(out, start, name, codePage);
      place = Place::Path;
    } else {
      return false;
    }
  }
  // The Computer itself, a bare server or the desktop is no file-system path.
  return place == Place::Path || (place == Place::Network && isShare(out, start));
}

}  // namespace

bool appendIdListPath(std::string& out, ByteView items, unsigned codePage) {
  const std::size_t start = out.size();
  if (!walk(out, items, codePage)) {
    out.resize(start);
    return false;
  }
  return true;
}

}  // namespace zendrift::shortcut
