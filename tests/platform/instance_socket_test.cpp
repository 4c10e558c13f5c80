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
    EXPECT_EQ(instanceSocketPath("/usr/bin/trov"), dir.path() + "usrbintrov");
    EXPECT_EQ(instanceLockPath("/usr/bin/trov"), dir.path() + "usrbintrov.lock");
    // A long path still fits a socket address, and stays its own.
    const std::string longA = "/" + std::string(200, 'a') + "/trov";
    EXPECT_LT(instanceSocketPath(longA).size(), sizeof(sockaddr_un::sun_path));
    EXPECT_NE(instanceSocketPath(longA), instanceSocketPath("/" + std::string(200, 'b') + "/trov"));
    EXPECT_FALSE(sendInstanceMessage(dir.file("none"), "toggle")); // nothing listening
    EXPECT_FALSE(sendInstanceMessage(std::string(200, 'x'), "toggle"));
    env.unset("XDG_RUNTIME_DIR");
    EXPECT_EQ(instanceSocketPath("/usr/bin/trov"), "/tmp/usrbintrov-" + std::to_string(::getuid()));
    // trovctl looks beside itself, then in the build tree.
    EXPECT_EQ(windowProgramCandidates("/opt/trov/bin/"),
              (std::vector<std::string>{"/opt/trov/bin/trov", "/opt/trov/app/trov"}));
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
        Listener listener(instanceSocketPath(program));
        for (const char* command : {"toggle", "show"}) {
            const auto r = test::runProcess({TROVCTL_PATH, command}, runtimeEnv(runtime));
            EXPECT_EQ(r.exitCode, 0) << r.err;
            EXPECT_EQ(r.err, "");
        }
        EXPECT_EQ(listener.stop(), "toggle;show;") << program;
    }
}
