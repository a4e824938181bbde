#include "win/sys/due_timer_win.h"

#include <algorithm>

// Not yet in every SDK's headers (Windows 10, version 1803).
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace klaxora::win {

const DueTimerApi& RealDueTimerApi() {
    static const DueTimerApi api{&::CreateWaitableTimerExW, &::SetWaitableTimer,
                                 &::CancelWaitableTimer, &::GetThreadPriority,
                                 &::SetThreadPriority};
    return api;
}

DueTimer::~DueTimer() {
    Cancel();
    // Set, the event ends the thread's wait; it never fails for an event of ours.
    if (thread_ && SetEvent(stop_.Get()))
        WaitForSingleObject(thread_.Get(), INFINITE);
}

bool DueTimer::Set(int64_t afterMs) {
    // Relative, so it runs on the interrupt clock as the count-downs do and no clock change
    // moves it; an auto-reset timer, so the waiting thread's wait takes the signal.
    LARGE_INTEGER due{};
    due.QuadPart = -std::max<int64_t>(afterMs, 0) * 10000;
    return api_.SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, FALSE) != FALSE;
}

bool DueTimer::Prepare(int64_t afterMs) {
    // High resolution where the system offers it; where it refuses to make or to set one, a
    // timer of the system's usual resolution.
    for (const DWORD flags : {DWORD{CREATE_WAITABLE_TIMER_HIGH_RESOLUTION}, DWORD{0}}) {
        timer_.Reset(api_.CreateWaitableTimerExW(nullptr, nullptr, flags, TIMER_ALL_ACCESS));
        if (timer_ && Set(afterMs))
            return true;
    }
    timer_.Reset();
    return false;
}

bool DueTimer::StartWaiting() {
    stop_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop_)
        return false;
    thread_.Reset(CreateThread(nullptr, 0, &DueTimer::Wait, this, 0, nullptr));
    if (!thread_)
        return false;
    // It only posts a message at each due moment; refused, it waits at the usual priority.
    api_.SetThreadPriority(thread_.Get(), THREAD_PRIORITY_HIGHEST);
    return true;
}

DWORD WINAPI DueTimer::Wait(LPVOID param) {
    const auto* self = static_cast<const DueTimer*>(param);
    const HANDLE handles[] = {self->stop_.Get(), self->timer_.Get()};
    while (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        // Lost only with a full queue: the watch timer's own look comes a period later.
        PostMessageW(self->window_, self->message_, 0, 0);
    }
    return 0;
}

bool DueTimer::Aim(int64_t afterMs) {
    if (!timer_) {
        if (!Prepare(afterMs))
            return false;
    } else if (!Set(afterMs)) {
        Cancel();
        return false;
    }
    aimed_ = true;
    if (!thread_ && !StartWaiting()) {
        Cancel();
        return false;
    }
    if (restorePriority_ == THREAD_PRIORITY_ERROR_RETURN) {
        const HANDLE self = GetCurrentThread();
        const int current = api_.GetThreadPriority(self);
        // Unknown or already above: left as it is (and so never put back).
        if (current != THREAD_PRIORITY_ERROR_RETURN && current < THREAD_PRIORITY_HIGHEST &&
            api_.SetThreadPriority(self, THREAD_PRIORITY_HIGHEST))
            restorePriority_ = current;
    }
    return true;
}

void DueTimer::Cancel() {
    if (aimed_) {
        // Refused, the post may still come: one look more, which finds nothing to do.
        api_.CancelWaitableTimer(timer_.Get());
        aimed_ = false;
    }
    // Kept when refused, so the next Cancel tries again.
    if (restorePriority_ != THREAD_PRIORITY_ERROR_RETURN &&
        api_.SetThreadPriority(GetCurrentThread(), restorePriority_))
        restorePriority_ = THREAD_PRIORITY_ERROR_RETURN;
}

}  // namespace klaxora::win
