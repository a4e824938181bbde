#pragma once
// Standard controls made from a layout box, and the few reads and writes every window does on
// them. Selecting a list item by its text goes through SelectItemByText alone.
#include <windows.h>

#include <span>
#include <string>
#include <string_view>

#include "win/ui/layout.h"

namespace klaxora::win {

// A child control of `parent` with the control id `id`, visible, in the given font.
HWND MakeControl(const wchar_t* cls, std::wstring_view text, DWORD style, const Box& box,
                 HWND parent, UINT id, HFONT font, DWORD exStyle = 0);
HWND MakeLabel(HWND parent, UINT id, std::wstring_view text, const Box& box, HFONT font,
               DWORD style = 0);
// `box.h` is the height of the opened list.
HWND MakeCombo(HWND parent, UINT id, const Box& box, DWORD style, HFONT font);
HWND MakeButton(HWND parent, UINT id, std::wstring_view text, const Box& box, HFONT font,
                DWORD style = BS_PUSHBUTTON);
HWND MakeEdit(HWND parent, UINT id, const Box& box, HFONT font);
// A button whose face is a small drawn glyph; the caption stays its accessible name.
HWND MakeGlyphButton(HWND parent, UINT id, std::wstring_view name, const Box& box, HFONT font,
                     HICON icon, DWORD style = BS_PUSHBUTTON);

std::wstring TextOf(HWND hwnd);
// The text of a combo box's item; empty for an index the list does not hold.
std::wstring ItemText(HWND combo, LRESULT index);
// The selected item's text of a combo box; empty when nothing is selected.
std::wstring SelectedText(HWND combo);
bool HasSelection(HWND combo);
// Selects the item whose text equals `text`, letter case ignored; never a mere prefix. A text
// that is not in the list leaves no item selected. Returns whether an item is selected.
bool SelectItemByText(HWND combo, std::wstring_view text);
void AddItems(HWND combo, std::span<const std::wstring_view> items);

// Shows or hides by the window's own flag (its parents may not be visible yet).
void SetVisible(HWND hwnd, bool visible);
void SetEnabled(HWND hwnd, bool enabled);
bool Checked(HWND button);
bool OwnVisible(HWND hwnd);
// A label that a control is laid into must not paint over it.
void SendBehind(HWND label);
// The width of a text in a font, measured on the screen.
int TextWidth(HFONT font, std::wstring_view text);

}  // namespace klaxora::win
