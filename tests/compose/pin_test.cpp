// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/pin.h"
#include "tests/support/temp_dir.h"
#include "transcript.h"

#include <gtest/gtest.h>

using namespace trov;

// The cases and what they print: data/compose.txt [Pins].
TEST(SavePin, WritesTheIndexThenTheColour) {
    FormModel m;
    m.setBrowsers({{"A", ""}, {"B", ""}});
    using L = ListField;
    for (auto [list, index] : {std::pair{L::Browser, 1},
                               {L::Interface, 3},
                               {L::Country, 228},
                               {L::Language, 99},
                               {L::FileType, 27},
                               {L::Period, 5}})
        m.select(list, index);
    test::expectTranscript("compose/data/compose.txt", "Pins", [&m](const std::string& pin) {
        test::TempDir dir;
        Config config(dir.write("YY.cfg", "; mine\r\n"));
        SavePin(m, std::stoi(pin), config, 255);
        return test::escaped(dir.read("YY.cfg")) + "\n";
    });
}
