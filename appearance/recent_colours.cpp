// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/recent_colours.h"

#include "appearance/colour.h"
#include "common/atomic_file.h"
#include "settings/ini.h"

#include <algorithm>

namespace trov {

namespace {

std::string slotKey(char v, std::size_t index) {
    return std::string(1, v) + std::to_string(index + 1);
}

void setSlots(IniDocument& doc, const RecentSlots& slots) {
    // Written with an upper-case V and read with a lower-case one, as the file always was.
    for (std::size_t i = 0; i < slots.size(); ++i)
        doc.setValue(kRecentSection, slotKey('V', i), std::to_string(slots[i]));
}

void setPosition(IniDocument& doc, WindowPosition position) {
    doc.setValue(kRecentSection, "vx", std::to_string(position.left));
    doc.setValue(kRecentSection, "vy", std::to_string(position.top));
}

RecentSlots allWhite() {
    RecentSlots slots;
    slots.fill(kWhite);
    return slots;
}

} // namespace

RecentSlots putAtFront(const RecentSlots& slots, int colour) {
    RecentSlots out = slots;
    std::size_t k = out.size() - 1; // zero-based slot that gives way
    for (std::size_t i = out.size(); i-- > 0;) {
        if (slots[i] == colour) {
            k = i;
            break;
        }
    }
    for (std::size_t j = k; j > 0; --j)
        out[j] = out[j - 1];
    out[0] = colour;
    return out;
}

WindowPosition keepOnPrimaryScreen(WindowPosition position, Extent window, Extent screen) {
    if (position.left < 1)
        position.left = 10;
    if (position.top < 1)
        position.top = 10;
    if (screen.width - window.width < position.left)
        position.left = 10;
    if (screen.height - window.height < position.top)
        position.top = 10;
    return position;
}

RecentSlots slotsIn(const IniDocument& doc) {
    RecentSlots slots;
    // Values outside the plain range (system colours a settings file applied) stay as
    // they are: they were the background once and are applied the same way again.
    for (std::size_t i = 0; i < kRecentSlots; ++i)
        slots[i] = doc.readInt(kRecentSection, slotKey('v', i), kWhite);
    return slots;
}

RecentFile readRecentFile(const std::string& path) {
    RecentFile file;
    const IniFile ini(path);
    file.colours = slotsIn(ini.document());
    file.position.left = ini.readInt(kRecentSection, "vx", 100);
    file.position.top = ini.readInt(kRecentSection, "vy", 100);
    return file;
}

std::string shippedRecentFile(const std::vector<std::string>& shippedDirs) {
    for (const std::string& dir : shippedDirs) {
        const std::string candidate = dir + std::string(kRecentFileName);
        if (fileExists(candidate))
            return candidate;
    }
    return {};
}

RecentColours::RecentColours(std::string path, Messages& messages)
    : path_(std::move(path)), messages_(messages), slots_(allWhite()) {}

std::string RecentColours::source(bool firstStart,
                                  const std::vector<std::string>& shippedDirs) const {
    if (firstStart) {
        if (std::string shipped = shippedRecentFile(shippedDirs); !shipped.empty())
            return shipped;
    }
    return path_;
}

template <typename Write> void RecentColours::write(Write&& write) {
    try {
        // The file as it is now, so lines that are not ours stay; when another program
        // changed the slots since, this program's colours go to the front of its list
        // (a file without the list gets this program's).
        IniFile(path_).update([&](IniDocument& doc) {
            const RecentSlots there = slotsIn(doc);
            if (stored_ && doc.hasSection(kRecentSection) && there != *stored_) {
                slots_ = there;
                for (const int colour : unstored_)
                    slots_ = putAtFront(slots_, colour);
            }
            write(doc);
        });
        stored_ = slots_;
        unstored_.clear();
    } catch (const IniWriteError& error) {
        messages_.show(MessageIcon::Error, error.what());
    }
}

void RecentColours::open(const std::string& source, Extent window, Extent screen, Config& config) {
    const RecentFile file = readRecentFile(source);
    slots_ = file.colours;
    if (source == path_)
        stored_ = slots_;
    position_ = keepOnPrimaryScreen(file.position, window, screen);
    try {
        config.writeBool(cfg::AppStart, false);
    } catch (const IniWriteError& error) {
        messages_.show(MessageIcon::Error, error.what());
        return;
    }
    zapisiBarave(position_);
}

void RecentColours::Nalozi(int colour) {
    slots_ = putAtFront(slots_, colour);
    unstored_.push_back(colour);
    write([&](IniDocument& doc) { setSlots(doc, slots_); });
}

int RecentColours::takeSlot(std::size_t index, WindowPosition current) {
    const int colour = slots_.at(index);
    slots_ = putAtFront(slots_, colour);
    unstored_.push_back(colour);
    position_ = current;
    write([&](IniDocument& doc) {
        setSlots(doc, slots_);
        setPosition(doc, current);
    });
    return colour;
}

void RecentColours::zapisiBarave(WindowPosition current) {
    position_ = current;
    write([&](IniDocument& doc) {
        setSlots(doc, slots_);
        setPosition(doc, current);
    });
}

void RecentColours::closed(WindowPosition current) {
    position_ = current;
    write([&](IniDocument& doc) { setPosition(doc, current); });
}

} // namespace trov
