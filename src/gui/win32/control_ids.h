// The command identifiers of the main window's controls (from the window's control table) and of
// the result list's menu commands that the window carries out itself.
#pragma once

#include "ui/window_layout.h"

namespace zendrift::win32 {

inline constexpr int kFirstControlId = 100;
constexpr int commandId(ui::ControlId id) noexcept { return kFirstControlId + ui::indexOf(id); }

// Sent by the result list's context menu.
inline constexpr int kExcludeCommandId = 300;
inline constexpr int kUndoCommandId = 301;

}  // namespace zendrift::win32
