// The read-ahead hint on Windows: none is given; the reader's own read fetches each file.
#include "platform/directory_listing.h"

namespace zendrift::platform {

std::error_code DirEntry::startReadingAhead(std::size_t) const noexcept { return {}; }

}  // namespace zendrift::platform
