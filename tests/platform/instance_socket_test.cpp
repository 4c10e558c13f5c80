#include "platform/instance_socket.h"
#include "tests/support/env.h"
#include "tests/support/process.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace trov;
using namespace trov::platform;

namespace {

// A plain listener on the instance socket that records the first line of each client and
// answers "ok", as the window program does.
struct Listener {
    explicit Listener(const std::string& path) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, path.data(), path.size());
        if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::listen(fd, 4) != 0)
            ADD_FAILURE() << "cannot listen on " << path;
        thread = std::thread([this] {
            for (int client; (client = ::accept(fd, nullptr, nullptr)) >= 0; ::close(client)) {
                std::string line;
                for (char c = 0; ::recv(client, &c, 1, 0) == 1 && c != '\n';)
                    line += c;
                std::lock_guard lock(mutex);
                received += line + ";";
                (void)::send(client, "ok\n", 3, MSG_NOSIGNAL);
            }
        });
    }
    ~Listener() {
        ::shutdown(fd, SHUT_RDWR); // ends the accept
        thread.join();
        ::close(fd);
    }
    std::string text() {
        std::lock_guard lock(mutex);
        return received;
    }

    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::thread thread;
    std::mutex mutex;
    std::string received;
};

struct RuntimeDir : test::ScopedEnv {
    explicit RuntimeDir(const std::string& dir) { set("XDG_RUNTIME_DIR", dir); }
};

test::ProcessOptions runtimeEnv(const test::TempDir& dir) {
    test::ProcessOptions options;
    options.env = {{"XDG_RUNTIME_DIR", dir.path()}};
    return options;
}

std::string trovctlDir() {
    return std::filesystem::path(TROVCTL_PATH).parent_path().string();
}

} // namespace

TEST(InstanceSocket, TheNameIsTheProgramPathWithoutSlashesAndBlanks) {
    EXPECT_EQ(instanceName("/usr/bin/trov"), "usrbintrov");
    EXPECT_EQ(instanceName("/home/ann/My Apps/trov"), "homeannMyAppstrov");
    EXPECT_NE(instanceName("/opt/a/trov"), instanceName("/opt/b/trov"));
    test::TempDir dir;
    RuntimeDir runtime(dir.path());
    EXPECT_EQ(instanceSocketPath("/usr/bin/trov"), dir.path() + "usrbintrov");
    EXPECT_EQ(instanceLockPath("/usr/bin/trov"), dir.path() + "usrbintrov.lock");
    // A long path still fits a socket address, and stays its own.
    const std::string longA = "/" + std::string(200, 'a') + "/trov";
    EXPECT_LT(instanceSocketPath(longA).size(), sizeof(sockaddr_un::sun_path));
    EXPECT_NE(instanceSocketPath(longA), instanceSocketPath("/" + std::string(200, 'b') + "/trov"));
    EXPECT_FALSE(sendInstanceMessage(dir.file("none"), "toggle")); // nothing listening
    EXPECT_FALSE(sendInstanceMessage(std::string(200, 'x'), "toggle"));
    runtime.unset("XDG_RUNTIME_DIR");
    EXPECT_EQ(instanceSocketPath("/usr/bin/trov"), "/tmp/usrbintrov-" + std::to_string(::getuid()));
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

TEST(InstanceSocket, CandidatesBesideTrovctlAndInTheBuildTree) {
    const auto c = windowProgramCandidates("/opt/trov/bin/");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0], "/opt/trov/bin/trov");
    EXPECT_EQ(c[1], "/opt/trov/app/trov");
}

TEST(Trovctl, ToggleAndShowWithNoProgramRunning) {
    test::TempDir dir;
    for (const char* command : {"toggle", "show"}) {
        const auto r = test::runProcess({TROVCTL_PATH, "--data-dir", dir.path() + "data", command},
                                        runtimeEnv(dir));
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_EQ(r.err, "Trov is not running\n");
        EXPECT_EQ(r.out, "");
    }
    const auto r = test::runProcess({TROVCTL_PATH, "toggle", "extra"}, runtimeEnv(dir));
    EXPECT_EQ(r.exitCode, 2);
}

// Beside trovctl, or the build tree's app/trov, as the window program names its socket.
TEST(Trovctl, ToggleAndShowReachTheProgram) {
    for (const std::string& program : windowProgramCandidates(trovctlDir())) {
        test::TempDir dir;
        RuntimeDir runtime(dir.path());
        Listener listener(instanceSocketPath(program));
        for (const char* command : {"toggle", "show"}) {
            const auto r = test::runProcess({TROVCTL_PATH, command}, runtimeEnv(dir));
            EXPECT_EQ(r.exitCode, 0) << r.err;
            EXPECT_EQ(r.err, "");
        }
        EXPECT_EQ(listener.text(), "toggle;show;") << program;
    }
}
