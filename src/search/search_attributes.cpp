// The attribute filter's three-state view of its two masks.
#include "search/search_attributes.h"

namespace zendrift::search {

AttributeRule SearchAttributes::flag(std::uint32_t bit) const noexcept {
  if (includeAttr_ & bit) return tsMustBeSet;
  if (excludeAttr_ & bit) return tsMustBeUnSet;
  return tsDontCare;
}

void SearchAttributes::setFlag(std::uint32_t bit, AttributeRule kind) noexcept {
  includeAttr_ &= ~bit;
  excludeAttr_ &= ~bit;
  if (kind == tsMustBeSet) includeAttr_ |= bit;
  if (kind == tsMustBeUnSet) excludeAttr_ |= bit;
}

}  // namespace zendrift::search
