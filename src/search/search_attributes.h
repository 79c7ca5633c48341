// The attribute filter: attributes an entry must have and attributes it must not have.
#pragma once

#include <cstdint>

#include "search/search_types.h"

namespace zendrift::search {

class TJvSearchAttributes {
 public:
  std::uint32_t IncludeAttr() const noexcept { return includeAttr_; }
  std::uint32_t ExcludeAttr() const noexcept { return excludeAttr_; }
  void setIncludeAttr(std::uint32_t mask) noexcept { includeAttr_ = mask; }
  void setExcludeAttr(std::uint32_t mask) noexcept { excludeAttr_ = mask; }

  // The state of one attribute bit; setting it keeps the bit out of at least one mask.
  TJvAttrFlagKind flag(std::uint32_t bit) const noexcept;
  void setFlag(std::uint32_t bit, TJvAttrFlagKind kind) noexcept;

  // Whether `attributes` has every included bit and no excluded one.
  bool accepts(std::uint32_t attributes) const noexcept {
    return (attributes & excludeAttr_) == 0 && (attributes & includeAttr_) == includeAttr_;
  }

#define ZENDRIFT_SEARCH_ATTRIBUTE(Name, bit)                                   \
  TJvAttrFlagKind Name() const noexcept { return flag(bit); }                  \
  void set##Name(TJvAttrFlagKind kind) noexcept { setFlag(bit, kind); }
  ZENDRIFT_SEARCH_ATTRIBUTE(ReadOnly, 0x1)
  ZENDRIFT_SEARCH_ATTRIBUTE(Hidden, 0x2)
  ZENDRIFT_SEARCH_ATTRIBUTE(System, 0x4)
  ZENDRIFT_SEARCH_ATTRIBUTE(Archive, 0x20)
  ZENDRIFT_SEARCH_ATTRIBUTE(Normal, 0x80)
  ZENDRIFT_SEARCH_ATTRIBUTE(Temporary, 0x100)
  ZENDRIFT_SEARCH_ATTRIBUTE(SparseFile, 0x200)
  ZENDRIFT_SEARCH_ATTRIBUTE(ReparsePoint, 0x400)
  ZENDRIFT_SEARCH_ATTRIBUTE(Compressed, 0x800)
  ZENDRIFT_SEARCH_ATTRIBUTE(OffLine, 0x1000)
  ZENDRIFT_SEARCH_ATTRIBUTE(NotContentIndexed, 0x2000)
  ZENDRIFT_SEARCH_ATTRIBUTE(Encrypted, 0x4000)
#undef ZENDRIFT_SEARCH_ATTRIBUTE

  friend bool operator==(const TJvSearchAttributes&, const TJvSearchAttributes&) = default;

 private:
  std::uint32_t includeAttr_ = 0;
  std::uint32_t excludeAttr_ = 0;
};

}  // namespace zendrift::search
