#pragma once
// A precise timer for the moment an armed alarm falls due. The watch timer (SetTimer) is rounded
// up to the system's timer tick, never fires sooner than 10 ms and its message waits behind every
// other one; this one is a waitable timer, high-resolution where the system offers it, waited on
// by a thread of its own that posts a message to the window when it is due, so the look comes at
// once in whatever message loop is running (a message box's or a menu's too). While it is aimed,
// the thread that aimed it runs at raised priority, so that a busy machine does not keep it
// waiting at the moment itself; cancelling puts the priority back.
#include <windows.h>

#include <cstdint>

#include "win/sys/handles.h"

namespace klaxora::win {

struct DueTimerApi {
    HANDLE(WINAPI* CreateWaitableTimerExW)(LPSECURITY_ATTRIBUTES, LPCWSTR, DWORD, DWORD);
    BOOL(WINAPI* SetWaitableTimer)
    (HANDLE, const LARGE_INTEGER*, LONG, PTIMERAPCROUTINE, LPVOID, BOOL);
    BOOL(WINAPI* CancelWaitableTimer)(HANDLE);
    int(WINAPI* GetThreadPriority)(HANDLE);
    BOOL(WINAPI* SetThreadPriority)(HANDLE, int);
};

const DueTimerApi& RealDueTimerApi();

class DueTimer {
  public:
    explicit DueTimer(const DueTimerApi& api = RealDueTimerApi()) : api_(api) {}
    ~DueTimer();
    DueTimer(const DueTimer&) = delete;
    DueTimer& operator=(const DueTimer&) = delete;

    // Where the due moment is posted; set once, before the first Aim.
    void Notify(HWND window, UINT message) {
        window_ = window;
        message_ = message;
    }
    // Posts the message `afterMs` from now (aimed again, the earlier moment is dropped) and
    // raises the calling thread's priority. False when the system refused (no timer, no
    // thread): the caller's own timer must look instead.
    bool Aim(int64_t afterMs);
    // Nothing is posted; the priority is the thread's own again. Called by the aiming thread.
    void Cancel();

  private:
    bool Set(int64_t afterMs);
    bool Prepare(int64_t afterMs);
    bool StartWaiting();
    static DWORD WINAPI Wait(LPVOID self);

    const DueTimerApi& api_;
    HWND window_ = nullptr;
    UINT message_ = 0;
    KernelHandle timer_;
    KernelHandle stop_;
    KernelHandle thread_;
    bool aimed_ = false;
    // The aiming thread's priority before it was raised; nothing while it is not raised.
    int restorePriority_ = THREAD_PRIORITY_ERROR_RETURN;
};

}  // namespace klaxora::win
