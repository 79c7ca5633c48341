// The read-ahead hint on Windows: none is given; the walk's own read fetches each file.
#include "platform/file_read_ahead.h"

namespace zendrift::platform {

std::error_code startReadingAhead(std::string_view, std::size_t) noexcept { return {}; }

}  // namespace zendrift::platform
