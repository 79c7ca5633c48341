// The process and its surroundings on POSIX systems.
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/path.h"
#include "platform/process.h"

namespace zendrift::platform {

std::optional<std::string> environmentVariable(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (!value) return std::nullopt;
  return std::string(value);
}

std::string currentDirectory() {
  std::vector<char> buffer(PATH_MAX);
  while (!::getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::string executablePath() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(length));
    buffer.resize(buffer.size() * 2);
  }
}

namespace {

// An XDG base folder: the variable when it holds an absolute path, else `fallback` below the home
// folder. Empty when there is no home folder either.
std::string xdgFolder(std::string_view variable, std::string_view fallback) {
  if (const auto value = environmentVariable(variable); value && !value->empty() && (*value)[0] == '/') {
    return withoutTrailingSeparator(*value);
  }
  std::string home = environmentVariable("HOME").value_or("");
  if (home.empty()) {
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) home = user->pw_dir;
  }
  if (home.empty()) return {};
  return withTrailingSeparator(home) + std::string(fallback);
}

}  // namespace

std::string applicationDataFolder() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }

std::string localStateFolder() { return xdgFolder("XDG_STATE_HOME", ".local/state"); }

std::string userDataFolder() { return xdgFolder("XDG_DATA_HOME", ".local/share"); }

void openWithShell(std::string_view target) {
  const std::string argument(target);
  // Detach twice so that the handler outlives us and never becomes our zombie.
  const pid_t child = ::fork();
  if (child == 0) {
    ::setsid();
    if (::fork() == 0) {
      ::execlp("xdg-open", "xdg-open", argument.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::_exit(0);
  }
  if (child > 0) ::waitpid(child, nullptr, 0);
}

std::vector<std::string> programParameters(int argc, const char* const* argv) {
  std::vector<std::string> parameters;
  for (int i = 1; i < argc && argv[i]; ++i) parameters.emplace_back(argv[i]);
  return parameters;
}

ShellSession::ShellSession() = default;
ShellSession::~ShellSession() = default;

}  // namespace zendrift::platform
