// Why a shortcut was judged an orphan, in words for the user ("drive Q: is not present").
#pragma once

#include <string>
#include <string_view>

#include "profile/windows_profile.h"

namespace zendrift::scan {

// For a target that the check found missing: `drive` is its drive part ("Q:", "\\server\share"),
// `driveType` the type the check judged it by, `profile` the profile that holds the shortcut.
// Looks once more whether the drive or share itself is there, to tell a missing drive from a
// missing file.
std::string orphanReason(std::string_view drive, unsigned driveType, const platform::ShortcutProfile& profile);

}  // namespace zendrift::scan
