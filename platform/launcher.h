// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Launch: opens an address with the system's default handler (empty command) or with a
// browser's command line. Nothing waits for the program and no failure is reported.

#include <string>
#include <vector>

namespace trov::platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    virtual void launch(const std::string& address, const std::string& command) = 0;
};

// Starts "xdg-open ADDRESS", or the command by its desktop-entry rules, directly with an
// argument vector: no shell ever sees the address.
class ProcessLauncher : public Launcher {
public:
    void launch(const std::string& address, const std::string& command) override;
};

// Remembers every launch, for tests and for trovctl without --open.
class RecordingLauncher : public Launcher {
public:
    struct Launch {
        std::string address;
        std::string command;
        bool operator==(const Launch&) const = default;
    };
    std::vector<Launch> launches;
    void launch(const std::string& address, const std::string& command) override {
        launches.push_back({address, command});
    }
};

// Starts argv[0] (searched on PATH) detached; false when it could not be started.
bool spawnDetached(const std::vector<std::string>& argv);

} // namespace trov::platform
