// Parsing a shell link held in memory into a ShortcutInfo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shortcut/shortcut_info.h"
#include "shortcut/text_decoding.h"

namespace zendrift::shortcut {

using EnvironmentExpander = std::function<std::optional<std::string>(std::string_view text)>;

struct ParseOptions {
  unsigned codePage = kCodePageWestern;  // for ANSI strings
  // Expands an environment-variable target in the profile that holds the shortcut; empty when a
  // name is unknown. Not set: the target is kept as stored.
  EnvironmentExpander expandEnvironment = nullptr;
};

// What else the link stores, for diagnosis and tests; filled only when asked for.
struct LinkDetails {
  std::uint32_t linkFlags = 0;
  std::string idListPath;
  std::string localBasePath;
  std::string commonPathSuffix;
  std::string netName;
  std::string deviceName;
  std::string volumeLabel;
  std::uint32_t driveType = 0;
  std::uint32_t driveSerialNumber = 0;
  std::string relativePath;
  std::string environmentTarget;
  std::string darwinId;
  std::uint32_t specialFolderId = 0;  // 0 when there is no special-folder block
  bool hasKnownFolder = false;
};

// Fills every field of `info` but FileName from `data`. A file that is not a shell link, or is
// cut off before its target data, leaves the target empty. Never throws for bad content.
// Returns false when `data` is not a shell link at all.
bool parseShortcut(std::span<const std::byte> data, ShortcutInfo& info, const ParseOptions& options = {},
                   LinkDetails* details = nullptr);
bool parseShortcut(std::string_view data, ShortcutInfo& info, const ParseOptions& options = {},
                   LinkDetails* details = nullptr);

}  // namespace zendrift::shortcut
