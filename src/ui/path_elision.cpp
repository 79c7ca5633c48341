// Leaving out the middle of a long path.
#include "ui/path_elision.h"

#include <cstddef>
#include <vector>

namespace zendrift::ui {

namespace {

constexpr std::string_view kEllipsis = "...";

bool isSeparator(char c) { return c == '/' || c == '\\'; }
bool startsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// Where characters start in `text`, and its end.
std::vector<std::size_t> characterStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (startsCharacter(text[i])) starts.push_back(i);
  }
  starts.push_back(text.size());
  return starts;
}

// Where the folder that holds the file begins: its separator. Zero when the path has no such folder.
std::size_t tailStart(std::string_view path) {
  std::size_t end = path.size();
  while (end > 0 && isSeparator(path[end - 1])) --end;
  const std::size_t nameSeparator = path.find_last_of("/\\", end == 0 ? 0 : end - 1);
  if (nameSeparator == std::string_view::npos || nameSeparator == 0) return 0;
  const std::size_t folderSeparator = path.find_last_of("/\\", nameSeparator - 1);
  return folderSeparator == std::string_view::npos ? 0 : folderSeparator;
}

// The most characters counted by `starts` (from the first, or to the last) that `fits`.
template <typename Fits>
std::size_t mostThatFit(std::size_t count, Fits fits) {
  std::size_t low = 0;
  std::size_t high = count;
  while (low < high) {
    const std::size_t middle = (low + high + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

}  // namespace

std::string middleElidedPath(std::string_view path, int width, const TextWidth& measure) {
  if (measure(path) <= width) return std::string(path);
  const std::vector<std::size_t> starts = characterStarts(path);
  const std::size_t characters = starts.size() - 1;
  const std::size_t tail = tailStart(path);
  if (tail > 0) {
    const std::string_view end = path.substr(tail);
    std::size_t headCharacters = 0;
    while (starts[headCharacters] < tail) ++headCharacters;
    const auto withHead = [&](std::size_t count) {
      return std::string(path.substr(0, starts[count])) + std::string(kEllipsis) + std::string(end);
    };
    const std::size_t kept = mostThatFit(headCharacters, [&](std::size_t count) { return measure(withHead(count)) <= width; });
    if (kept > 0 || measure(withHead(0)) <= width) return withHead(kept);
  }
  // Not even the folder and the file name fit: the end of the path, as much as fits.
  const auto withEnd = [&](std::size_t count) {
    return std::string(kEllipsis) + std::string(path.substr(starts[characters - count]));
  };
  return withEnd(mostThatFit(characters, [&](std::size_t count) { return measure(withEnd(count)) <= width; }));
}

}  // namespace zendrift::ui
