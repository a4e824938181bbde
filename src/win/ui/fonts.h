#pragma once
// The program's fonts: one place that knows how a font is asked for, so every window gets the
// same face at the same size.
#include <string_view>

#include "win/sys/handles.h"

namespace klaxora::win {

// The face the windows are laid out for: a TrueType face, sharp at any scale, with the look of
// the classic dialog font. Every Windows has it; setup installs Wine's own, so it resolves to
// the same face on every machine.
inline constexpr const wchar_t* kWindowFace = L"Tahoma";

enum class FontWeight { Normal, Bold };
// Anti-aliased edges for the large captions of the skin; underlined for links.
enum class FontLook { Plain, Smooth, Underlined };

// A font of `height` (as CreateFontW takes it: negative for the character height in pixels
// at 96 DPI, such as -11 for the windows' text), normal or bold, for a window at `dpi`.
FontHandle MakeFont(int height, FontWeight weight, const wchar_t* face = kWindowFace,
                    FontLook look = FontLook::Plain, UINT dpi = 96);
// The system's font for dialog controls; it belongs to the system and is never deleted.
HFONT SystemGuiFont();
// The width of a text in a font, measured on the screen.
int TextWidth(HFONT font, std::wstring_view text);

}  // namespace klaxora::win
