#pragma once
// Ending a process. A process is opened once and asked and ended through that one opening, so
// its identifier cannot pass to another program between the question and the end.
#include <memory>
#include <string>

#include "ports/processes.h"

namespace klaxora {

class OpenedProcess {
  public:
    virtual ~OpenedProcess() = default;
    // The full path of its executable, or empty when it cannot be read.
    virtual std::wstring ImagePath() = 0;
    // The file name of its executable as the process list shows it, or empty.
    virtual std::wstring ImageName() = 0;
    // True when the process was ended.
    virtual bool Terminate() = 0;
};

class ProcessControlPort {
  public:
    virtual ~ProcessControlPort() = default;
    // Nothing when no such process runs or it may not be ended by us.
    virtual std::unique_ptr<OpenedProcess> Open(ProcessId id) = 0;
};

}  // namespace klaxora
