#pragma once
// Answers the next message box of this process from another thread, as a user would, and
// keeps its title and text for the test.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace klaxora::testing {

// A visible message box (class "#32770") of this process, or null.
inline HWND FindOwnMessageBox() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(hwnd, cls, 16);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (lstrcmpW(cls, L"#32770") == 0 && pid == GetCurrentProcessId() &&
                IsWindowVisible(hwnd)) {
                *reinterpret_cast<HWND*>(lp) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

inline std::wstring WindowTextOf(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return buffer;
}

class BoxAnswerer {
  public:
    explicit BoxAnswerer(int button) {
        worker_ = std::thread([this, button] {
            for (int i = 0; i < 250 && !stop_; ++i) {
                const HWND box = FindOwnMessageBox();
                if (box) {
                    title = WindowTextOf(box);
                    text = WindowTextOf(GetDlgItem(box, 0xFFFF));
                    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
                    answered = true;
                    return;
                }
                Sleep(20);
            }
        });
    }
    ~BoxAnswerer() {
        stop_ = true;
        worker_.join();
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    std::atomic<bool> answered{false};
    std::wstring title;
    std::wstring text;

  private:
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

}  // namespace klaxora::testing
