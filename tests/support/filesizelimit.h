// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Brelvox developers
#pragma once

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brelvox::support {

// Runs work in a child process that may write files of at most limit bytes, as a full
// disk would allow (SIGXFSZ ignored, so writes fail with an error instead of killing it).
// Returns the child's exit status, work's answer, or -1 when it crashed.
inline int runWithFileSizeLimit(rlim_t limit, const std::function<int()> &work)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit lim{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &lim);
        ::_exit(work());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace brelvox::support
