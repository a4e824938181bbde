// The window base pieces every window builds on: dialogs standing over their owner and the
// averaging that smooths drawn pictures, the tooltips made at the first need.
#include <windows.h>

#include <commctrl.h>

#include <iterator>

#include <gtest/gtest.h>

#include "win/ui/owned_dialog.h"
#include "win/ui/smooth_picture.h"
#include "win/ui/tooltips.h"

namespace klaxora::win {
namespace {

class TestDialog : public OwnedDialog {
  public:
    void Create(HWND owner) { CreateDialogWindow(L"KlaxoraTestDialog", L"Test", 200, 120, owner); }
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

TEST(OwnedDialog, StandsCentredOverItsDisabledOwnerAndGivesItBackOnClosing) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 150, 500, 300,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(owner);
    TestDialog dialog;
    dialog.Create(owner);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(GetWindow(dialog.Hwnd(), GW_OWNER), owner);

    dialog.ShowOver();
    Pump();
    EXPECT_TRUE(dialog.Visible());
    EXPECT_FALSE(IsWindowEnabled(owner));
    RECT r{};
    GetWindowRect(dialog.Hwnd(), &r);
    EXPECT_EQ((r.left + r.right) / 2, 100 + 500 / 2);
    EXPECT_EQ((r.top + r.bottom) / 2, 150 + 300 / 2);

    // The close box and Close both give the owner back, enabled and active.
    SendMessageW(dialog.Hwnd(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_FALSE(dialog.Visible());
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    dialog.ShowOver();
    dialog.ShowOver();  // a second show while shown only brings it to the front
    dialog.Close();
    EXPECT_TRUE(IsWindowEnabled(owner));

    // An owner someone else disabled stays disabled: the dialog gives back only what it took.
    EnableWindow(owner, FALSE);
    dialog.ShowOver();
    dialog.Close();
    EXPECT_FALSE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(OwnedDialog, PlacementIsCentredAndKeptInsideTheWorkArea) {
    const RECT work{0, 0, 1000, 700};
    const RECT owner{100, 100, 500, 400};
    const RECT edge{900, 600, 1100, 800};  // an owner partly off the work area
    struct Case {
        SIZE size;
        const RECT* owner;
        POINT expected;
    } cases[] = {
        {{200, 100}, &owner, {200, 200}},   // centred on the owner
        {{200, 100}, nullptr, {400, 300}},  // no owner to stand over: the work area's middle
        {{700, 100}, &owner, {0, 200}},     // would stick out left
        {{200, 100}, &edge, {800, 600}},    // would stick out right and below
        {{1200, 800}, &owner, {0, 0}},      // larger than the work area: its top-left corner shows
    };
    for (const Case& c : cases) {
        const POINT at = CentredPlace(c.size, c.owner, work);
        EXPECT_EQ(at.x, c.expected.x) << c.size.cx;
        EXPECT_EQ(at.y, c.expected.y) << c.size.cx;
    }
}

TEST(DownSample, AveragesEachBlockAndTurnsTheKeyColourIntoCoverage) {
    Dib big(nullptr, 4, 2);
    Dib small(nullptr, 2, 1);
    ASSERT_TRUE(big && small);
    // Left block: two white, two black pixels. Right block: one red pixel, the rest key.
    const uint32_t white = 0xFFFFFF, black = 0, red = 0xFF0000, key = 0xFF00FF;
    const uint32_t pixels[2][4] = {{white, black, red, key}, {black, white, key, key}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            big.At(x, y) = pixels[y][x];

    DownSample(big, small, 2);
    EXPECT_EQ(small.At(0, 0), 0x7F7F7Fu);
    EXPECT_EQ(small.At(1, 0), 0xFF00BFu);  // without a key, the key colour is just a colour

    DownSample(big, small, 2, RGB(255, 0, 255));
    EXPECT_EQ(small.At(0, 0), 0xFF7F7F7Fu);  // fully covered: opaque
    // A quarter covered: alpha 63, colour premultiplied by it.
    EXPECT_EQ(small.At(1, 0), 0x3F3F0000u);
    big.At(2, 0) = key;
    DownSample(big, small, 2, RGB(255, 0, 255));
    EXPECT_EQ(small.At(1, 0), 0u);  // nothing covered: transparent
}

TEST(ToolTips, KeepTheirToolsAndTextsUntilTheWindowIsMade) {
    const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr,
                                       nullptr, nullptr, nullptr);
    const HWND control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 50, 20, owner, nullptr,
                                         nullptr, nullptr);
    {
        ToolTips hints;
        hints.CreateHints(owner);
        hints.Add(control, L"before");
        hints.SetText(control, L"changed");
        EXPECT_EQ(hints.Hwnd(), nullptr);
        EXPECT_TRUE(hints.Awaits(control));
        EXPECT_FALSE(hints.Awaits(owner));
        ASSERT_TRUE(hints.Realize());
        EXPECT_FALSE(hints.Awaits(control));
        hints.AddArea(owner, {60, 0, 100, 20}, L"area");
        EXPECT_EQ(SendMessageW(hints.Hwnd(), TTM_GETTOOLCOUNT, 0, 0), 2);
        wchar_t text[80] = {};
        TOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.hwnd = owner;
        ti.uId = reinterpret_cast<UINT_PTR>(control);
        ti.lpszText = text;
        SendMessageW(hints.Hwnd(), TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&ti));
        EXPECT_STREQ(text, L"changed");
    }
    DestroyWindow(owner);
}

}  // namespace
}  // namespace klaxora::win
