// The filter that a listed entry must pass: attributes, size, last write time and name masks.
#pragma once

#include <cstdint>

#include "platform/directory_listing.h"
#include "search/date_time.h"
#include "search/search_attributes.h"
#include "search/search_types.h"
#include "search/string_list.h"

namespace zendrift::search {

class TJvSearchParams {
 public:
  TJvSearchParams();
  // Copies go through the setters, in the order MaxSize, MinSize, LastChangeBefore,
  // LastChangeAfter, SearchTypes, FileMasks, Attributes.
  TJvSearchParams(const TJvSearchParams& other);
  TJvSearchParams& operator=(const TJvSearchParams& other);
  void assign(const TJvSearchParams& other);

  TJvSearchAttributes& Attributes() noexcept { return attributes_; }
  const TJvSearchAttributes& Attributes() const noexcept { return attributes_; }
  void setAttributes(const TJvSearchAttributes& attributes) noexcept { attributes_ = attributes; }

  TJvSearchTypes SearchTypes() const noexcept { return searchTypes_; }
  // Prepares the masks again when case sensitivity changes.
  void setSearchTypes(TJvSearchTypes types);

  std::int64_t MinSize() const noexcept { return minSize_; }
  std::int64_t MaxSize() const noexcept { return maxSize_; }
  void setMinSize(std::int64_t size) noexcept { minSize_ = size; }
  void setMaxSize(std::int64_t size) noexcept { maxSize_ = size; }

  TDateTime LastChangeAfter() const noexcept { return lastChangeAfter_; }
  TDateTime LastChangeBefore() const noexcept { return lastChangeBefore_; }
  // Local date-times; a date that cannot be converted raises platform::OsError and the
  // previous value stays.
  void setLastChangeAfter(TDateTime value);
  void setLastChangeBefore(TDateTime value);
  platform::FileTime AfterTime() const noexcept { return afterTime_; }
  platform::FileTime BeforeTime() const noexcept { return beforeTime_; }

  // One mask per line; editing the lines in place prepares the masks again.
  StringList& FileMasks() noexcept { return fileMasks_; }
  const StringList& FileMasks() const noexcept { return fileMasks_; }
  void setFileMasks(const StringList& masks) { fileMasks_.assign(masks); }
  // The masks as matched: upper case unless matching is case-sensitive.
  const StringList& MatchMasks() const noexcept { return matchMasks_; }
  // Whether some mask line is blank (matching would raise on it).
  bool hasBlankMask() const noexcept { return hasBlankMask_; }

  // Whether the entry passes every filter switched on. Only the entry's facts that a switched-on
  // filter needs are asked for. Throws SearchError on a blank mask line it reaches.
  bool Matches(const platform::DirEntry& entry) const;
  bool matchesName(std::string_view name) const;

 private:
  void rebuildMatchMasks();

  TJvSearchAttributes attributes_;
  TJvSearchTypes searchTypes_;
  std::int64_t minSize_ = 0;
  std::int64_t maxSize_ = 0;
  TDateTime lastChangeAfter_ = kDosEpochDateTime;
  TDateTime lastChangeBefore_ = kDosEpochDateTime;
  platform::FileTime afterTime_ = 0;
  platform::FileTime beforeTime_ = 0;
  StringList fileMasks_;
  StringList matchMasks_;
  bool hasBlankMask_ = false;
};

}  // namespace zendrift::search
