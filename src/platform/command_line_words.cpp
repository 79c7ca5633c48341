// Command-line words.
#include "platform/command_line_words.h"

namespace zendrift::platform {

namespace {
bool isWordBreak(char c) { return c >= 1 && c <= ' '; }
}  // namespace

std::vector<std::string> splitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    for (;;) {
      while (i < line.size() && isWordBreak(line[i])) ++i;
      if (i + 1 < line.size() && line[i] == '"' && line[i + 1] == '"') {
        i += 2;
        continue;
      }
      break;
    }
    std::string word;
    while (i < line.size() && !isWordBreak(line[i]) && line[i] != '\0') {
      if (line[i] == '"') {
        ++i;
        while (i < line.size() && line[i] != '"' && line[i] != '\0') word += line[i++];
        if (i < line.size() && line[i] == '"') ++i;
      } else {
        word += line[i++];
      }
    }
    if (word.empty()) break;
    words.push_back(std::move(word));
    if (i < line.size() && line[i] == '\0') break;
  }
  return words;
}

}  // namespace zendrift::platform
