#pragma once
// What any part of the program may ask about the program itself: its icon and its version.
#include <windows.h>

#include <string>

namespace klaxora::win {

// The program icon at the given size (shared, never destroyed); Windows' default application
// icon when the executable carries none.
HICON AppIcon(int size);

// The executable's file version as four numbers joined by "."; "0.0.0.0" when it carries no
// version information.
std::wstring ProgramVersionText();

}  // namespace klaxora::win
