// The record one shortcut file is read into, and where its target came from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_attributes.h"

namespace zendrift::shortcut {

// Which stored data gave the target; kept for diagnosis.
enum class TargetSource { None, Unc, IdList, LocalPath, EnvBlock };

// "none", "unc", "idlist", "localpath", "envblock".
std::string_view targetSourceName(TargetSource source);

// The target's directory-listing data as the link's header stores it.
struct FindData {
  std::uint32_t fileAttributes = 0;
  platform::FileTime creationTime = 0;
  platform::FileTime lastAccessTime = 0;
  platform::FileTime lastWriteTime = 0;
  std::uint64_t fileSize = 0;
};

// Text fields are UTF-8 and never cut to a fixed length.
struct ShortcutInfo {
  std::string fileName;  // set by the caller
  std::string target;
  std::string arguments;
  std::string workingDirectory;
  std::string description;
  std::string iconLocation;
  std::int32_t iconIndex = 0;
  std::uint16_t hotKey = 0;  // virtual-key code in the low byte, modifiers in the high byte
  std::int32_t showCommand = 0;
  FindData targetFindData;
  TargetSource source = TargetSource::None;
};

}  // namespace zendrift::shortcut
