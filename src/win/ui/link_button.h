#pragma once
// A link the keyboard reaches: an owner-drawn push button (a tab stop, which Space clicks and
// its window's pre-translation lets Enter click) drawn as a link's text.
#include <windows.h>

namespace klaxora::win {

// WM_DRAWITEM of such a button: its text in its own font and `colour` (`pressed` while it is
// held down) on `back`, with the focus rectangle around the text while it has the focus.
void DrawLinkButton(const DRAWITEMSTRUCT& item, COLORREF colour, COLORREF pressed, COLORREF back);

}  // namespace klaxora::win
