#pragma once
#include <windows.h>

#include <string>

namespace klaxora::win {

// The system's own text for an error code (a Win32 error or an HRESULT), without the trailing
// line break.
std::wstring SystemErrorText(DWORD code);

// What the user is shown for a failed system call: the code and the system's text.
std::wstring SystemErrorMessage(DWORD code);

}  // namespace klaxora::win
