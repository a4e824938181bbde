#pragma once
// The program's message boxes, in one place. Every box is task-modal, so the application's
// windows are disabled while it is open.
#include <windows.h>

#include <string>
#include <string_view>

#include "util/message_titles.h"

#include "util/message_titles.h"

namespace klaxora::win {

// Added to a box shown while an alarm fires or is previewed: it comes up over whatever the user
// is doing, where Windows would otherwise open it behind the program in front.
inline constexpr UINT kOverEverything = MB_TOPMOST;

// "BŁĄD !!!" with the error icon.
void ShowError(std::wstring_view text, UINT extra = 0);
// "UWAGA !!!", Yes and No with the exclamation icon; true for Yes.
bool AskQuestion(std::wstring_view text);
// "INFORMACJA" with the information icon.
void ShowNotice(std::wstring_view text);
// A plain box titled with the application title (short notices about a wrong file type).
void ShowPlain(std::wstring_view text);
// The application's standard error box: the text by the full-stop rule, the application
// title, the error icon.
void ShowStandardError(std::wstring_view text, UINT extra = 0);
// Any other box, with the conventions' owner and modality.
int ShowMessageBox(std::wstring_view text, std::wstring_view title, UINT flags);

// What shows the boxes: the system's MessageBoxW, unless a test looks at the flags instead
// (Wine shows a topmost box without the topmost style). Returns the one it replaced.
using MessageBoxCall = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
MessageBoxCall ReplaceMessageBoxCall(MessageBoxCall call);

}  // namespace klaxora::win
