#pragma once

// A run of the program killed part way: the work runs in a child process, which kills
// itself (SIGKILL) where the test's hook says; what it left behind is then looked at.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QString>

#include "Leftovers.h"
#include "core/foundation/ScratchFolder.h"
#include "ui/support/ModalLoop.h"

namespace uitest {

// Runs work in a child whose system temporary folder (TMPDIR) is systemTemporary; work
// must end by killing the child. Checks that it was killed and left nothing in
// systemTemporary, and returns the files it left in the program's scratch folder.
inline std::vector<std::string> filesLeftByAKilledRun(const std::string& systemTemporary,
                                                      const std::function<void()>& work) {
    const pid_t run = ::fork();
    if (run < 0) {
        ADD_FAILURE() << "no child process";
        return {};
    }
    if (run == 0) {
        ::setenv("TMPDIR", systemTemporary.c_str(), 1);
        // Qt's drawing threads are not in the child: no picture of a window is taken.
        setWindowImageFolder(QString());
        work();
        ::_exit(1);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(run, &status, 0), run);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    EXPECT_TRUE(filesBelow(systemTemporary).empty()) << "something was left in the system's temporary folder";
    return filesBelow(scratchFolder());
}

}  // namespace uitest
