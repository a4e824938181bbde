#pragma once
// Where start-up time goes: with the test seam KLAXORA_STARTUP_TRACE set to a file name, each
// mark appends one line to that file with the milliseconds since the process was created (so the
// time before wWinMain counts too). Unset, and always in the shipped program, a mark does
// nothing.
namespace klaxora::win {

void MarkStartup(const char* stage);

}  // namespace klaxora::win
