// Permission cases as an unprivileged account: a forked child drops root before it runs.
#include "run_as.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zendrift::testing {

std::optional<UnixAccount> unprivileged() {
  if (::geteuid() != 0) return UnixAccount{::geteuid(), ::getegid()};
  const passwd* entry = ::getpwnam("nobody");
  if (!entry) return std::nullopt;
  return UnixAccount{entry->pw_uid, entry->pw_gid};
}

int runAs(UnixAccount account, const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(account.second) != 0 || ::setuid(account.first) != 0)) {
      ::_exit(100);
    }
    int result = 101;
    try {
      result = body();
    } catch (...) {
    }
    ::_exit(result);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace zendrift::testing
