#pragma once
// Waiting in the Windows tests: for a condition with a generous deadline, so a loaded machine
// cannot fail a test and a late event cannot pass one.
#include <windows.h>

#include "win/actions/popup_window.h"
#include "win/ui/window.h"

namespace klaxora::testing {

inline constexpr DWORD kGenerousMs = 10000;

// Lets the queue run until `done` holds; false when it still does not after `timeoutMs`.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs = kGenerousMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        win::ProcessMessages();
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(5);
    }
}

// Handles every message waiting in the queue, the ones they post included, as the program's
// loop does.
inline void Drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        win::HandleQueuedMessage(msg);
}

// Lets the queue run for a while: only to show that something does NOT happen.
inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

}  // namespace klaxora::testing
