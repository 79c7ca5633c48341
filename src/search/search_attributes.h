// The attribute filter: attributes an entry must have and attributes it must not have.
#pragma once

#include <cstdint>

#include "search/search_types.h"

namespace zendrift::search {

class SearchAttributes {
 public:
  std::uint32_t includeAttr() const noexcept { return includeAttr_; }
  std::uint32_t excludeAttr() const noexcept { return excludeAttr_; }
  void setIncludeAttr(std::uint32_t mask) noexcept { includeAttr_ = mask; }
  void setExcludeAttr(std::uint32_t mask) noexcept { excludeAttr_ = mask; }

  // The state of one attribute bit; setting it keeps the bit out of at least one mask.
  AttributeRule flag(std::uint32_t bit) const noexcept;
  void setFlag(std::uint32_t bit, AttributeRule kind) noexcept;

  // Whether `attributes` has every included bit and no excluded one.
  bool accepts(std::uint32_t attributes) const noexcept {
    return (attributes & excludeAttr_) == 0 && (attributes & includeAttr_) == includeAttr_;
  }

#define ZENDRIFT_SEARCH_ATTRIBUTE(name, Name, bit)                  \
  AttributeRule name() const noexcept { return flag(bit); } \
  void set##Name(AttributeRule kind) noexcept { setFlag(bit, kind); }
  ZENDRIFT_SEARCH_ATTRIBUTE(readOnly, ReadOnly, 0x1)
  ZENDRIFT_SEARCH_ATTRIBUTE(hidden, Hidden, 0x2)
  ZENDRIFT_SEARCH_ATTRIBUTE(system, System, 0x4)
  ZENDRIFT_SEARCH_ATTRIBUTE(archive, Archive, 0x20)
  ZENDRIFT_SEARCH_ATTRIBUTE(normal, Normal, 0x80)
  ZENDRIFT_SEARCH_ATTRIBUTE(temporary, Temporary, 0x100)
  ZENDRIFT_SEARCH_ATTRIBUTE(sparseFile, SparseFile, 0x200)
  ZENDRIFT_SEARCH_ATTRIBUTE(reparsePoint, ReparsePoint, 0x400)
  ZENDRIFT_SEARCH_ATTRIBUTE(compressed, Compressed, 0x800)
  ZENDRIFT_SEARCH_ATTRIBUTE(offLine, OffLine, 0x1000)
  ZENDRIFT_SEARCH_ATTRIBUTE(notContentIndexed, NotContentIndexed, 0x2000)
  ZENDRIFT_SEARCH_ATTRIBUTE(encrypted, Encrypted, 0x4000)
#undef ZENDRIFT_SEARCH_ATTRIBUTE

  friend bool operator==(const SearchAttributes&, const SearchAttributes&) = default;

 private:
  std::uint32_t includeAttr_ = 0;
  std::uint32_t excludeAttr_ = 0;
};

}  // namespace zendrift::search
