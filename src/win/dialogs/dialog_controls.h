#pragma once
// What the three auxiliary dialogs share: making their child controls from layout rows, and
// reading and setting the few control states they need.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace klaxora::win::dialogs {

// Where a control goes, in the client area of its dialog.
struct Place {
    int x, y, width, height;
};

// A child control of `parent` with its caption, id and font; WS_CHILD | WS_VISIBLE added.
HWND MakeControl(HWND parent, const wchar_t* cls, std::wstring_view text, DWORD style, Place place,
                 int id, HFONT font, DWORD exStyle = 0);

std::wstring ControlText(HWND control);
bool IsChecked(HWND box);
void SetChecked(HWND box, bool checked);
void SetVisible(HWND control, bool visible);

// Opens a document or address through the shell with the verb "open".
void ShellOpen(HWND owner, const std::wstring& target, int showCommand);
using Opener = std::function<void(const std::wstring& target, int showCommand)>;

}  // namespace klaxora::win::dialogs
