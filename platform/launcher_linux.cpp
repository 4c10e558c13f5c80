// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/browsers.h"
#include "platform/launcher.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace trov::platform {

namespace {

std::string findOnPath(const std::string& program) {
    if (program.find('/') != std::string::npos)
        return program;
    const char* path = std::getenv("PATH");
    std::string list = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t colon = list.find(':', start);
        std::string dir = list.substr(start, colon - start);
        if (dir.empty())
            dir = ".";
        const std::string candidate = dir + "/" + program;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return {};
}

} // namespace

bool spawnDetached(const std::vector<std::string>& argv) {
    if (argv.empty())
        return false;
    // Everything the children need is prepared here: between fork and exec only
    // async-signal-safe calls are made.
    const std::string program = findOnPath(argv[0]);
    if (program.empty())
        return false;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        // The grandchild runs the program; the child ends at once, so the browser is
        // never our child and never becomes a zombie we must wait for.
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(program.c_str(), args.data());
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    int status = 0;
    pid_t done;
    do {
        done = ::waitpid(child, &status, 0);
    } while (done < 0 && errno == EINTR);
    if (done < 0)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void ProcessLauncher::launch(const std::string& address, const std::string& command) {
    std::vector<std::string> argv = expandExec(command, address);
    // No command, or one with nothing to run: the system's default handler.
    if (argv.empty())
        argv = {"xdg-open", address};
    spawnDetached(argv); // a program that cannot start opens nothing and is not reported
}

} // namespace trov::platform
