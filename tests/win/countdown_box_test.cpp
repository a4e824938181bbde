// The countdown box shown for real on this thread and worked from another as a user's tool
// would: found among the top-level windows, read through its Static, answered by a button, a
// key or the clock, which the test moves itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "win/box_answerer.h"
#include "win/ui/countdown_box.h"

namespace klaxora::win {
namespace {

using testing::FindOwnMessageBox;
using testing::WindowTextOf;

template <typename Done>
bool WaitFor(Done done) {
    for (const ULONGLONG end = GetTickCount64() + 10000; GetTickCount64() < end; Sleep(10)) {
        if (done())
            return true;
    }
    return false;
}

TEST(CountdownBoxTest, AnswersByButtonKeyOrAtZero) {
    constexpr int kLeaveAlone = 0;
    const struct {
        const char* what;
        int answer;  // a button's id posted, a key typed, or kLeaveAlone
        bool refuseIsDefault, proceedAtZero, expected;
    } cases[] = {
        {"zero refuses", kLeaveAlone, true, false, false},
        {"zero proceeds", kLeaveAlone, true, true, true},
        {"Enter on Nie", VK_RETURN, true, true, false},
        {"Enter on Tak", VK_RETURN, false, false, true},
        {"Esc", VK_ESCAPE, false, true, false},
    };
    const auto text = [](int left) { return L"Zostało " + std::to_wstring(left) + L" s"; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::atomic<int64_t> now{5000000};
        const CountdownBox box{.title = L"UWAGA !!!",
                               .text = text,
                               .proceed = L"Tak",
                               .refuse = L"Nie",
                               .refuseIsDefault = c.refuseIsDefault,
                               .seconds = 60,
                               .proceedAtZero = c.proceedAtZero,
                               .nowMs = [&] { return now.load(); }};
        bool topmost = false, gone = false;
        int focused = 0;
        std::wstring first, later;
        std::thread user([&] {
            HWND found = nullptr;
            if (WaitFor([&] { return (found = FindOwnMessageBox()) != nullptr; })) {
                topmost = (GetWindowLongPtrW(found, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                GUITHREADINFO gui{};
                gui.cbSize = sizeof(gui);
                GetGUIThreadInfo(GetWindowThreadProcessId(found, nullptr), &gui);
                focused = GetDlgCtrlID(gui.hwndFocus);
                const HWND shown = GetDlgItem(found, 0xFFFF);
                first = WindowTextOf(shown);
                now += 1500;
                WaitFor([&] { return (later = WindowTextOf(shown)) != first; });
                // A key reaches the dialog manager as typed: Enter goes to the focus.
                if (c.answer == VK_RETURN || c.answer == VK_ESCAPE)
                    PostMessageW(found, WM_KEYDOWN, c.answer, 0);
                else if (c.answer != kLeaveAlone)
                    PostMessageW(found, WM_COMMAND, MAKEWPARAM(c.answer, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(GetDlgItem(found, c.answer)));
                else
                    now += 58500;
                gone = WaitFor([&] { return !IsWindow(found); });
            }
            // A box that ignored the answer must not hold the test for ever.
            now += 3600000;
        });
        const bool answer = ShowCountdownBox(box);
        user.join();
        EXPECT_TRUE(topmost);
        EXPECT_EQ(focused, c.refuseIsDefault ? IDNO : IDYES);  // where Enter goes
        EXPECT_EQ(first, L"Zostało 60 s");
        EXPECT_EQ(later, L"Zostało 59 s");  // 58.5 s left still shows as 59
        EXPECT_TRUE(gone);
        EXPECT_EQ(answer, c.expected);
    }
}

}  // namespace
}  // namespace klaxora::win
