// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/instance_socket.h"
#include "tests/support/env.h"
#include "tests/support/process.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace trov;
using namespace trov::platform;

namespace {

// A listener on the instance socket as the window program's: it records the first line of
// each client and answers "ok".
struct Listener {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string received; // read once the thread has ended
    std::thread thread;

    explicit Listener(const std::string& path) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        path.copy(addr.sun_path, sizeof addr.sun_path - 1);
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) | ::listen(fd, 4), 0);
        thread = std::thread([this] {
            for (int client; (client = ::accept(fd, nullptr, nullptr)) >= 0; ::close(client)) {
                for (char c = 0; ::recv(client, &c, 1, 0) == 1 && c != '\n';)
                    received += c;
                received += ";";
                (void)::send(client, "ok\n", 3, MSG_NOSIGNAL);
            }
        });
    }
    std::string stop() {
        ::shutdown(fd, SHUT_RDWR); // ends the accept
        thread.join();
        ::close(fd);
        return received;
    }
};

test::ProcessOptions runtimeEnv(const test::TempDir& dir) {
    test::ProcessOptions options;
    options.env = {{"XDG_RUNTIME_DIR", dir.path()}};
    return options;
}

} // namespace

TEST(InstanceSocket, TheNameIsTheProgramPathWithoutSlashesAndBlanks) {
    EXPECT_EQ(instanceName("/usr/bin/trov"), "usrbintrov");
    EXPECT_EQ(instanceName("/home/ann/My Apps/trov"), "homeannMyAppstrov");
    test::TempDir dir;
    test::ScopedEnv env;
    env.set("XDG_RUNTIME_DIR", dir.path());
    const std::string folder = instanceFolder(false).path;
    EXPECT_EQ(folder, dir.path());
    EXPECT_EQ(instanceSocketPath(folder, "/usr/bin/trov"), dir.path() + "usrbintrov");
    EXPECT_EQ(instanceLockPath(folder, "/usr/bin/trov"), dir.path() + "usrbintrov.lock");
    // A long path still fits a socket address, and stays its own.
    const std::string longA = "/" + std::string(200, 'a') + "/trov";
    EXPECT_LT(instanceSocketPath(folder, longA).size(), sizeof(sockaddr_un::sun_path));
    EXPECT_NE(instanceSocketPath(folder, longA),
              instanceSocketPath(folder, "/" + std::string(200, 'b') + "/trov"));
    EXPECT_FALSE(sendInstanceMessage(dir.file("none"), "toggle")); // nothing listening
    EXPECT_FALSE(sendInstanceMessage(std::string(200, 'x'), "toggle"));
    // trovctl looks beside itself, then in the build tree.
    EXPECT_EQ(windowProgramCandidates("/opt/trov/bin/"),
              (std::vector<std::string>{"/opt/trov/bin/trov", "/opt/trov/app/trov"}));
}

// Without XDG_RUNTIME_DIR, trov-<uid> in the shared temporary folder, which another user
// could make first: used only when it is the user's own folder that nobody else may enter.
TEST(InstanceSocket, TheFallbackFolderIsUsedOnlyWhenItIsOursAlone) {
    test::TempDir tmp;
    const unsigned me = ::getuid();
    const auto folder = [&](const char* name, mode_t mode) {
        std::filesystem::create_directory(tmp.file(name));
        ::chmod(tmp.file(name).c_str(), mode);
        return tmp.file(name);
    };
    std::filesystem::create_directory_symlink(folder("target", 0700), tmp.file("link"));
    tmp.write("file", "");
    const std::tuple<std::string, unsigned, std::string> rows[] = {
        {tmp.file("made"), me, ""},
        {folder("ours", 0700), me, ""},
        {folder("open", 0755), me, "has mode 0755, not 0700"},
        {folder("shared", 0700), me + 1, "belongs to another user"},
        {tmp.file("link"), me, "is a symbolic link"},
        {tmp.file("file"), me, "is not a folder"},
    };
    for (const auto& [path, uid, problem] : rows) {
        const InstanceFolder f = privateFolder(path, uid, true);
        EXPECT_EQ(f.path, problem.empty() ? path + "/" : "") << path;
        EXPECT_EQ(f.problem, problem.empty() ? "" : "The folder " + path + " " + problem + ".");
    }
    EXPECT_EQ(std::filesystem::status(tmp.file("made")).permissions(),
              std::filesystem::perms::owner_all);

    test::ScopedEnv env;
    env.unset("XDG_RUNTIME_DIR");
    env.set("TMPDIR", tmp.path());
    const std::string own = tmp.file("trov-" + std::to_string(me));
    EXPECT_EQ(instanceFolder(false).path, ""); // trovctl makes nothing
    EXPECT_EQ(instanceFolder(true).path, own + "/");
    ::chmod(own.c_str(), 0777);
    test::ProcessOptions options;
    options.env = {{"XDG_RUNTIME_DIR", ""}, {"TMPDIR", tmp.path()}};
    const auto r = test::runProcess({TROVCTL_PATH, "toggle"}, options);
    EXPECT_EQ(std::tuple(r.exitCode, r.err),
              std::tuple(1, "The folder " + own + " has mode 0777, not 0700.\n"));
}

TEST(InstanceSocket, AMessageIsItsFirstLineTrimmed) {
    using M = InstanceMessage;
    const std::string unended(kMaxInstanceLine, ' ');
    const std::pair<std::string, M> rows[] = {
        {"toggle\n", M::Toggle},   {" show\r\n", M::Show},           {"front\ntoggle\n", M::Front},
        {"toggle", M::Incomplete}, {"TOGGLE\n", M::Unknown},         {"\n", M::Unknown},
        {unended, M::TooLong},     {unended + "show\n", M::TooLong},
    };
    for (const auto& [bytes, message] : rows)
        EXPECT_EQ(parseInstanceMessage(bytes), message) << bytes;
}

TEST(Trovctl, ToggleAndShowReachTheProgramOrSayItIsNotRunning) {
    test::TempDir dir;
    for (const char* command : {"toggle", "show"}) {
        const auto r = test::runProcess({TROVCTL_PATH, "--data-dir", dir.path() + "data", command},
                                        runtimeEnv(dir));
        EXPECT_EQ(std::tuple(r.exitCode, r.err, r.out), std::tuple(1, "Trov is not running\n", ""))
            << command;
    }
    EXPECT_EQ(test::runProcess({TROVCTL_PATH, "toggle", "extra"}, runtimeEnv(dir)).exitCode, 2);
    // Beside trovctl, or the build tree's app/trov, as the window program names its socket.
    for (const std::string& program :
         windowProgramCandidates(std::filesystem::path(TROVCTL_PATH).parent_path().string())) {
        test::TempDir runtime;
        test::ScopedEnv env;
        env.set("XDG_RUNTIME_DIR", runtime.path());
        Listener listener(instanceSocketPath(runtime.path(), program));
        for (const char* command : {"toggle", "show"}) {
            const auto r = test::runProcess({TROVCTL_PATH, command}, runtimeEnv(runtime));
            EXPECT_EQ(r.exitCode, 0) << r.err;
            EXPECT_EQ(r.err, "");
        }
        EXPECT_EQ(listener.stop(), "toggle;show;") << program;
    }
}
