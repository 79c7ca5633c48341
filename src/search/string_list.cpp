// The ordered name list: sorted insertion, the duplicate policy, change notification.
#include "search/string_list.h"

#include <algorithm>

#include "search/mask_match.h"
#include "search/search_error.h"

namespace zendrift::search {

int compareTextIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(upperCaseAscii(a[i]));
    const auto y = static_cast<unsigned char>(upperCaseAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

namespace {
bool sortsBefore(std::string_view a, std::string_view b) { return compareTextIgnoringCase(a, b) < 0; }
}  // namespace

StringList::StringList(std::initializer_list<std::string> lines) : lines_(lines) {}

StringList::StringList(const StringList& other) : lines_(other.lines_) {}

StringList& StringList::operator=(const StringList& other) {
  if (this != &other) assign(other.lines_);
  return *this;
}

const std::string& StringList::at(std::size_t index) const {
  if (index >= lines_.size()) {
    throw SearchError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return lines_[index];
}

std::ptrdiff_t StringList::indexOf(std::string_view text) const {
  if (sorted_) {
    const auto found = std::lower_bound(lines_.begin(), lines_.end(), text, sortsBefore);
    if (found != lines_.end() && compareTextIgnoringCase(*found, text) == 0) return found - lines_.begin();
    return -1;
  }
  const auto found = std::find(lines_.begin(), lines_.end(), text);
  return found == lines_.end() ? -1 : found - lines_.begin();
}

bool StringList::add(std::string line) {
  if (!sorted_) {
    lines_.push_back(std::move(line));
  } else {
    const auto place = std::upper_bound(lines_.begin(), lines_.end(), line, sortsBefore);
    if (duplicates_ == Duplicates::Ignore && place != lines_.begin() &&
        compareTextIgnoringCase(*(place - 1), line) == 0) {
      return false;
    }
    lines_.insert(place, std::move(line));
  }
  changed();
  return true;
}

void StringList::clear() {
  lines_.clear();
  changed();
}

void StringList::remove(std::size_t index) {
  at(index);
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
  changed();
}

void StringList::assign(const std::vector<std::string>& lines) {
  if (&lines != &lines_) {
    lines_.clear();
    lines_.reserve(lines.size());
    for (const std::string& line : lines) {
      if (!sorted_) {
        lines_.push_back(line);
        continue;
      }
      const auto place = std::upper_bound(lines_.begin(), lines_.end(), line, sortsBefore);
      if (duplicates_ == Duplicates::Ignore && place != lines_.begin() &&
          compareTextIgnoringCase(*(place - 1), line) == 0) {
        continue;
      }
      lines_.insert(place, line);
    }
  }
  changed();
}

void StringList::setSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (sorted_) {
    std::stable_sort(lines_.begin(), lines_.end(), sortsBefore);
    changed();
  }
}

void StringList::changed() const {
  if (onChange_) onChange_();
}

}  // namespace zendrift::search
