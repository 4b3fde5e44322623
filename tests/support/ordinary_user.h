// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

// The user and group without special rights that root becomes.
constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

// Runs action as a user without special rights and returns what it returned. Root passes
// every permission check, so as root the action runs in a child process that becomes nobody;
// anything it makes must be reachable by that user.
inline bool asOrdinaryUser(const std::function<bool()>& action) {
    if (geteuid() != 0)
        return action();
    const pid_t pid = fork();
    if (pid == 0) {
        const bool ok =
            setgroups(0, nullptr) == 0 && setgid(kNoGroup) == 0 && setuid(kNobody) == 0 && action();
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}
