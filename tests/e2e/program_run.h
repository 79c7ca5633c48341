// Runs the real zendrift binary with its own environment and captures what it prints.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zendrift::testing {

struct ProgramResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// An account without privileges to run the program as, so that permissions hold as they do for
// an ordinary user (root passes over most of them).
struct Account {
  uid_t uid = 0;
  gid_t gid = 0;
};

// The account for permission tests: "nobody" when the tests run as root, else the current user
// (already unprivileged). Empty when root has no such account to turn to.
std::optional<Account> unprivilegedAccount();

// Hands `tree` and everything in it to `account`, so that it can work there.
void giveTo(const std::filesystem::path& tree, const Account& account);

// Runs `program` with `arguments` and exactly the variables of `environment`, without a shell;
// as `account` when one is given.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment,
                         const std::optional<Account>& account = std::nullopt);

// The zendrift binary under test.
std::string zendriftBinary();

}  // namespace zendrift::testing
