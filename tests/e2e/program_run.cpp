// Runs the real zendrift binary and captures its output through files.
#include "program_run.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "temp_dir.h"

namespace zendrift::testing {

std::optional<Account> unprivilegedAccount() {
  if (::geteuid() != 0) return Account{::geteuid(), ::getegid()};
  const passwd* entry = ::getpwnam("nobody");
  if (!entry) return std::nullopt;
  return Account{entry->pw_uid, entry->pw_gid};
}

void giveTo(const std::filesystem::path& tree, const Account& account) {
  if (::geteuid() != 0) return;
  const auto own = [&](const std::filesystem::path& path) {
    if (::lchown(path.c_str(), account.uid, account.gid) != 0) throw std::runtime_error("cannot hand over " + path.string());
  };
  own(tree);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tree)) own(entry.path());
}

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment,
                         const std::optional<Account>& account) {
  TempDir capture;
  const std::string outPath = capture / "out";
  const std::string errPath = capture / "err";

  std::vector<std::string> argvText{program};
  argvText.insert(argvText.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argvText) argv.push_back(text.data());
  argv.push_back(nullptr);
  std::vector<std::string> envText;
  for (const auto& [name, value] : environment) envText.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& text : envText) envp.push_back(text.data());
  envp.push_back(nullptr);

  const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (in < 0 || out < 0 || err < 0) throw std::runtime_error("cannot prepare the output of " + program);
  // Only async-signal-safe calls between fork and exec: the test process has threads.
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
    if (account && (::setgroups(0, nullptr) != 0 || ::setgid(account->gid) != 0 || ::setuid(account->uid) != 0)) {
      ::_exit(126);
    }
    ::execve(program.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(in);
  ::close(out);
  ::close(err);
  if (pid < 0) throw std::runtime_error("cannot start " + program);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("cannot wait for " + program);
  }
  ProgramResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = readFile(outPath);
  result.err = readFile(errPath);
  return result;
}

std::string zendriftBinary() {
  return testSetting("ZENDRIFT_BIN");
}

}  // namespace zendrift::testing
