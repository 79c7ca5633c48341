// Running part of a test as an unprivileged account. Root passes every permission check, so a
// permission case run by root does its work in a child process as "nobody".
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <utility>

namespace zendrift::testing {

using UnixAccount = std::pair<uid_t, gid_t>;

// "nobody" under root, else the current user and group. Empty when root has no such account.
std::optional<UnixAccount> unprivileged();

// Runs `body` in a child process as `account` and gives its result, or a negative value when
// the child ended otherwise (100: the account could not be taken, 101: `body` threw).
int runAs(UnixAccount account, const std::function<int()>& body);

}  // namespace zendrift::testing
