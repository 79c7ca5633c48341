// File attribute bits and file times, in the Windows encoding on every platform.
#pragma once

#include <cstdint>

namespace zendrift::platform {

inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;
inline constexpr std::uint32_t kAttrTemporary = 0x100;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;

// A point in time as 100-nanosecond intervals since 1601-01-01 00:00 UTC (a Windows FILETIME).
using FileTime = std::uint64_t;

// Seconds between 1601-01-01 and the Unix epoch 1970-01-01.
inline constexpr std::int64_t kFileTimeEpochOffsetSeconds = 11644473600LL;

constexpr FileTime fileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds) {
  return static_cast<FileTime>((seconds + kFileTimeEpochOffsetSeconds) * 10'000'000LL + nanoseconds / 100);
}

}  // namespace zendrift::platform
