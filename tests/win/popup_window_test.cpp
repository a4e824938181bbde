// The alarm popup created for real: its slide, its resting place, its styles, its timers and
// the configuration window it disables while open.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "win/actions/popup_window.h"
#include "win/config/alarm_window.h"
#include "win/pump.h"

namespace klaxora::testing {
namespace {

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

std::vector<int> g_tops;
HWND g_watched = nullptr;
void CALLBACK RecordTop(HWND, UINT, UINT_PTR, DWORD) {
    RECT r{};
    GetWindowRect(g_watched, &r);
    if (g_tops.empty() || g_tops.back() != r.top)
        g_tops.push_back(r.top);
}

// One configuration window and one popup for the whole suite, as in the program.
class PopupTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        system = new win::SystemPorts;
        alarm = new win::TF_Alarm(system->Ports());
        alarm->Create();
        popup = new win::TF_ALARMUJ;
        popup->Create();
        Connect(nullptr);
    }
    static void TearDownTestSuite() {
        delete popup;
        delete alarm;
        delete system;
    }
    // The configuration window the popup takes the foreground from, when one is given.
    static void Connect(HWND configuration) {
        win::TF_ALARMUJ::Links links;
        links.configurationWindow = configuration;
        links.enableConfiguration = [](bool enabled) { alarm->Enable(enabled); };
        popup->Connect(std::move(links));
    }
    void SetUp() override {
        beeps = 0;
        popup->SetBeeper([] { ++beeps; });
    }
    void TearDown() override { popup->Close(); }
    static inline win::SystemPorts* system = nullptr;
    static inline win::TF_Alarm* alarm = nullptr;
    static inline win::TF_ALARMUJ* popup = nullptr;
    static inline int beeps = 0;
};

TEST_F(PopupTest, SlidesUpFromBelowAndRestsFlushAtTheBottomRight) {
    const RECT work = WorkArea();
    g_tops.clear();
    g_watched = popup->Hwnd();
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, &RecordTop);
    const DWORD started = GetTickCount();
    popup->PopUp(false);
    const DWORD took = GetTickCount() - started;
    KillTimer(nullptr, timer);

    // Seen on its way up: from below the visible area, rising.
    ASSERT_GE(g_tops.size(), 5u);
    EXPECT_GT(g_tops.front(), work.bottom - win::TF_ALARMUJ::kHeight + 100);
    for (size_t i = 1; i < g_tops.size(); ++i)
        EXPECT_LT(g_tops[i], g_tops[i - 1]);
    EXPECT_GT(took, 500u);  // 86 steps of 10 ms: the caller waited for the slide

    RECT r{};
    GetWindowRect(popup->Hwnd(), &r);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);
    EXPECT_EQ(r.right - r.left, 232);
    EXPECT_EQ(r.bottom - r.top, 173);
    RECT client{};
    GetClientRect(popup->Hwnd(), &client);
    EXPECT_EQ(client.right, 232);
    EXPECT_EQ(client.bottom, 173);

    EXPECT_TRUE(popup->Visible());
    const LONG_PTR ex = GetWindowLongPtrW(popup->Hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);  // never a taskbar button
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongPtrW(popup->Hwnd(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));

    // Hold it for a screenshot when asked.
    if (const char* hold = std::getenv("KLAXORA_POPUP_HOLD_MS"))
        PumpFor(std::atoi(hold));
}

TEST_F(PopupTest, ItReassertsTopmostAboveAWindowBroughtToTheFront) {
    popup->PopUp(false);
    HWND other = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0,
                                 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // Walking down the z-order from the top, the popup comes before the other window.
    const auto popupFirst = [&] {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            if (w == popup->Hwnd())
                return true;
            if (w == other)
                return false;
        }
        return false;
    };
    ASSERT_FALSE(popupFirst());
    EXPECT_TRUE(PumpUntil(popupFirst));
    DestroyWindow(other);
}

