// The entry filter and the preparation of its masks and comparison times.
#include "search/search_params.h"

#include "search/mask_match.h"

namespace zendrift::search {

SearchParams::SearchParams() {
  fileMasks_.setOnChange([this] { rebuildMatchMasks(); });
  // The comparison times follow the default date, so a date filter switched on without a date
  // compares against 1980-01-01 local time rather than 1601.
  afterTime_ = beforeTime_ = dosFileTimeFromLocal(kDosEpochDateTime).valueOr(0);
}

SearchParams::SearchParams(const SearchParams& other) : SearchParams() { assign(other); }

SearchParams& SearchParams::operator=(const SearchParams& other) {
  assign(other);
  return *this;
}

void SearchParams::assign(const SearchParams& other) {
  if (&other == this) return;
  setMaxSize(other.maxSize_);
  setMinSize(other.minSize_);
  lastChangeBefore_ = other.lastChangeBefore_;
  lastChangeAfter_ = other.lastChangeAfter_;
  beforeTime_ = other.beforeTime_;
  afterTime_ = other.afterTime_;
  setSearchTypes(other.searchTypes_);
  fileMasks_.assign(other.fileMasks_);
  setAttributes(other.attributes_);
}

void SearchParams::setSearchTypes(SearchTypes types) {
  if (types == searchTypes_) return;
  const bool caseChanged = types.contains(stFileMaskCaseSensitive) != searchTypes_.contains(stFileMaskCaseSensitive);
  searchTypes_ = types;
  if (caseChanged) rebuildMatchMasks();
}

std::error_code SearchParams::setLastChangeAfter(DateTime value) {
  const auto time = dosFileTimeFromLocal(value);
  if (!time) return time.error();
  afterTime_ = *time;
  lastChangeAfter_ = value;
  return {};
}

std::error_code SearchParams::setLastChangeBefore(DateTime value) {
  const auto time = dosFileTimeFromLocal(value);
  if (!time) return time.error();
  beforeTime_ = *time;
  lastChangeBefore_ = value;
  return {};
}

void SearchParams::rebuildMatchMasks() {
  const bool caseSensitive = searchTypes_.contains(stFileMaskCaseSensitive);
  std::vector<std::string> prepared;
  prepared.reserve(fileMasks_.size());
  hasBlankMask_ = false;
  for (const std::string& mask : fileMasks_) {
    prepared.push_back(caseSensitive ? mask : upperCase(mask));
    hasBlankMask_ = hasBlankMask_ || mask.empty();
  }
  matchMasks_.assign(prepared);
}

bool SearchParams::matchesName(std::string_view name) const {
  if (fileMasks_.empty()) return true;
  const bool caseSensitive = searchTypes_.contains(stFileMaskCaseSensitive);
  for (const std::string& mask : matchMasks_) {
    if (caseSensitive ? maskMatch(mask, name) : maskMatchUpperName(mask, name)) return true;
  }
  return false;
}

bool SearchParams::matches(const platform::DirEntry& entry) const {
  if (searchTypes_.contains(stAttribute) && !attributes_.accepts(entry.attributes())) return false;
  // Sizes compare as unsigned 64-bit numbers.
  if (searchTypes_.contains(stMinSize) && entry.size() < static_cast<std::uint64_t>(minSize_)) return false;
  if (searchTypes_.contains(stMaxSize) && entry.size() > static_cast<std::uint64_t>(maxSize_)) return false;
  if (searchTypes_.contains(stLastChangeAfter) && entry.lastWriteTime() < afterTime_) return false;
  if (searchTypes_.contains(stLastChangeBefore) && entry.lastWriteTime() > beforeTime_) return false;
  if (searchTypes_.contains(stFileMask)) return matchesName(entry.name());
  return true;
}

}  // namespace zendrift::search
