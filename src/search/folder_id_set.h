// The folders a walk has met, as one flat table: a walk of many thousand folders keeps one
// identity per folder, so a node per entry (std::unordered_set) would cost an allocation each and
// more than twice the memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/directory_listing.h"

namespace zendrift::search {

class FolderIdSet {
 public:
  // Adds `id`; false when it was there already.
  bool insert(const platform::FolderId& id) {
    if (id == kEmpty) return !std::exchange(holdsEmpty_, true);
    if ((count_ + 1) * 4 > slots_.size() * 3) grow();
    if (!place(slots_, id)) return false;
    ++count_;
    return true;
  }
  std::size_t size() const noexcept { return count_ + (holdsEmpty_ ? 1 : 0); }

 private:
  // Marks a free slot; an id equal to it is kept aside.
  static constexpr platform::FolderId kEmpty{};

  static std::size_t hash(const platform::FolderId& id) noexcept {
    std::uint64_t h = id.inode * 0x9E3779B97F4A7C15ULL ^ id.device;
    h ^= h >> 29;
    return static_cast<std::size_t>(h * 0xBF58476D1CE4E5B9ULL);
  }
  static bool place(std::vector<platform::FolderId>& slots, const platform::FolderId& id) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = hash(id) & mask;; at = (at + 1) & mask) {
      if (slots[at] == id) return false;
      if (slots[at] == kEmpty) {
        slots[at] = id;
        return true;
      }
    }
  }
  void grow() {
    std::vector<platform::FolderId> larger(slots_.empty() ? 64 : slots_.size() * 2);
    for (const platform::FolderId& id : slots_) {
      if (!(id == kEmpty)) place(larger, id);
    }
    slots_ = std::move(larger);
  }

  std::vector<platform::FolderId> slots_;
  std::size_t count_ = 0;
  bool holdsEmpty_ = false;
};

}  // namespace zendrift::search
