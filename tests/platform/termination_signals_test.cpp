// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/termination_signals.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

// In a child of its own: the first SIGTERM or SIGHUP is a byte on the pipe, the second
// ends the process by its signal.
TEST(TerminationSignals, TheFirstIsAByteTheSecondEnds) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        const pid_t child = ::fork();
        if (child == 0) {
            const int pipe = trov::platform::catchTerminationSignals();
            ::raise(signal);
            char byte = 0;
            if (::read(pipe, &byte, 1) != 1 || byte != signal)
                ::_exit(1);
            ::raise(signal);
            ::_exit(2); // still running
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), signal);
    }
}
