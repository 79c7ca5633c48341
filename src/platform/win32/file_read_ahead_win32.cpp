// Reading a listed file whole on Windows: not done with the listing; the reader's own read
// fetches each file.
#include "platform/directory_listing.h"

namespace zendrift::platform {

Result<FileRead> DirEntry::readWhole(std::size_t, std::string&) const {
  return std::make_error_code(std::errc::not_supported);
}

}  // namespace zendrift::platform
