#include "win/sys/wake_timer_win.h"

#include "win/sys/clock_win.h"

namespace klaxora::win {

const WakeTimerApi& RealWakeTimerApi() {
    static const WakeTimerApi api{&::CreateWaitableTimerW, &::SetWaitableTimer,
                                  &::CancelWaitableTimer, &::TzSpecificLocalTimeToSystemTime,
                                  &::GetSystemTimeAsFileTime};
    return api;
}

void WakeTimer::Cancel() {
    if (timer_)
        api_.CancelWaitableTimer(timer_.Get());
}

WakeTimer::Result WakeTimer::Apply(const WakePlan& plan) {
    if (plan.kind == WakePlan::Kind::None) {
        Cancel();
        return Cancelled;
    }
    LARGE_INTEGER due{};
    if (plan.kind == WakePlan::Kind::AfterMs) {
        // Absolute, since waits measured relatively may leave out the time spent asleep.
        FILETIME now{};
        api_.GetSystemTimeAsFileTime(&now);
        due.LowPart = now.dwLowDateTime;
        due.HighPart = static_cast<LONG>(now.dwHighDateTime);
        due.QuadPart += (plan.afterMs > 0 ? plan.afterMs : 0) * 10000;
    } else {
        // An absolute due time follows the system clock; the local time is turned into UTC by
        // the rules of its own date, so a daylight-saving change in between is accounted for.
        const SYSTEMTIME local = ToSystemTime(plan.at);
        SYSTEMTIME utc{};
        FILETIME file{};
        if (!api_.TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
            !SystemTimeToFileTime(&utc, &file)) {
            Cancel();
            return Refused;
        }
        due.LowPart = file.dwLowDateTime;
        due.HighPart = static_cast<LONG>(file.dwHighDateTime);
    }
    if (!timer_) {
        timer_.Reset(api_.CreateWaitableTimerW(nullptr, TRUE, nullptr));
        if (!timer_)
            return Refused;
    }
    // A system that cannot resume for the timer still sets it and says so only in the last
    // error; a success leaves the last error alone, so an earlier error must not be read as this.
    SetLastError(ERROR_SUCCESS);
    if (!api_.SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, TRUE))
        return Refused;
    return GetLastError() == ERROR_NOT_SUPPORTED ? ResumeUnsupported : Set;
}

}  // namespace klaxora::win
