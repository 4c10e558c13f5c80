// SPDX-License-Identifier: GPL-3.0-or-later
// Any desktop entry and mimeapps.list (the input split at its first NUL byte): the browser
// lookup reads them without faulting, agrees with itself, and the entry's Exec line, as
// well as the whole input taken as one, expands to a command that carries the address.

#include "platform/browsers.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kAddress = "https://example.org/search?q=a b";

void checkCommand(std::string_view exec) {
    const std::vector<std::string> argv = trov::platform::expandExec(exec, kAddress);
    bool carried = argv.empty(); // only field codes: nothing to start
    for (const std::string& arg : argv)
        carried = carried || arg.find(kAddress) != std::string::npos;
    if (!carried)
        std::abort();
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

// One folder per fuzzing process stands in for every XDG location. It lives only while an
// input is read: the fuzzer ends its process without running exit handlers.
const fs::path& desktopRoot() {
    static const fs::path root = [] {
        const fs::path dir =
            fs::temp_directory_path() / ("trov-desktop-fuzz-" + std::to_string(::getpid()));
        ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (dir / "none").c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", (dir / "none").c_str(), 1);
        return dir;
    }();
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    fs::create_directories(desktopRoot() / "data/applications");
    fs::create_directories(desktopRoot() / "config");
    writeFile(desktopRoot() / "data/applications/web.desktop", bytes.substr(0, nul));
    writeFile(desktopRoot() / "config/mimeapps.list",
              nul == std::string_view::npos ? std::string_view() : bytes.substr(nul + 1));
    const trov::platform::XdgBrowserRegistry registry;
    const std::vector<trov::platform::DesktopBrowser> found = registry.browsers();
    const std::optional<trov::platform::DesktopBrowser> chosen = registry.defaultBrowser();
    if (found.size() > 1 || (chosen && chosen->id != "web.desktop") ||
        (chosen && !found.empty() && *chosen != found.front()))
        std::abort();
    for (const trov::platform::DesktopBrowser& b : found)
        checkCommand(b.exec);
    if (chosen)
        checkCommand(chosen->exec);
    checkCommand(bytes);
    fs::remove_all(desktopRoot());
    return 0;
}
