#pragma once
// The program's seven windows, created at start-up in this order and kept until it ends. The
// application builds them and hands each what it needs of the system and of the others; no
// window includes this header.
#include <windows.h>

#include <string>

#include "win/sys/program_info.h"

namespace klaxora::win {

// Builds the system's ports, creates the seven windows in order handing each what it uses,
// shows the main window and runs the message loop until the main window closes; returns the
// process's exit code.
int RunApplication();

}  // namespace klaxora::win
