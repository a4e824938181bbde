#include <gtest/gtest.h>

#include <array>

#include "util/palette.h"

namespace klaxora::testing {
namespace {

// With high contrast every surface, text and link follows the user's scheme; without it the
// program keeps its own look whatever the scheme says.
TEST(ChoosePalette, HighContrastTakesTheSystemsColoursThroughout) {
    const SystemColours scheme{.window = 901,
                               .windowText = 902,
                               .face = 903,
                               .faceText = 904,
                               .grayText = 905,
                               .hotLight = 906};
    const Palette p = ChoosePalette(true, scheme);
    EXPECT_TRUE(p.highContrast);
    EXPECT_EQ((std::array{p.group, p.groupText, p.groupGrayText, p.link, p.helpLink, p.bodyTop,
                          p.title, p.popup, p.headerText}),
              (std::array<Colour, 9>{903, 904, 905, 906, 906, 901, 902, 901, 904}));
    // Without it, no colour of the scheme reaches the program's own look.
    const Palette own = ChoosePalette(false, scheme);
    for (const Colour c : {own.group, own.groupText, own.link, own.bodyTop, own.popup})
        EXPECT_TRUE(c < 901 || c > 906) << c;
    // In high contrast a gradient is one plain fill.
    EXPECT_EQ(p.bodyTop, p.bodyBottom);
    EXPECT_EQ(p.headerLeft, p.headerRight);
}

}  // namespace
}  // namespace klaxora::testing
