#include "win/sys/wake_timer_win.h"

#include "win/sys/clock_win.h"

namespace klaxora::win {

const WakeTimerApi& RealWakeTimerApi() {
    static const WakeTimerApi api{&::CreateWaitableTimerW, &::SetWaitableTimer,
                                  &::CancelWaitableTimer, &::TzSpecificLocalTimeToSystemTime};
    return api;
}

void WakeTimer::Cancel() {
    if (timer_)
        api_.CancelWaitableTimer(timer_.Get());
}

bool WakeTimer::Apply(const WakePlan& plan) {
    if (plan.kind == WakePlan::Kind::None) {
        Cancel();
        return true;
    }
    LARGE_INTEGER due{};
    if (plan.kind == WakePlan::Kind::AfterMs) {
        // Relative due times are counted in interrupt time, which goes on through sleep.
        due.QuadPart = -(plan.afterMs > 0 ? plan.afterMs * 10000 : 1);
    } else {
        // An absolute due time follows the system clock; the local time is turned into UTC by
        // the rules of its own date, so a daylight-saving change in between is accounted for.
        const SYSTEMTIME local = ToSystemTime(plan.at);
        SYSTEMTIME utc{};
        FILETIME file{};
        if (!api_.TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
            !SystemTimeToFileTime(&utc, &file)) {
            Cancel();
            return false;
        }
        due.LowPart = file.dwLowDateTime;
        due.HighPart = static_cast<LONG>(file.dwHighDateTime);
    }
    if (!timer_) {
        timer_.Reset(api_.CreateWaitableTimerW(nullptr, TRUE, nullptr));
        if (!timer_)
            return false;
    }
    return api_.SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, TRUE) != FALSE;
}

}  // namespace klaxora::win
