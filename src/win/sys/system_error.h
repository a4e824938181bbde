#pragma once
#include <windows.h>

#include <string>

namespace klaxora::win {

// The system's own text for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);

}  // namespace klaxora::win
