// The reasons the real program gives when it cannot start.
#include "tests/support/x_driver.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// What went wrong comes first on its standard error (the map's own messages are tested
// with the map reader).
TEST(Window, WithoutADisplayOrAMapItSaysWhyAndFails) {
    SceneFolder folder("0 0 0\n0 0 0\n0 x7 0\n");
    const std::array<std::array<std::string, 2>, 2> cases = {{
        {TANGLOR_ASSETS_DIR, "cannot open the window: X11: The DISPLAY environment"},
        {folder.dir.string(), "map.txt:3: \"x7\" is not a tile code\n"},
    }};
    for (const auto& [where, message] : cases) {
        RunningProgram program(TANGLOR_EXE, where, where != TANGLOR_ASSETS_DIR);
        EXPECT_EQ(program.exitStatus(30.0), 1);
        EXPECT_EQ(program.errorText().rfind("tanglor: " + message, 0), 0u) << program.errorText();
    }
}

} // namespace
