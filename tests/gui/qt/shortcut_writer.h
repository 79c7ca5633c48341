// Writes real shell-link (.lnk) files for the window tests: a header and a link-info block
// with a local base path, the smallest shortcut that names a target.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "temp_dir.h"

namespace zendrift::testing {

inline void putU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A shortcut whose target is the Windows path `target` ("C:\dir\app.exe").
inline std::string shortcutBytes(std::string_view target) {
  std::string out;
  putU32(out, 0x4C);
  const unsigned char clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  out.append(reinterpret_cast<const char*>(clsid), sizeof clsid);
  putU32(out, 0x02);            // HasLinkInfo
  putU32(out, 0x20);            // archive
  out.append(24, '\0');         // three file times
  putU32(out, 0);               // file size
  putU32(out, 0);               // icon index
  putU32(out, 1);               // show normal
  out.append(2 + 2 + 4 + 4, '\0');  // hot key, reserved

  const std::uint32_t headerSize = 0x1C;
  const std::uint32_t volumeSize = 0x11;
  const std::uint32_t basePathOffset = headerSize + volumeSize;
  const std::uint32_t suffixOffset = basePathOffset + static_cast<std::uint32_t>(target.size()) + 1;
  const std::uint32_t infoSize = suffixOffset + 1;
  putU32(out, infoSize);
  putU32(out, headerSize);
  putU32(out, 1);  // VolumeIDAndLocalBasePath
  putU32(out, headerSize);
  putU32(out, basePathOffset);
  putU32(out, 0);
  putU32(out, suffixOffset);
  putU32(out, volumeSize);
  putU32(out, 3);  // fixed drive
  putU32(out, 0x1234);
  putU32(out, 0x10);
  out.push_back('\0');  // empty volume label
  out.append(target);
  out.push_back('\0');
  out.push_back('\0');  // empty common path suffix
  putU32(out, 0);       // terminal block
  return out;
}

inline void writeShortcut(const std::filesystem::path& path, std::string_view target) {
  writeFile(path, shortcutBytes(target));
}

}  // namespace zendrift::testing
