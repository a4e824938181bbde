#pragma once
// What the configuration window hands to each of its pages and panels when it creates them:
// the fonts and glyphs they draw with, the window's hints and balloons, and a path editor
// shared by the pages and panels that name a file or folder.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "win/ui/controls.h"
#include "win/ui/tooltips.h"

namespace klaxora::win {

struct PanelKit {
    HFONT font = nullptr;      // the window's text
    HFONT bold = nullptr;      // bold labels
    HFONT bigBold = nullptr;   // the colons between time fields
    HICON dropIcon = nullptr;  // recent-list buttons
    HICON playIcon = nullptr;  // the sound transport
    HICON pauseIcon = nullptr;
    HICON stopIcon = nullptr;
    COLORREF colour = 0;           // the groups' background
    ToolTips* hints = nullptr;     // ordinary hints; may be without a window
    ToolTips* balloons = nullptr;  // the information balloons; may be without a window
};

// A file or folder name editor: an edit and the button that opens the system's dialog.
struct FileEditor {
    Edit edit;
    Button browse;
    std::wstring_view filter;  // empty: a folder editor
    bool mustExist = true;
    operator HWND() const { return edit; }
    // The browse button's click: the chosen name replaces the edit's text.
    void Browse(HWND owner) const;
    // The edit's change and the browse button's click, for the page or panel that holds the
    // editor under these ids; false for any other control.
    bool OnCommand(UINT id, UINT code, UINT editId, UINT browseId, HWND owner,
                   const std::function<void()>& changed) const;
};

// The name assistive tools give the field created next: they name an edit or a list by the
// visible static just before it in z-order, so this one is visible but has no size.
inline void CreateFieldName(Label& name, HWND parent, UINT id, const Box& field,
                            std::wstring_view text) {
    name.Create(parent, id, {field.x, field.y, 0, 0}, text, nullptr);
}

}  // namespace klaxora::win
