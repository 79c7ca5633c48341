// Loading a shared module with the system's dynamic loader.
#include <dlfcn.h>

#include "platform/loaded_module.h"

namespace zendrift::platform {

namespace {

std::string loaderFailure(const char* fallback) {
  const char* words = ::dlerror();
  return words ? std::string(words) : std::string(fallback);
}

}  // namespace

std::variant<void*, std::string> moduleFunction(const std::string& path, const char* name) {
  // Bound at once, so that a library that does not fit shows here rather than midway; kept apart
  // from the program's own names, and never unloaded.
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!module) return loaderFailure("the module could not be loaded");
  ::dlerror();
  void* function = ::dlsym(module, name);
  if (!function) return loaderFailure("the module has no entry");
  return function;
}

}  // namespace zendrift::platform
