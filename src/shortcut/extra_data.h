// The ExtraData blocks that bear on the target; every other block is skipped by its size.
#pragma once

#include <array>
#include <cstdint>

#include "shortcut/byte_view.h"
#include "shortcut/encoded_text.h"

namespace zendrift::shortcut {

struct ExtraData {
  EncodedText environmentTarget;  // EnvironmentVariableDataBlock, Unicode form preferred
  EncodedText darwinId;           // DarwinDataBlock: an installer-advertised link
  bool hasKnownFolder = false;
  std::array<std::uint8_t, 16> knownFolderId{};
  std::uint32_t knownFolderOffset = 0;
  bool hasSpecialFolder = false;
  std::uint32_t specialFolderId = 0;
  std::uint32_t specialFolderOffset = 0;
};

// Reads the blocks from the start of `rest` to the terminal block or the first block that does
// not fit.
ExtraData parseExtraData(ByteView rest);

}  // namespace zendrift::shortcut
