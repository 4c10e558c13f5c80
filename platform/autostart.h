// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Starting with the desktop session: the XDG autostart entry "Trov-Trov.desktop" in
// $XDG_CONFIG_HOME/autostart/, whose Exec is the program's full path.

#include <string>

namespace trov::platform {

inline constexpr const char* kAutostartFileName = "Trov-Trov.desktop";

class Autostart {
public:
    virtual ~Autostart() = default;
    // Creates the entry (and its folder); false when it cannot be written.
    virtual bool write(const std::string& programPath) = 0;
    // Removes the entry; a missing one is not an error.
    virtual void remove() = 0;
    virtual bool exists() const = 0;
};

// The entry's text for a program path, quoted by the desktop-entry rules where needed.
std::string autostartEntry(const std::string& programPath);

class XdgAutostart : public Autostart {
public:
    // configHome defaults to $XDG_CONFIG_HOME (~/.config).
    explicit XdgAutostart(std::string configHome = {});

    const std::string& path() const { return path_; }
    bool write(const std::string& programPath) override;
    void remove() override;
    bool exists() const override;

private:
    std::string dir_;
    std::string path_;
};

// Records the calls, for tests.
class FakeAutostart : public Autostart {
public:
    bool write(const std::string& programPath) override {
        written = programPath;
        present = writable;
        ++writes;
        return writable;
    }
    void remove() override {
        present = false;
        ++removals;
    }
    bool exists() const override { return present; }

    bool writable = true;
    bool present = false;
    std::string written;
    int writes = 0;
    int removals = 0;
};

} // namespace trov::platform
