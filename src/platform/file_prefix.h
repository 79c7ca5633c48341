// Reading the beginning of a file into a caller's buffer: one open, one read.
#pragma once

#include <cstddef>
#include <system_error>
#include <span>
#include <string_view>

#include "platform/result.h"

namespace zendrift::platform {

// Reads up to buffer.size() bytes from the start of the file at `path` and returns how many were
// read; the error when the file cannot be opened or read, or is not a regular file.
Result<std::size_t> readFilePrefix(std::string_view path, std::span<std::byte> buffer);

}  // namespace zendrift::platform
