#include "win/ui/fonts.h"

namespace klaxora::win {

FontHandle MakeFont(int height, FontWeight weight, const wchar_t* face, FontLook look, UINT dpi) {
    return FontHandle(CreateFontW(MulDiv(height, static_cast<int>(dpi), 96), 0, 0, 0,
                                  weight == FontWeight::Bold ? FW_BOLD : FW_NORMAL, FALSE,
                                  look == FontLook::Underlined, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  look == FontLook::Smooth ? ANTIALIASED_QUALITY : DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, face));
}

HFONT SystemGuiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int TextWidth(HFONT font, std::wstring_view text) {
    WindowDc dc(nullptr);
    SIZE size{};
    SelectedObject selected(dc, font);
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace klaxora::win
