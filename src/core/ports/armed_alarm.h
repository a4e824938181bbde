#pragma once
// What the windows ask of the armed alarm and tell it: which is armed, arm one with its
// definition, stop it, and when it will come. The program's one armed alarm answers it; the
// windows never hold the state themselves.
#include <string>

#include "app/watch_state.h"

namespace klaxora {

class ArmedAlarmPort {
  public:
    virtual ~ArmedAlarmPort() = default;
    // What is armed, or the definition the command line filled while nothing is.
    virtual const WatchState& Watch() const = 0;
    virtual bool Armed() const = 0;
    // Arms `watch` with its definition as shortcut parameters; throws a UserError when it
    // cannot be armed, leaving nothing armed.
    virtual void Arm(const WatchState& watch, std::wstring definition) = 0;
    virtual void Stop() = 0;
    // When the armed alarm will come ("o 07:00:00", "jutro o 07:00:00"); empty when unknown.
    virtual const std::wstring& MomentText() const = 0;
};

}  // namespace klaxora
