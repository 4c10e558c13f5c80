#include "settings/config.h"
#include "tests/support/temp_dir.h"

#include <functional>
#include <gtest/gtest.h>

using namespace trov;

TEST(Config, EveryWriterKeepsKeysEditedByHandMeanwhile) {
    const struct {
        const char* name;
        std::function<void(Config&)> write;
        std::string written;
    } cases[] = {
        {"one key", [](Config& c) { c.write(cfg::GeneralOnTop, 0); }, "[General]\r\nOnTop=0\r\n"},
        {"several keys",
         [](Config& c) {
             c.writeAll({{cfg::VelikostLevo, 5}, {cfg::ConfigLoad, 0}});
         },
         "[Velikost]\r\nLevo=5\r\n[Config]\r\nload=0\r\n"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        dir.write("YY.cfg", "[Color]\r\nPall=1\r\n");
        Config config(dir.file("YY.cfg"));
        dir.write("YY.cfg", "[Color]\r\nPall=255\r\n");
        c.write(config);
        EXPECT_EQ(dir.read("YY.cfg"), "[Color]\r\nPall=255\r\n" + c.written) << c.name;
        EXPECT_EQ(config.readInt(cfg::ColorPall), 255) << c.name;
    }
}
