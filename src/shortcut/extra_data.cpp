// Reading the ExtraData blocks.
#include "shortcut/extra_data.h"

namespace zendrift::shortcut {

namespace {

constexpr std::uint32_t kEnvironmentBlock = 0xA0000001;
constexpr std::uint32_t kSpecialFolderBlock = 0xA0000005;
constexpr std::uint32_t kDarwinBlock = 0xA0000006;
constexpr std::uint32_t kKnownFolderBlock = 0xA000000B;
constexpr std::size_t kEnvironmentBlockSize = 0x314;  // also the Darwin block's

// The 260-byte ANSI and 520-byte Unicode strings of an environment or Darwin block.
EncodedText dualString(ByteView block) {
  const EncodedText ansi{block.sub(8, 260).narrowString(0), false, true};
  const EncodedText wide{block.sub(268, 520).wideString(0), true, true};
  return wide.empty() ? ansi : wide;
}

}  // namespace

ExtraData parseExtraData(ByteView rest) {
  ExtraData data;
  std::size_t offset = 0;
  while (rest.has(offset, 4)) {
    const std::uint32_t size = rest.u32(offset);
    if (size < 8 || !rest.has(offset, size)) break;  // terminal block, or damaged
    const ByteView block = rest.sub(offset, size);
    switch (block.u32(4)) {
      case kEnvironmentBlock:
        if (size >= kEnvironmentBlockSize) data.environmentTarget = dualString(block);
        break;
      case kDarwinBlock:
        if (size >= kEnvironmentBlockSize) data.darwinId = dualString(block);
        break;
      case kKnownFolderBlock:
        if (size >= 0x1C) {
          data.hasKnownFolder = true;
          for (std::size_t i = 0; i < data.knownFolderId.size(); ++i) data.knownFolderId[i] = block.u8(8 + i);
          data.knownFolderOffset = block.u32(24);
        }
        break;
      case kSpecialFolderBlock:
        if (size >= 0x10) {
          data.hasSpecialFolder = true;
          data.specialFolderId = block.u32(8);
          data.specialFolderOffset = block.u32(12);
        }
        break;
      default:
        break;
    }
    offset += size;
  }
  return data;
}

}  // namespace zendrift::shortcut
