#include <gtest/gtest.h>

#include <array>

#include "util/palette.h"

namespace klaxora::testing {
namespace {

// With high contrast every surface, text and link follows the user's scheme; without it the
// program keeps its own look whatever the scheme says.
TEST(ChoosePalette, HighContrastTakesTheSystemsColoursThroughout) {
    const SystemColours scheme{.window = 1, .windowText = 2, .face = 3, .faceText = 4,
                               .grayText = 5, .hotLight = 6};
    struct Row {
        bool highContrast;
        Colour group, groupText, groupGrayText, link, helpLink, body, title, popup, headerText;
    };
    const Colour green = MakeColour(0x72, 0xF6, 0x75), white = MakeColour(255, 255, 255);
    const Row rows[] = {
        {true, 3, 4, 5, 6, 6, 1, 2, 1, 4},
        {false, green, 0, MakeColour(0x80, 0x80, 0x80), MakeColour(0, 0, 204),
         MakeColour(0, 0, 160), MakeColour(52, 96, 150), white, white, white},
    };
    for (const Row& row : rows) {
        const Palette p = ChoosePalette(row.highContrast, scheme);
        EXPECT_EQ(p.highContrast, row.highContrast);
        EXPECT_EQ((std::array{p.group, p.groupText, p.groupGrayText, p.link, p.helpLink,
                              p.bodyTop, p.title, p.popup, p.headerText}),
                  (std::array{row.group, row.groupText, row.groupGrayText, row.link, row.helpLink,
                              row.body, row.title, row.popup, row.headerText}));
    }
    // In high contrast a gradient is one plain fill.
    const Palette high = ChoosePalette(true, scheme);
    EXPECT_EQ(high.bodyTop, high.bodyBottom);
    EXPECT_EQ(high.headerLeft, high.headerRight);
}

}  // namespace
}  // namespace klaxora::testing
