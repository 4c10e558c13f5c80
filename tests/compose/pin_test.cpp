#include "compose/pin.h"
#include "tests/support/temp_dir.h"
#include "transcript.h"

#include <gtest/gtest.h>

using namespace trov;

// The cases and what they print: data/compose.txt [Pins].
TEST(SavePin, WritesTheIndexThenTheColour) {
    FormModel m;
    m.setBrowsers({{"A", ""}, {"B", ""}});
    m.select(ListField::Browser, 1);
    m.select(ListField::Interface, 3);
    m.select(ListField::Country, 228);
    m.select(ListField::Language, 99);
    m.select(ListField::FileType, 27);
    m.select(ListField::Period, 5);
    test::expectTranscript("compose/data/compose.txt", "Pins", [&m](const std::string& pin) {
        test::TempDir dir;
        Config config(dir.write("YY.cfg", "; mine\r\n"));
        SavePin(m, std::stoi(pin), config, 255);
        return test::escaped(dir.read("YY.cfg")) + "\n";
    });
}
