#pragma once
// The colours the windows paint with. Outside high contrast they are the program's own; with
// high contrast on, each is one of the system's, so the user's scheme decides what is readable
// and no system text colour lands on a fill of ours (nor ours on the system's).
#include <cstdint>

namespace klaxora {

// A colour as the system stores it: 0x00BBGGRR.
using Colour = uint32_t;
constexpr Colour MakeColour(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}

// The system colours the program takes in high contrast.
struct SystemColours {
    Colour window = 0, windowText = 0;  // COLOR_WINDOW, COLOR_WINDOWTEXT
    Colour face = 0, faceText = 0;      // COLOR_BTNFACE, COLOR_BTNTEXT
    Colour grayText = 0;                // COLOR_GRAYTEXT
    Colour hotLight = 0;                // COLOR_HOTLIGHT: links
};

struct Palette {
    // Every colour is the system's: a window's own fixed colours are not to be used either.
    bool highContrast = false;
    // The configuration window's groups, pages and panels: fill, labels, a disabled caption.
    Colour group, groupText, groupGrayText;
    // The action group's help label, and while it is pressed.
    Colour helpLink, helpLinkPressed;
    // The about box's contact links, on the dialog's face.
    Colour link;
    // The skin: the body's and the top band's gradients, the outline, the title and its
    // shadow, the line under it and the maker's line.
    Colour bodyTop, bodyBottom, bandTop, bandBottom, outline, title, titleShadow, subtitle, maker;
    // The alarm popup: its body (under the bell too), its header shaded left to right, the
    // header's caption.
    Colour popup, headerLeft, headerRight, headerText;
};

// The program's palette, or with `highContrast` the system's colours throughout (a gradient
// becomes a plain fill, a shadow disappears into its background).
Palette ChoosePalette(bool highContrast, const SystemColours& system);

}  // namespace klaxora
