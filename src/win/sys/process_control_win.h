#pragma once
// Ending a process through Win32: one handle answers what it runs and ends it, so the
// identifier cannot pass to another program in between.
#include <windows.h>

#include <string>

#include "ports/process_control.h"

namespace klaxora::win {

class Win32ProcessControl : public ProcessControlPort {
  public:
    ProcessOpening Open(ProcessId id) override;
};

// The full path of the executable a process handle runs, or empty.
std::wstring ProcessImagePath(HANDLE process);

}  // namespace klaxora::win
