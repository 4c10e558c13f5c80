// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Environment variables set for one test and restored afterwards, and a desktop of XDG
// folders inside a temporary folder.

#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace trov::test {

class ScopedEnv {
public:
    void set(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        saved_.try_emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    void unset(const std::string& name) {
        set(name, "");
        ::unsetenv(name.c_str());
    }
    ~ScopedEnv() {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// A desktop with nothing installed: data and config homes and one system data folder,
// all inside dir.
struct FakeDesktop {
    TempDir dir;
    ScopedEnv env;
    FakeDesktop() {
        env.set("XDG_DATA_HOME", dir.file("home/data"));
        env.set("XDG_CONFIG_HOME", dir.file("home/config"));
        env.set("XDG_DATA_DIRS", dir.file("sys1") + ":" + dir.file("sys2"));
        env.set("XDG_CONFIG_DIRS", dir.file("etc"));
    }
    std::string userEntry(const std::string& id, const std::string& body) {
        return dir.write("home/data/applications/" + id, body);
    }
    std::string systemEntry(int n, const std::string& id, const std::string& body) {
        return dir.write("sys" + std::to_string(n) + "/applications/" + id, body);
    }
    static std::string browser(const std::string& name, const std::string& exec,
                               const std::string& extra = "") {
        return "[Desktop Entry]\nType=Application\nName=" + name +
               "\nName[de]=Localised\nExec=" + exec +
               "\nMimeType=text/html;x-scheme-handler/http;\n" + extra;
    }
};

} // namespace trov::test
