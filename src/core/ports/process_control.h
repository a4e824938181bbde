#pragma once
// Ending a process. A process is opened once and asked and ended through that one opening, so
// its identifier cannot pass to another program between the question and the end.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ports/processes.h"
#include "ports/system_failure.h"

namespace klaxora {

class OpenedProcess {
  public:
    virtual ~OpenedProcess() = default;
    // The full path of its executable, or empty when it cannot be read.
    virtual std::wstring ImagePath() = 0;
    // The file name of its executable as the process list shows it, or empty.
    virtual std::wstring ImageName() = 0;
    // When it was started, in the system's 100-nanosecond units; nothing when it cannot be
    // read. An identifier is reused, a start time is not.
    virtual std::optional<uint64_t> CreationTime() = 0;
    // True when the process was ended.
    virtual bool Terminate() = 0;
};

struct ProcessOpening {
    // Nothing when no such process runs, when it is ours, or when the system refuses.
    std::unique_ptr<OpenedProcess> process;
    // It runs, but the system will not let us at it (another user's, or an elevated one): why,
    // and its file name as the process list shows it.
    SystemFailure refusal{};
    std::wstring refusedName{};
};

class ProcessControlPort {
  public:
    virtual ~ProcessControlPort() = default;
    virtual ProcessOpening Open(ProcessId id) = 0;
};

}  // namespace klaxora
