// Reading the LinkInfo structure with every offset checked against its own size.
#include "shortcut/link_info.h"

namespace zendrift::shortcut {

namespace {

constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kCommonNetworkRelativeLinkAndPathSuffix = 0x2;
constexpr std::size_t kMinimumHeader = 0x1C;
constexpr std::size_t kUnicodeHeader = 0x24;

// A string at `offset` inside `view`; absent when the offset is zero or outside.
EncodedText textAt(ByteView view, std::uint32_t offset, bool wide) {
  if (offset == 0 || offset >= view.size()) return {};
  return EncodedText{wide ? view.wideString(offset) : view.narrowString(offset), wide, true};
}

void readVolumeId(ByteView volume, LinkInfo& info) {
  if (!volume.has(0, 0x10)) return;
  const std::uint32_t size = volume.u32(0);
  if (size < 0x10) return;
  volume = volume.sub(0, size);
  info.driveType = volume.u32(4);
  info.driveSerialNumber = volume.u32(8);
  const std::uint32_t labelOffset = volume.u32(12);
  if (labelOffset == 0x14 && volume.has(0x10, 4)) {
    info.volumeLabel = textAt(volume, volume.u32(0x10), true);
  } else {
    info.volumeLabel = textAt(volume, labelOffset, false);
  }
}

void readNetworkLink(ByteView link, LinkInfo& info) {
  if (!link.has(0, 0x14)) return;
  const std::uint32_t size = link.u32(0);
  if (size < 0x14) return;
  link = link.sub(0, size);
  const std::uint32_t flags = link.u32(4);
  const std::uint32_t netNameOffset = link.u32(8);
  const std::uint32_t deviceNameOffset = link.u32(12);
  info.networkProviderType = link.u32(16);
  const EncodedText netAnsi = textAt(link, netNameOffset, false);
  EncodedText deviceAnsi = (flags & 0x1) ? textAt(link, deviceNameOffset, false) : EncodedText{};
  EncodedText netWide;
  EncodedText deviceWide;
  if (netNameOffset > 0x14 && link.has(0x14, 8)) {
    netWide = textAt(link, link.u32(0x14), true);
    if (flags & 0x1) deviceWide = textAt(link, link.u32(0x18), true);
  }
  info.netName = preferWide(netWide, netAnsi);
  info.deviceName = preferWide(deviceWide, deviceAnsi);
  info.hasNetwork = !info.netName.empty();
}

}  // namespace

LinkInfo parseLinkInfo(ByteView block) {
  LinkInfo info;
  if (!block.has(0, kMinimumHeader)) return info;
  const std::uint32_t headerSize = block.u32(4);
  if (headerSize < kMinimumHeader || headerSize >= block.size()) return info;
  info.valid = true;
  const std::uint32_t flags = block.u32(8);
  const bool unicode = headerSize >= kUnicodeHeader && block.has(0, kUnicodeHeader);

  const EncodedText suffixAnsi = textAt(block, block.u32(0x18), false);
  const EncodedText suffixWide = unicode ? textAt(block, block.u32(0x20), true) : EncodedText{};
  info.commonPathSuffix = preferWide(suffixWide, suffixAnsi);

  if (flags & kVolumeIdAndLocalBasePath) {
    const std::uint32_t volumeOffset = block.u32(0x0C);
    if (volumeOffset != 0) readVolumeId(block.sub(volumeOffset), info);
    const EncodedText baseAnsi = textAt(block, block.u32(0x10), false);
    const EncodedText baseWide = unicode ? textAt(block, block.u32(0x1C), true) : EncodedText{};
    info.localBasePath = preferWide(baseWide, baseAnsi);
    info.hasLocalPath = info.localBasePath.present;
  }
  if (flags & kCommonNetworkRelativeLinkAndPathSuffix) {
    const std::uint32_t networkOffset = block.u32(0x14);
    if (networkOffset != 0) readNetworkLink(block.sub(networkOffset), info);
  }
  return info;
}

}  // namespace zendrift::shortcut
