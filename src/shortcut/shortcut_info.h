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
  std::uint32_t FileAttributes = 0;
  platform::FileTime CreationTime = 0;
  platform::FileTime LastAccessTime = 0;
  platform::FileTime LastWriteTime = 0;
  std::uint64_t FileSize = 0;
};

// Text fields are UTF-8 and never cut to a fixed length.
struct ShortcutInfo {
  std::string FileName;  // set by the caller
  std::string Target;
  std::string Arguments;
  std::string WorkingDirectory;
  std::string Description;
  std::string IconLocation;
  std::int32_t IconIndex = 0;
  std::uint16_t HotKey = 0;  // virtual-key code in the low byte, modifiers in the high byte
  std::int32_t ShowCommand = 0;
  FindData TargetFindData;
  TargetSource Source = TargetSource::None;
};

}  // namespace zendrift::shortcut
