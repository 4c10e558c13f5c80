// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SIGTERM and SIGHUP (a session manager ending the session, a closed terminal, `kill`)
// turned into bytes on a pipe, so that the window thread can end the program in order:
// the handler only writes the signal's number there. A second signal, while the program
// is still ending after the first, ends the process at once, as the signal would have.

namespace trov::platform {

// Installs the handlers; returns the reading end of the pipe (non-blocking, one byte per
// signal; it stays open for the life of the process), or -1 when no pipe can be made, in
// which case the signals keep their default action.
int catchTerminationSignals();

} // namespace trov::platform
