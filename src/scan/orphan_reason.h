// Why a shortcut was judged an orphan, in words for the user ("drive Q: is not present").
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "profile/windows_profile.h"

namespace zendrift::scan {

// For a target that the check found missing: `drive` is its drive part ("Q:", "\\server\share"),
// `driveType` the type the check judged it by, `profile` the profile that holds the shortcut.
// Looks once more whether the drive or share itself is there, to tell a missing drive from a
// missing file.
std::string orphanReason(std::string_view drive, unsigned driveType, const profile::ShortcutProfile& profile);

// The reason of a shortcut judged in several prefixes: `reason`, as the prefix at `own` gave it,
// naming that prefix and `others`, where the target is missing too. A long list is cut short.
std::string missingEverywhereReason(std::string_view reason, std::string_view own, std::span<const std::string> others);

}  // namespace zendrift::scan
