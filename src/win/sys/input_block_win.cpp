#include "win/sys/input_block_win.h"

#include <algorithm>
#include <utility>

namespace klaxora::win {
namespace {

// A block asked of the blocker's thread; lParam is the request.
constexpr UINT kBlockRequest = WM_APP + 1;

// In the order of InputDevice's bits.
constexpr int kHookKinds[] = {WH_KEYBOARD_LL, WH_MOUSE_LL};

LRESULT CALLBACK Swallow(int code, WPARAM wParam, LPARAM lParam) {
    // Set only while its device is blocked: every event stops here, simulated ones included.
    if (code == HC_ACTION)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

struct InputBlocker::Request {
    uint8_t devices = 0;
    uint32_t forMs = 0;
    DWORD error = 0;
    KernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

InputBlocker::~InputBlocker() {
    // Refused only when the thread has ended already: the wait then returns at once.
    if (thread_) {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_.Get(), INFINITE);
    }
}

DWORD InputBlocker::Start() {
    KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ready)
        return GetLastError();
    ready_ = ready.Get();
    thread_.Reset(CreateThread(nullptr, 0, &InputBlocker::Run, this, 0, &threadId_));
    if (!thread_)
        return GetLastError();
    // Its queue exists once it is ready, so no request posted after that is lost.
    const HANDLE waits[] = {ready.Get(), thread_.Get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    ready_ = nullptr;
    return 0;
}

DWORD WINAPI InputBlocker::Run(LPVOID param) {
    auto& self = *static_cast<InputBlocker*>(param);
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent(self.ready_);
    // The hooks are called from inside this wait; nothing else may hold it up.
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kBlockRequest)
            self.Serve(*reinterpret_cast<Request*>(msg.lParam));
        else if (msg.message == WM_TIMER && self.timer_ && msg.wParam == self.timer_)
            self.Expire();
    }
    if (self.timer_)
        KillTimer(nullptr, self.timer_);
    self.untilEnd_ = self.timed_ = 0;
    self.Rehook();
    return 0;
}

DWORD InputBlocker::Block(uint8_t devices, uint32_t forMs) {
    if (!thread_) {
        if (const DWORD error = Start())
            return error;
    }
    Request request{devices, forMs};
    if (!request.done)
        return GetLastError();
    if (!PostThreadMessageW(threadId_, kBlockRequest, 0, reinterpret_cast<LPARAM>(&request)))
        return GetLastError();
    // The thread only sets the hooks; had it ended, nothing would be blocked.
    const HANDLE waits[] = {request.done.Get(), thread_.Get()};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0)
        return ERROR_HOOK_NOT_INSTALLED;
    return request.error;
}

void InputBlocker::Serve(Request& request) {
    DWORD error = 0;
    if (request.forMs == 0) {
        untilEnd_ |= request.devices;
    } else {
        timedUntil_ = std::max(timedUntil_, GetTickCount64() + request.forMs);
        timed_ |= request.devices;
        // Without its timer a block for a while would last until the end: not asked for.
        if (!Aim()) {
            error = GetLastError() ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY;
            timed_ &= static_cast<uint8_t>(~request.devices);
        }
    }
    const DWORD hookError = Rehook();
    request.error = error ? error : hookError;
    SetEvent(request.done.Get());
}

bool InputBlocker::Aim() {
    if (timer_)
        KillTimer(nullptr, std::exchange(timer_, 0));
    const ULONGLONG now = GetTickCount64();
    timer_ =
        SetTimer(nullptr, 0, static_cast<UINT>(timedUntil_ > now ? timedUntil_ - now : 0), nullptr);
    return timer_ != 0;
}

void InputBlocker::Expire() {
    // A timer's message is a prompt to look at the clock: the block ends at its moment.
    if (GetTickCount64() < timedUntil_ && Aim())
        return;
    KillTimer(nullptr, std::exchange(timer_, 0));
    timed_ = 0;
    Rehook();
}

DWORD InputBlocker::Rehook() {
    const uint8_t wanted = untilEnd_ | timed_;
    DWORD error = 0;
    for (size_t i = 0; i < std::size(hooks_); ++i) {
        const auto device = static_cast<uint8_t>(1u << i);
        if ((wanted & device) && !hooks_[i]) {
            hooks_[i] = SetWindowsHookExW(kHookKinds[i], &Swallow, GetModuleHandleW(nullptr), 0);
            if (!hooks_[i]) {
                error = GetLastError() ? GetLastError() : ERROR_HOOK_NOT_INSTALLED;
                untilEnd_ &= static_cast<uint8_t>(~device);
                timed_ &= static_cast<uint8_t>(~device);
            }
        } else if (!(wanted & device) && hooks_[i]) {
            UnhookWindowsHookEx(std::exchange(hooks_[i], nullptr));
        }
    }
    hooked_ =
        static_cast<uint8_t>((hooks_[0] ? kKeyboardInput : 0) | (hooks_[1] ? kMouseInput : 0));
    return error;
}

}  // namespace klaxora::win
