// Sets the black high-contrast scheme's system colours for the screenshots: Wine cannot switch
// high contrast on, but the colours it keeps for the session reach every program started after.
#include <windows.h>

#include <iterator>

int wmain() {
    const int elements[] = {
        COLOR_WINDOW,        COLOR_WINDOWTEXT,   COLOR_BTNFACE,    COLOR_BTNTEXT,
        COLOR_GRAYTEXT,      COLOR_HOTLIGHT,     COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT,
        COLOR_BTNSHADOW,     COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT,
        COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT,  COLOR_MENU,       COLOR_MENUTEXT};
    const COLORREF colours[] = {
        RGB(0, 0, 0),       RGB(255, 255, 255), RGB(0, 0, 0),       RGB(255, 255, 255),
        RGB(63, 242, 63),   RGB(255, 255, 0),   RGB(26, 235, 255),  RGB(0, 0, 0),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(26, 235, 255),  RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255)};
    return SetSysColors(static_cast<int>(std::size(elements)), elements, colours) ? 0 : 1;
}