TEST_F(PopupTest, ConfigurationWindowIsDisabledUntilEitherWayOfClosing) {
    popup->PopUp(false);
    EXPECT_FALSE(IsWindowEnabled(alarm->Hwnd()));
    SendMessageW(popup->OkButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(popup->Visible());
    EXPECT_TRUE(IsWindowEnabled(alarm->Hwnd()));
    EXPECT_FALSE(GetWindowLongPtrW(popup->Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Closed from outside (the notification-area icon), also when already hidden.
    popup->PopUp(false);
    popup->Close();
    EXPECT_TRUE(IsWindowEnabled(alarm->Hwnd()));
    alarm->Enable(false);
    popup->Close();
    EXPECT_TRUE(IsWindowEnabled(alarm->Hwnd()));
}

TEST_F(PopupTest, BeepsOnlyWhenAskedAndStopsWhenClosed) {
    popup->PopUp(false);
    PumpFor(1200);  // three beeps' time: none is to come
    EXPECT_EQ(beeps, 0);
    popup->Close();

    popup->PopUp(true);
    // The beeping begins during the slide and goes on, twice a second.
    EXPECT_GE(beeps, 1);
    const int afterSlide = beeps;
    EXPECT_TRUE(PumpUntil([afterSlide] { return beeps >= afterSlide + 2; }));
    popup->Close();
    const int atClose = beeps;
    PumpFor(1200);  // three beeps' time: none is to come
    EXPECT_EQ(beeps, atClose);
    EXPECT_FALSE(popup->BeepEnabled());
}

TEST_F(PopupTest, TheFramesSwapWhileShown) {
    popup->PopUp(false);
    int swaps = 0;
    bool last = popup->Img1Visible();
    EXPECT_TRUE(PumpUntil([&] {
        if (popup->Img1Visible() != last) {
            ++swaps;
            last = popup->Img1Visible();
        }
        return swaps >= 4;
    }));
    // Hidden, the frames stand still.
    popup->Close();
    const bool shown = popup->Img1Visible();
    PumpFor(300);  // six frames' time
    EXPECT_EQ(popup->Img1Visible(), shown);
}

// Shown over the configuration window the user works in, the popup takes the keyboard: Tab
// reaches its button, Enter, Esc and Space each close it as the button does. Its name says
// what fired.
HWND g_alerted = nullptr;
void CALLBACK RecordAlert(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        g_alerted = hwnd;
}

TEST_F(PopupTest, TakesTheKeyboardFromTheConfigurationWindowAndClosesByKey) {
    struct Row {
        WORD key;
        std::wstring_view alarmText, name;
    };
    const Row rows[] = {
        {VK_RETURN, L"", L"Klaxora \u2013 alarm"},
        {VK_ESCAPE, L"Wstawaj", L"Klaxora \u2013 alarm: Wstawaj"},
        {VK_SPACE, L"", L"Klaxora \u2013 alarm"},
    };
    Connect(alarm->Hwnd());
    alarm->Show();
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, &RecordAlert,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        SetForegroundWindow(alarm->Hwnd());
        ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == alarm->Hwnd(); }));
        g_alerted = nullptr;
        popup->PopUp(false, row.alarmText);
        EXPECT_TRUE(PumpUntil([] { return g_alerted == popup->Hwnd(); }));  // announced
        wchar_t name[80] = {};
        GetWindowTextW(popup->Hwnd(), name, 80);
        EXPECT_EQ(name, row.name);
        EXPECT_EQ(GetForegroundWindow(), popup->Hwnd());
        SetFocus(popup->Hwnd());
        PostMessageW(popup->Hwnd(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_TRUE(PumpUntil([] { return GetFocus() == popup->OkButton(); }));
        PostMessageW(GetFocus(), WM_KEYDOWN, row.key, 0);
        PostMessageW(GetFocus(), WM_KEYUP, row.key, 0xC0000000);
        EXPECT_TRUE(PumpUntil([] { return !popup->Visible(); }));
        EXPECT_TRUE(IsWindowEnabled(alarm->Hwnd()));
    }
    UnhookWinEvent(hook);
    alarm->Hide();
    Connect(nullptr);
}

TEST(SlideInPopup, APauseSlidesTheWindowOutAgain) {
    HWND w = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"slide", WS_POPUP | WS_VISIBLE, 0, 0,
                             100, 60, nullptr, nullptr, nullptr, nullptr);
    win::SlideInPopup(w, 1, 20, SlideDirection::In, 50);
    RECT r{};
    GetWindowRect(w, &r);
    const RECT work = WorkArea();
    EXPECT_EQ(r.top, work.bottom);
    EXPECT_EQ(r.right, work.right);
    DestroyWindow(w);
}

}  // namespace
}  // namespace klaxora::testing
