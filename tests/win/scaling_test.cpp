// Every window laid out at 96, 144 and 192 DPI, as WM_DPICHANGED lays it out: no caption is
// wider than its control and no control reaches outside its parent.
#include "win/alarm_window_fixture.h"

#include "win/actions/popup_window.h"
#include "win/dialogs/about_window.h"
#include "win/dialogs/options_window.h"
#include "win/dialogs/shortcut_window.h"
#include "win/dialogs/time_wizard_window.h"
#include "win/test_ports.h"
#include "win/ui/dpi.h"

namespace klaxora::win {
namespace {

bool StyleIs(HWND c, LONG_PTR mask, LONG_PTR value) {
    return (GetWindowLongPtrW(c, GWL_STYLE) & mask) == value;
}

// The room a caption needs beside its text: the box of a check box or radio button, a push
// button's edges, a group frame's indent.
std::optional<int> CaptionRoom(HWND c, UINT dpi) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    if (lstrcmpiW(cls, L"Static") == 0) {
        const LONG_PTR type = GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK;
        if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP)
            return StyleIs(c, SS_ELLIPSISMASK, 0) ? std::optional(0) : std::nullopt;
        return std::nullopt;
    }
    if (lstrcmpiW(cls, L"Button") != 0)
        return std::nullopt;
    const LONG_PTR type = GetWindowLongPtrW(c, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_OWNERDRAW)
        return std::nullopt;
    if (type == BS_GROUPBOX)
        return Scale(16, dpi);
    if (SendMessageW(c, BM_GETIMAGE, IMAGE_ICON, 0))
        return std::nullopt;  // a glyph shows; the caption is only its name
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
        return Scale(6, dpi);
    return SystemMetricAt(SM_CXMENUCHECK, dpi) + Scale(4, dpi);
}

// What does not fit among the controls of `root`, each as its class and caption.
std::vector<std::wstring> Misfits(HWND root, UINT dpi, HWND parked) {
    struct Walk {
        HWND root;
        UINT dpi;
        HWND parked;
        std::vector<std::wstring> found;
    } walk{root, dpi, parked, {}};
    EnumChildWindows(
        root,
        [](HWND c, LPARAM p) -> BOOL {
            auto& w = *reinterpret_cast<Walk*>(p);
            const HWND parent = GetParent(c);
            wchar_t cls[32] = {};
            GetClassNameW(parent, cls, 32);
            // Only what we lay out: not the parts a standard control makes for itself.
            if (c == w.parked || (parent != w.root && lstrcmpW(cls, L"KlaxoraPanel") != 0))
                return TRUE;
            const std::wstring what = Control(c).Text();
            RECT box{}, room{};
            GetWindowRect(c, &box);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
            GetClientRect(parent, &room);
            if (box.left < 0 || box.top < 0 || box.right > room.right || box.bottom > room.bottom)
                w.found.push_back(L"outside: " + what);
            const std::optional<int> extra = CaptionRoom(c, w.dpi);
            // A label of no size only names the field after it for assistive tools.
            if (!extra || what.empty() || IsRectEmpty(&box))
                return TRUE;
            WindowDc dc(c);
            SelectedObject font(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
            const int width = box.right - box.left - *extra;
            RECT need{0, 0, width, 0};
            const bool wraps = *extra == 0 && !StyleIs(c, SS_TYPEMASK, SS_LEFTNOWORDWRAP);
            DrawTextW(dc, what.c_str(), -1, &need,
                      DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
            if (need.right > width || need.bottom > box.bottom - box.top)
                w.found.push_back(L"cut: " + what);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return walk.found;
}

TEST_F(AlarmWindowTest, EveryWindowFitsAt96_144And192Dpi) {
    FirstShow();
    // Every page and panel built, so each is laid out.
    for (const TriggerInfo& t : Triggers()) {
        if (t.kind != TriggerKind::AfterWindowsStart)
            ui.Trigger(t.kind);
    }
    for (const ActionInfo& a : Actions())
        ui.Action(a.kind);
    for (const OtherActionInfo& o : OtherActions())
        ui.Other(o.kind);

    testing::DialogPorts ports{{ExecutablePath(), L"1.0.0.0", L""}};
    TF_Opcje options(ports.Ports());
    options.Beep = [] {};
    options.Create();
    Tf_WprowadzCzas wizard;
    wizard.Create();
    TF_About about(ports.Ports());
    about.Create();
    Tf_Skrot shortcut(ports.Ports());
    shortcut.Create();
    TF_ALARMUJ popup;
    popup.Create();
    std::vector<Window*> dialogs{&options, &wizard, &about, &shortcut, &popup};
    for (OwnedDialog* d : std::initializer_list<OwnedDialog*>{&options, &wizard, &about, &shortcut})
        d->EnsureBuilt();

    for (const UINT dpi : {96u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        window.ApplyDpi(dpi, nullptr);
        RECT client{};
        GetClientRect(window.Hwnd(), &client);
        EXPECT_EQ(client.right, Scale(550, dpi));
        EXPECT_EQ(Misfits(window.Hwnd(), dpi, window.ib_Stop), std::vector<std::wstring>{});
        for (Window* d : dialogs) {
            d->ApplyDpi(dpi, nullptr);
            EXPECT_EQ(Misfits(d->Hwnd(), dpi, nullptr), std::vector<std::wstring>{})
                << Control(d->Hwnd()).Text();
        }
    }
}

}  // namespace
}  // namespace klaxora::win
