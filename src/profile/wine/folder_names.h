// One host folder's names as a case-blind lookup sees them: read once, then searched in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zendrift::profile {

class FolderNames {
 public:
  enum class State {
    listed,      // the names below are all there is
    missing,     // no folder is there: nothing below it exists
    unreadable,  // the listing failed: nothing below it can be told present or missing
  };

  // Lists the host folder `folder`.
  static FolderNames read(const std::string& folder);

  State state() const noexcept { return state_; }
  // Whether the host folder `folder` (the one listed) was made, removed or changed its entries
  // since; a folder whose change time cannot be read counts as changed.
  bool changedSince(const std::string& folder) const;
  // The same, told by the folder's modification time (ns) as just read.
  bool changedSince(std::int64_t modifiedNow) const { return changed_ != modifiedNow; }
  // The listed names Wine would take for `name`, in the listing's order: the same name in any
  // letter case, and for a short form ("PROGRA~1") the long names Wine gives that short name.
  std::vector<std::string_view> candidates(std::string_view name) const;
  // Roughly what this listing holds in memory.
  std::size_t bytes() const noexcept;

 private:
  State state_ = State::listed;
  std::optional<std::int64_t> changed_;  // the folder's change time (ns) before it was listed; none when absent
  std::string text_;  // every name, each followed by '\0', in the listing's order
  std::vector<std::pair<std::uint64_t, std::uint32_t>> byHash_;  // case-blind hash, offset into text_; sorted
};

}  // namespace zendrift::profile
