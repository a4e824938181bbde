#include "util/palette.h"

namespace klaxora {

Palette ChoosePalette(bool highContrast, const SystemColours& s) {
    if (highContrast) {
        return {
            .highContrast = true,
            .group = s.face,
            .groupText = s.faceText,
            .groupGrayText = s.grayText,
            .helpLink = s.hotLight,
            .helpLinkPressed = s.faceText,
            .link = s.hotLight,
            .bodyTop = s.window,
            .bodyBottom = s.window,
            .bandTop = s.window,
            .bandBottom = s.window,
            .outline = s.windowText,
            .title = s.windowText,
            .titleShadow = s.window,
            .subtitle = s.windowText,
            .maker = s.grayText,
            .popup = s.window,
            .headerLeft = s.face,
            .headerRight = s.face,
            .headerText = s.faceText,
        };
    }
    return {
        .group = MakeColour(0x72, 0xF6, 0x75),
        .groupText = MakeColour(0, 0, 0),
        .groupGrayText = MakeColour(0x80, 0x80, 0x80),
        .helpLink = MakeColour(0, 0, 160),
        .helpLinkPressed = MakeColour(255, 255, 255),
        .link = MakeColour(0, 0, 204),
        .bodyTop = MakeColour(52, 96, 150),
        .bodyBottom = MakeColour(18, 40, 72),
        .bandTop = MakeColour(78, 128, 186),
        .bandBottom = MakeColour(44, 84, 134),
        .outline = MakeColour(150, 190, 235),
        .title = MakeColour(255, 255, 255),
        .titleShadow = MakeColour(10, 30, 60),
        .subtitle = MakeColour(200, 222, 248),
        .maker = MakeColour(140, 170, 210),
        .popup = MakeColour(255, 255, 255),
        .headerLeft = MakeColour(0x80, 0x80, 0x80),
        // The header has always faded into the button colour.
        .headerRight = s.face,
        .headerText = MakeColour(255, 255, 255),
    };
}

}  // namespace klaxora
