// The hint (tooltip) of a line in the result list: the shortcut's whole path (the line may show it
// shortened), what it points at and why it is an orphan, and, after a failed deletion, why it is
// still there.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::ui {

// "Path: /home/ann/.wine/drive_c/users/ann/Desktop/Game.lnk", "Target: C:\Games\gone.exe" and
// "Reason: file not found", one per line.
std::string orphanHint(std::string_view path, std::string_view target, std::string_view reason);
// `hint` headed by "Could not delete: " and `error`.
std::string failedDeletionHint(std::string_view error, std::string_view hint);

}  // namespace zendrift::ui
