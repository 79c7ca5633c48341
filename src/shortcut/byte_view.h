// A bounds-checked, little-endian view of untrusted bytes.
//
// Every read outside the view yields zero instead of touching memory, so parsers check sizes
// with has() for meaning, never for safety.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zendrift::shortcut {

class ByteView {
 public:
  ByteView() = default;
  explicit ByteView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const noexcept { return bytes_.size(); }
  bool empty() const noexcept { return bytes_.empty(); }
  std::span<const std::uint8_t> bytes() const noexcept { return bytes_; }

  // True when `count` bytes from `offset` lie inside the view.
  bool has(std::size_t offset, std::size_t count) const noexcept {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }

  std::uint8_t u8(std::size_t offset) const noexcept { return has(offset, 1) ? bytes_[offset] : 0; }
  std::uint16_t u16(std::size_t offset) const noexcept {
    if (!has(offset, 2)) return 0;
    return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
  }
  std::uint32_t u32(std::size_t offset) const noexcept {
    if (!has(offset, 4)) return 0;
    return static_cast<std::uint32_t>(u16(offset)) | (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
  }
  std::uint64_t u64(std::size_t offset) const noexcept {
    if (!has(offset, 8)) return 0;
    return static_cast<std::uint64_t>(u32(offset)) | (static_cast<std::uint64_t>(u32(offset + 4)) << 32);
  }

  // The part from `offset` of at most `count` bytes, cut at the end of the view.
  ByteView sub(std::size_t offset, std::size_t count = static_cast<std::size_t>(-1)) const noexcept {
    if (offset >= bytes_.size()) return {};
    const std::size_t left = bytes_.size() - offset;
    return ByteView(bytes_.subspan(offset, count < left ? count : left));
  }

  // An 8-bit string from `offset` up to its zero byte, or to the end of the view when it has none.
  std::span<const std::uint8_t> narrowString(std::size_t offset) const noexcept {
    const ByteView rest = sub(offset);
    std::size_t length = 0;
    while (length < rest.size() && rest.bytes_[length] != 0) ++length;
    return rest.bytes_.first(length);
  }

  // A UTF-16LE string from `offset` up to its zero unit, or to the end of the view; whole units only.
  std::span<const std::uint8_t> wideString(std::size_t offset) const noexcept {
    const ByteView rest = sub(offset);
    std::size_t length = 0;
    while (length + 1 < rest.size() && (rest.bytes_[length] | rest.bytes_[length + 1]) != 0) length += 2;
    return rest.bytes_.first(length);
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace zendrift::shortcut
