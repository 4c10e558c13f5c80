// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/termination_signals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace trov::platform {

namespace {

// A signal handler reaches only what is global.
int writeEnd = -1;
std::atomic<int> received{0};
static_assert(std::atomic<int>::is_always_lock_free); // safe in a signal handler

// Only calls that are safe in a signal handler.
void onTerminationSignal(int number) {
    const int savedErrno = errno;
    if (received.fetch_add(1) > 0) {
        // Delivered once this handler returns, with the default action: the end.
        ::signal(number, SIG_DFL);
        ::raise(number);
    } else {
        const char byte = static_cast<char>(number);
        [[maybe_unused]] const ssize_t n = ::write(writeEnd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

int catchTerminationSignals() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return -1;
    writeEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGHUP})
        ::sigaction(number, &action, nullptr);
    return ends[0];
}

} // namespace trov::platform
