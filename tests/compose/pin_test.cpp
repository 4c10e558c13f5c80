#include "compose/pin.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace trov;

// Pin n writes list n's index, then in every case the colour, keeping what the file holds.
TEST(SavePin, WritesTheIndexThenTheColour) {
    FormModel m;
    m.setBrowsers({{"A", ""}, {"B", ""}});
    m.select(ListField::Browser, 1);
    m.select(ListField::Interface, 3);
    m.select(ListField::Country, 228);
    m.select(ListField::Language, 99);
    m.select(ListField::FileType, 27);
    m.select(ListField::Period, 5);
    const std::string pinned[] = {
        "", "Browser=1", "Interface=3", "Country=228", "Language=-1", "Type=27", "Time=5", ""};
    for (int n = 0; n <= 7; ++n) {
        test::TempDir dir;
        Config config(dir.write("YY.cfg", "; mine\r\n"));
        SavePin(m, n, config, 255);
        EXPECT_EQ(dir.read("YY.cfg"),
                  "; mine\r\n" + (pinned[n].empty() ? "" : "[Pin]\r\n" + pinned[n] + "\r\n") +
                      "[Color]\r\nPall=255\r\n")
            << n;
    }
}
