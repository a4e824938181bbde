#include "win/ui/fonts.h"

namespace klaxora::win {

FontHandle MakeFont(int height, FontWeight weight, const wchar_t* face, bool smooth) {
    return FontHandle(CreateFontW(
        height, 0, 0, 0, weight == FontWeight::Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        smooth ? ANTIALIASED_QUALITY : DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
}

}  // namespace klaxora::win
