// An entry's identity and version as a POSIX status read gives them.
#pragma once

#include <sys/stat.h>

#include <cstdint>

#include "platform/guarded_removal.h"

namespace zendrift::platform::posix {

inline EntryVersion versionOf(const struct stat& status) {
  return EntryVersion{EntryIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)},
                      static_cast<std::int64_t>(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec};
}

}  // namespace zendrift::platform::posix
