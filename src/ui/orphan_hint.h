// The hint (tooltip) of a line in the result list: what the shortcut points at and why it is an
// orphan, and, after a failed deletion, why it is still there.
#pragma once

#include <string>
#include <string_view>

namespace zendrift::ui {

// "Target: C:\Games\gone.exe" and "Reason: file not found", one per line.
std::string orphanHint(std::string_view target, std::string_view reason);
// `hint` headed by "Could not delete: " and `error`.
std::string failedDeletionHint(std::string_view error, std::string_view hint);

}  // namespace zendrift::ui
