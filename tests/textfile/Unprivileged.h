// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Permission checks in tests: the tests may run as root, whom permission bits
// do not stop, so such a check runs in a child process as user "nobody".
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>

namespace velmora::test {

// Runs the check in a child process with the rights of an unprivileged user,
// since permission bits do not bind root. Nothing when that is impossible.
inline std::optional<bool> AsUnprivilegedUser(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check();
  const pid_t pid = ::fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 2)
    return std::nullopt;
  return WEXITSTATUS(status) == 0;
}

}  // namespace velmora::test
