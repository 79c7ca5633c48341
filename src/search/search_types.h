// The option and enumeration types through which the search engine and its filters are set up.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace zendrift::search {

// A set of enumeration members, member n at bit n, held in `Bits`.
template <typename Enum, typename Bits>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<Enum> members) {
    for (const Enum member : members) bits_ = static_cast<Bits>(bits_ | bitOf(member));
  }
  static constexpr EnumSet fromBits(Bits bits) {
    EnumSet set;
    set.bits_ = bits;
    return set;
  }

  constexpr bool contains(Enum member) const { return (bits_ & bitOf(member)) != 0; }
  constexpr bool empty() const { return bits_ == 0; }
  constexpr Bits bits() const { return bits_; }

  constexpr EnumSet& include(Enum member) {
    bits_ = static_cast<Bits>(bits_ | bitOf(member));
    return *this;
  }
  constexpr EnumSet& exclude(Enum member) {
    bits_ = static_cast<Bits>(bits_ & ~bitOf(member));
    return *this;
  }
  constexpr EnumSet with(Enum member) const { return EnumSet(*this).include(member); }
  constexpr EnumSet without(Enum member) const { return EnumSet(*this).exclude(member); }

  friend constexpr bool operator==(EnumSet, EnumSet) = default;

 private:
  static constexpr Bits bitOf(Enum member) { return static_cast<Bits>(Bits{1} << static_cast<unsigned>(member)); }
  Bits bits_ = 0;
};

// Which subfolders are entered and whether their entries are examined.
enum DirOption : std::uint8_t {
  doExcludeSubDirs = 0,              // subfolders are not entered (they may still be reported)
  doIncludeSubDirs = 1,              // every subfolder is entered and examined
  doExcludeInvalidDirs = 2,          // every subfolder is entered; only accepted ones are examined
  doExcludeCompleteInvalidDirs = 3,  // only accepted subfolders are entered
};

enum SearchOption : std::uint8_t {
  soAllowDuplicates = 0,           // sorted result lists keep duplicate names
  soCheckRootDirValid = 1,         // the root must pass the root check before its entries count
  soExcludeFilesInRootDir = 2,     // the root's own entries are never examined
  soOwnerData = 3,                 // names go to the events and counts only, not to the lists
  soSearchDirs = 4,                // accepted folders are reported
  soSearchFiles = 5,               // accepted files are reported
  soSorted = 6,                    // the result lists are kept sorted
  soStripDirs = 7,                 // reported names are bare entry names
  soIncludeSystemHiddenDirs = 8,   // hidden+system folders are walked like others
  soIncludeSystemHiddenFiles = 9,  // hidden+system files are examined like others
};
using SearchOptions = EnumSet<SearchOption, std::uint16_t>;

// What a failed folder listing does.
enum ErrorResponse : std::uint8_t {
  erAbort = 0,   // the search ends unless onError sets Handled
  erIgnore = 1,  // the folder is passed over unless onError clears Handled
  erRaise = 2,   // the OS error is raised unless onError sets Handled
};

enum SearchType : std::uint8_t {
  stAttribute = 0,
  stFileMask = 1,
  stFileMaskCaseSensitive = 2,
  stLastChangeAfter = 3,
  stLastChangeBefore = 4,
  stMaxSize = 5,
  stMinSize = 6,
};
using SearchTypes = EnumSet<SearchType, std::uint8_t>;

// The state of one attribute in the attribute filter.
enum AttributeRule : std::uint8_t { tsMustBeSet = 0, tsDontCare = 1, tsMustBeUnSet = 2 };

}  // namespace zendrift::search
