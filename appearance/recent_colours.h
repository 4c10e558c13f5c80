// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The last 30 background colours, most recent first, mirrored to "Trov.lst" after every
// change. A slot never filled holds white; a colour may stand in several slots.

#include "common/messages.h"
#include "settings/config.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trov {

inline constexpr std::string_view kRecentFileName = "Trov.lst";
inline constexpr std::string_view kRecentSection = "GeneralFall";
inline constexpr std::size_t kRecentSlots = 30;

using RecentSlots = std::array<int, kRecentSlots>;

struct WindowPosition {
    int left = 100;
    int top = 100;
    friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

struct Extent {
    int width = 0;
    int height = 0;
};

// The front rule: the highest-numbered slot holding colour gives way (the slots before it
// move up by one) or, when no slot holds it, the last slot is dropped; then slot 1 holds
// colour. Lower slots that also held it keep it.
RecentSlots putAtFront(const RecentSlots& before, int colour);

// Keeps the window on the primary screen: an edge below 1 or a window that would stick out
// past the right or bottom edge starts at 10 instead.
WindowPosition keepOnPrimaryScreen(WindowPosition position, Extent window, Extent screen);

struct RecentFile {
    RecentSlots colours;
    WindowPosition position;
};

class IniDocument;
// "v1" ... "v30" of the section "GeneralFall"; white where a key is missing or malformed.
RecentSlots slotsIn(const IniDocument& doc);

// Reads "v1" ... "v30", "vx" and "vy" of the section "GeneralFall". A missing file or key,
// or a value that is not an integer, gives white; a missing position gives 100, 100.
RecentFile readRecentFile(const std::string& path);

// The first of the folders shipped with the program that holds "Trov.lst" (empty when
// none does).
std::string shippedRecentFile(const std::vector<std::string>& shippedDirs);

class RecentColours {
public:
    // path: "Trov.lst" in the data folder. Writes that the system refuses are reported
    // through messages as "Unable to write to <path>"; the list in memory keeps the change.
    RecentColours(std::string path, Messages& messages);

    // The window's creation at program start: reads source, keeps the window on the
    // primary screen, marks the shipped stores as taken over in YY.cfg, then writes the
    // list and the position into the data folder. When YY.cfg cannot be written the data
    // folder's list is left alone, so the next start does not take the shipped one over it.
    void open(const std::string& source, Extent window, Extent screen, Config& config);

    const RecentSlots& colours() const { return slots_; }
    int slot(std::size_t index) const { return slots_.at(index); }
    WindowPosition position() const { return position_; }
    const std::string& path() const { return path_; }

    // The file open() reads: on the very first start ("App" "start" read true) the list
    // shipped beside the program, otherwise, or when nothing is shipped, the data folder's.
    std::string source(bool firstStart, const std::vector<std::string>& shippedDirs) const;

    // Puts colour at the front and writes the 30 slots (the colour has been applied).
    void Nalozi(int colour);
    // A click on slot index (zero-based): its colour goes to the front, then the slots and
    // the window's current position are written. Returns the colour, which the caller
    // applies as the background before calling.
    int takeSlot(std::size_t index, WindowPosition current);
    // Writes all 30 slots and the position.
    void zapisiBarave(WindowPosition current);
    // Closing the window writes only its position.
    void closed(WindowPosition current);

private:
    template <typename Write> void write(Write&& write);

    std::string path_;
    Messages& messages_;
    RecentSlots slots_;
    WindowPosition position_;
    // The slots as this program last read or wrote them in path, and the colours put at
    // the front since: a write replays those on another program's newer list.
    std::optional<RecentSlots> stored_;
    std::vector<int> unstored_;
};

} // namespace trov
