#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// What a crash leaves is tried by a child process that ends itself at a chosen point
// with ::_exit(kKilledStatus), so that nothing cleans up; the test process then looks
// at the files.
inline constexpr int kKilledStatus = 42;

// Runs run in a child process and gives the status it ended with (run's result, or the
// one it ended itself with); -1 when it could not start or did not end by itself. The
// child opens its own database connections: the test process closes its ones first.
inline int statusOfChild(const std::function<int()>& run) {
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) ::_exit(run());
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}
