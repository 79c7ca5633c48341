// The LinkInfo structure: where the target lay when the link was made (volume or network share).
#pragma once

#include <cstdint>

#include "shortcut/byte_view.h"
#include "shortcut/encoded_text.h"

namespace zendrift::shortcut {

struct LinkInfo {
  bool valid = false;
  bool hasLocalPath = false;  // VolumeIDAndLocalBasePath
  bool hasNetwork = false;    // CommonNetworkRelativeLinkAndPathSuffix, with a usable net name
  std::uint32_t driveType = 0;
  std::uint32_t driveSerialNumber = 0;
  EncodedText volumeLabel;
  EncodedText localBasePath;     // Unicode form preferred
  EncodedText commonPathSuffix;  // Unicode form preferred
  EncodedText netName;
  EncodedText deviceName;
  std::uint32_t networkProviderType = 0;
};

// Reads a LinkInfo whose view holds exactly its declared size. Parts whose offsets or sizes do
// not fit are left out; a header that does not fit gives an invalid LinkInfo.
LinkInfo parseLinkInfo(ByteView block);

}  // namespace zendrift::shortcut
