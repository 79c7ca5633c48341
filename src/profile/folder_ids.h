// The shell's numbers (CSIDL) for the well-known folders that WellKnownFolders resolves.
#pragma once

#include <cstdint>

// Named without the CSIDL_ prefix: the Windows headers define those names as macros.
namespace zendrift::profile::csidl {

inline constexpr std::int32_t kDesktop = 0;
inline constexpr std::int32_t kPrograms = 2;
inline constexpr std::int32_t kPersonal = 5;
inline constexpr std::int32_t kFavorites = 6;
inline constexpr std::int32_t kStartup = 7;
inline constexpr std::int32_t kRecent = 8;
inline constexpr std::int32_t kSendTo = 9;
inline constexpr std::int32_t kStartMenu = 11;
inline constexpr std::int32_t kDesktopDirectory = 16;
inline constexpr std::int32_t kNethood = 19;
inline constexpr std::int32_t kFonts = 20;
inline constexpr std::int32_t kTemplates = 21;
inline constexpr std::int32_t kCommonStartMenu = 22;
inline constexpr std::int32_t kCommonPrograms = 23;
inline constexpr std::int32_t kCommonStartup = 24;
inline constexpr std::int32_t kCommonDesktopDirectory = 25;
inline constexpr std::int32_t kAppData = 26;
inline constexpr std::int32_t kPrinthood = 27;
inline constexpr std::int32_t kCommonFavorites = 31;
inline constexpr std::int32_t kInternetCache = 32;
inline constexpr std::int32_t kCookies = 33;
inline constexpr std::int32_t kHistory = 34;
inline constexpr std::int32_t kCommonAppData = 35;
inline constexpr std::int32_t kProfile = 40;

}  // namespace zendrift::profile::csidl
