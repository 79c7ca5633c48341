// Code a run loads only when it needs it, on POSIX systems: a part of the program built as a
// shared module, with the libraries it brings.
#pragma once

#include <string>
#include <variant>

namespace zendrift::platform {

// The address of the function `name` in the shared module at `path`; or, when the module or a
// library it needs cannot be loaded or has no such function, the system loader's own words on
// why. The module stays loaded for the rest of the process: what it started (a toolkit's threads,
// its handlers at exit) may still run until then.
std::variant<void*, std::string> moduleFunction(const std::string& path, const char* name);

}  // namespace zendrift::platform
