// The filter that a listed entry must pass: attributes, size, last write time and name masks.
#pragma once

#include <cstdint>

#include "platform/directory_listing.h"
#include "search/date_time.h"
#include "search/search_attributes.h"
#include "search/search_types.h"
#include "search/string_list.h"

namespace zendrift::search {

class SearchParams {
 public:
  SearchParams();
  // Copies go through the setters, in the order maxSize, minSize, lastChangeBefore,
  // lastChangeAfter, searchTypes, fileMasks, Attributes.
  SearchParams(const SearchParams& other);
  SearchParams& operator=(const SearchParams& other);
  void assign(const SearchParams& other);

  SearchAttributes& attributes() noexcept { return attributes_; }
  const SearchAttributes& attributes() const noexcept { return attributes_; }
  void setAttributes(const SearchAttributes& attributes) noexcept { attributes_ = attributes; }

  SearchTypes searchTypes() const noexcept { return searchTypes_; }
  // Prepares the masks again when case sensitivity changes.
  void setSearchTypes(SearchTypes types);

  std::int64_t minSize() const noexcept { return minSize_; }
  std::int64_t maxSize() const noexcept { return maxSize_; }
  void setMinSize(std::int64_t size) noexcept { minSize_ = size; }
  void setMaxSize(std::int64_t size) noexcept { maxSize_ = size; }

  DateTime lastChangeAfter() const noexcept { return lastChangeAfter_; }
  DateTime lastChangeBefore() const noexcept { return lastChangeBefore_; }
  // Local date-times; a date that cannot be converted is refused (invalid_argument) and the
  // previous value stays.
  [[nodiscard]] std::error_code setLastChangeAfter(DateTime value);
  [[nodiscard]] std::error_code setLastChangeBefore(DateTime value);
  platform::FileTime afterTime() const noexcept { return afterTime_; }
  platform::FileTime beforeTime() const noexcept { return beforeTime_; }

  // One mask per line; editing the lines in place prepares the masks again.
  StringList& fileMasks() noexcept { return fileMasks_; }
  const StringList& fileMasks() const noexcept { return fileMasks_; }
  void setFileMasks(const StringList& masks) { fileMasks_.assign(masks); }
  // The masks as matched: upper case unless matching is case-sensitive.
  const StringList& matchMasks() const noexcept { return matchMasks_; }
  // Whether some mask line is blank (matching would raise on it).
  bool hasBlankMask() const noexcept { return hasBlankMask_; }

  // Whether the entry passes every filter switched on. Only the entry's facts that a switched-on
  // filter needs are asked for. Throws SearchError on a blank mask line it reaches.
  bool matches(const platform::DirEntry& entry) const;
  bool matchesName(std::string_view name) const;

 private:
  void rebuildMatchMasks();

  SearchAttributes attributes_;
  SearchTypes searchTypes_;
  std::int64_t minSize_ = 0;
  std::int64_t maxSize_ = 0;
  DateTime lastChangeAfter_ = kDosEpochDateTime;
  DateTime lastChangeBefore_ = kDosEpochDateTime;
  platform::FileTime afterTime_ = 0;
  platform::FileTime beforeTime_ = 0;
  StringList fileMasks_;
  StringList matchMasks_;
  bool hasBlankMask_ = false;
};

}  // namespace zendrift::search
