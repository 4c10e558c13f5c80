// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/process.h"

#include "tests/support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace trov::test {

ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
    const TempDir dir; // both outputs go to files: no pipe can fill up and block the child
    const std::string out = dir.file("out"), err = dir.file("err");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open("/dev/null", O_RDONLY), 0); // standard input at its end
        ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT, 0600), 1);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT, 0600), 2);
        for (const auto& [k, v] : options.env)
            v.empty() ? ::unsetenv(k.c_str()) : ::setenv(k.c_str(), v.c_str(), 1);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ProcessResult result;
    int status = 0;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(options.timeoutMs);
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.err = "[killed after timeout]\n";
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = dir.read("out");
    result.err += dir.read("err");
    return result;
}

} // namespace trov::test
