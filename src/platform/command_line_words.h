// Cutting one command-line string into parameters, the way Windows programs of this kind do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zendrift::platform {

// Characters 1 to 32 separate words; a double quote opens a stretch, ended by the next one, in
// which those characters belong to the word; the quotes themselves are dropped; two double
// quotes at the start of a word are skipped. A backslash is an ordinary character. The first
// word (the program's path) is included; the list ends at the first empty word.
std::vector<std::string> splitCommandLine(std::string_view line);

}  // namespace zendrift::platform
