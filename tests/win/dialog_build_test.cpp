// The dialogs are created at start-up without their child controls and build them the first
// time they are shown, however that happens, once: a dialog shown again keeps its controls,
// and the box keeps the size it had before they existed.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "win/dialogs/shortcut_window.h"
#include "win/dialogs/about_window.h"
#include "win/dialogs/options_window.h"
#include "win/dialogs/time_wizard_window.h"
#include "win/sys/file_system_win.h"
#include "win/pump.h"
#include "win/test_ports.h"

namespace klaxora::win {
namespace {

int ChildCount(HWND parent) {
    int count = 0;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        ++count;
    return count;
}

// Top-level windows owned by the dialog, such as its hint window.
int OwnedCount(HWND owner) {
    struct Count {
        HWND owner;
        int count;
    } count{owner, 0};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) {
            auto* c = reinterpret_cast<Count*>(p);
            if (GetWindow(w, GW_OWNER) == c->owner)
                ++c->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.count;
}

SIZE SizeOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The ports of every dialog here: no help page, no connection (no update check).
testing::DialogPorts& Ports() {
    static testing::DialogPorts ports{{ExecutablePath(), L"1.0.0.0", L""}};
    return ports;
}

std::unique_ptr<OwnedDialog> NewOptions() {
    auto d = std::make_unique<TF_Opcje>(Ports().Ports());
    d->Beep = [] {};
    d->Create();
    return d;
}
std::unique_ptr<OwnedDialog> NewWizard() {
    auto d = std::make_unique<Tf_WprowadzCzas>();
    d->Create();
    return d;
}
std::unique_ptr<OwnedDialog> NewAbout() {
    auto d = std::make_unique<TF_About>(Ports().Ports());
    d->Create();
    return d;
}
std::unique_ptr<OwnedDialog> NewShortcut() {
    auto d = std::make_unique<Tf_Skrot>(Ports().Ports());
    d->Create();
    return d;
}

TEST(DialogBuild, ADialogBuildsItsControlsOnItsFirstShowOnlyHoweverItIsShown) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<OwnedDialog>()> create;
        int controls;  // its direct child windows
    };
    const Case cases[] = {
        {"options", NewOptions, 14},
        {"wizard", NewWizard, 18},
        {"about", NewAbout, 14},
        {"shortcut", NewShortcut, 7},
    };
    const std::function<void(OwnedDialog&)> shows[] = {
        [](OwnedDialog& d) { d.ShowOver(); },
        // Another program or Windows itself may show the window.
        [](OwnedDialog& d) { ShowWindow(d.Hwnd(), SW_SHOWNA); },
    };
    for (const Case& c : cases) {
        for (size_t how = 0; how < std::size(shows); ++how) {
            SCOPED_TRACE(std::string(c.name) + (how == 0 ? " shown over" : " shown by Windows"));
            const auto dialog = c.create();
            const HWND w = dialog->Hwnd();
            ASSERT_NE(w, nullptr);
            EXPECT_FALSE(dialog->Built());
            EXPECT_EQ(ChildCount(w), 0);
            EXPECT_EQ(OwnedCount(w), 0);
            const SIZE created = SizeOf(w);

            shows[how](*dialog);
            testing::PumpUntil([&] { return IsWindowVisible(w) != FALSE; });
            EXPECT_TRUE(dialog->Built());
            EXPECT_EQ(ChildCount(w), c.controls);
            const SIZE shown = SizeOf(w);
            EXPECT_EQ(shown.cx, created.cx);
            EXPECT_EQ(shown.cy, created.cy);

            dialog->Close();
            shows[how](*dialog);
            EXPECT_EQ(ChildCount(w), c.controls);
            dialog->Close();
        }
    }
}

}  // namespace
}  // namespace klaxora::win
