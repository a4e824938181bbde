#pragma once
// A waitable timer allowed to resume the computer from sleep, set for the armed alarm's due
// time so that a sleeping computer wakes for it. Whether it may wake the machine is still the
// system's power setting.
#include <windows.h>

#include "app/watch_loop.h"
#include "win/sys/handles.h"

namespace klaxora::win {

struct WakeTimerApi {
    HANDLE(WINAPI* CreateWaitableTimerW)(LPSECURITY_ATTRIBUTES, BOOL, LPCWSTR);
    BOOL(WINAPI* SetWaitableTimer)
    (HANDLE, const LARGE_INTEGER*, LONG, PTIMERAPCROUTINE, LPVOID, BOOL);
    BOOL(WINAPI* CancelWaitableTimer)(HANDLE);
    BOOL(WINAPI* TzSpecificLocalTimeToSystemTime)
    (const TIME_ZONE_INFORMATION*, const SYSTEMTIME*, LPSYSTEMTIME);
    void(WINAPI* GetSystemTimeAsFileTime)(LPFILETIME);
};

const WakeTimerApi& RealWakeTimerApi();

class WakeTimer {
  public:
    explicit WakeTimer(const WakeTimerApi& api = RealWakeTimerApi()) : api_(api) {}

    // What became of a plan. Only Refused converts to false: in every other case the timer
    // stands as the plan asked. ResumeUnsupported is set and signals when due, but the system
    // said it will not resume the computer for it.
    enum Result { Refused = 0, Cancelled, Set, ResumeUnsupported };

    // Sets the timer for the plan's due time, or cancels it for a plan without one. The alarm
    // still fires whenever the computer is awake, whatever the result. The due time is absolute
    // (UTC): apply the plan again after a clock change.
    Result Apply(const WakePlan& plan);
    void Cancel();

    // Signalled when due (manual reset); null until first set.
    HANDLE Handle() const { return timer_.Get(); }

  private:
    const WakeTimerApi& api_;
    KernelHandle timer_;
};

}  // namespace klaxora::win
