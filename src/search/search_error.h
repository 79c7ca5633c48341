// The error the mask matcher raises, with its own message text.
#pragma once

#include <stdexcept>

namespace zendrift::search {

class SearchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kBlankMaskMessage = "Search string cannot be blank";

}  // namespace zendrift::search
