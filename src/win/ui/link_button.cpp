#include "win/ui/link_button.h"

#include "win/sys/handles.h"

namespace klaxora::win {

void DrawLinkButton(const DRAWITEMSTRUCT& item, COLORREF colour, COLORREF pressed, COLORREF back) {
    const HDC dc = item.hDC;
    RECT rc = item.rcItem;
    BrushHandle brush(CreateSolidBrush(back));
    FillRect(dc, &rc, brush.Get());
    wchar_t text[128] = {};
    GetWindowTextW(item.hwndItem, text, 128);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (item.itemState & ODS_SELECTED) ? pressed : colour);
    DrawTextW(dc, text, -1, &rc, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT textRect = rc;
        DrawTextW(dc, text, -1, &textRect,
                  DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX | DT_CALCRECT);
        IntersectRect(&textRect, &textRect, &rc);
        DrawFocusRect(dc, &textRect);
    }
}

}  // namespace klaxora::win
