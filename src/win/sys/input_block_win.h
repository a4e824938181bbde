#pragma once
// The keyboard and the mouse held back from the whole session: low-level hooks that swallow
// every key and every move and click (Ctrl+Alt+Delete, which Windows keeps for itself, still
// reaches its secure screen). The hooks live on a thread of their own that does nothing but
// wait for messages, so Windows never removes them for answering late.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "win/sys/handles.h"

namespace klaxora::win {

enum InputDevice : uint8_t { kKeyboardInput = 1, kMouseInput = 2 };

class InputBlocker {
  public:
    InputBlocker() = default;
    // Lets go of everything and ends its thread.
    ~InputBlocker();
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

    // Swallows the devices' input until the blocker ends or, when `forMs` is not 0, for that
    // long; a device asked for twice stays blocked until the later end. The system's error
    // when a hook could not be set (that device is then not blocked), otherwise 0. Called from
    // one thread only.
    DWORD Block(uint8_t devices, uint32_t forMs);
    // The devices whose input is swallowed at this moment.
    uint8_t Blocked() const { return hooked_.load(); }

  private:
    struct Request;
    static DWORD WINAPI Run(LPVOID self);
    DWORD Start();
    void Serve(Request& request);
    bool Aim();
    void Expire();
    DWORD Rehook();

    KernelHandle thread_;
    DWORD threadId_ = 0;
    HANDLE ready_ = nullptr;  // set by the thread once its queue exists
    std::atomic<uint8_t> hooked_{0};
    // The rest belongs to the blocker's thread.
    HHOOK hooks_[2]{};
    uint8_t untilEnd_ = 0, timed_ = 0;
    ULONGLONG timedUntil_ = 0;
    UINT_PTR timer_ = 0;
};

}  // namespace klaxora::win
