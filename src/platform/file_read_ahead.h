// Asking the system to start reading a file into its cache while the caller goes on, so that a
// later read of it does not wait for the disk.
#pragma once

#include <cstddef>
#include <string_view>
#include <system_error>

namespace zendrift::platform {

// Starts reading the first `bytes` of the file at `path` into the system's cache and returns
// without waiting for them. Only a hint: where the platform has no such request it does
// nothing; an error says why the hint could not be given.
[[nodiscard]] std::error_code startReadingAhead(std::string_view path, std::size_t bytes) noexcept;

}  // namespace zendrift::platform
