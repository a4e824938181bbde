#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win/actions/popup_window.h"
#include "win/sys/program_info.h"
#include "version.h"
#include "win/app/main_window.h"
#include "win/config/alarm_window.h"
#include "win/dialogs/options_window.h"
#include "win/sys/file_system_win.h"
#include "win/ui/tray_icon.h"
#include "win/pump.h"

namespace klaxora::win {
namespace {

// Wine without a desktop shows every icon as a child of its "Wine System Tray" window.
std::vector<HWND> ShellIcons() {
    std::vector<HWND> icons;
    const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    for (HWND c = tray ? FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr) : nullptr; c;
         c = FindWindowExW(tray, c, L"__winex11_tray_icon", nullptr)) {
        icons.push_back(c);
    }
    return icons;
}

using testing::PumpUntil;

class IconOwner : public Window {
  public:
    explicit IconOwner(const TrayShellApi& shell = RealTrayShellApi(),
                       UINT retryMs = TrayIcon::kRetryEveryMs)
        : tray(shell, retryMs) {
        CreateWindowOf({L"KlaxoraTrayTestOwner"}, L"", WS_POPUP, 0, 0, 0, 10, 10, nullptr);
        tray.OnClick = [this] { ++clicks; };
        tray.OnContextMenu = [this](POINT at) {
            ++menus;
            lastMenuAt = at;
        };
    }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (tray.HandleMessage(msg, wParam, lParam, result))
            return result;
        return Default(msg, wParam, lParam);
    }
    // What the shell sends for a version-4 icon: the event and our id in lParam, the point in
    // wParam.
    void Notify(UINT event, UINT id = TrayIcon::kIconId, int x = 0, int y = 0) {
        SendMessageW(Hwnd(), TrayIcon::kCallbackMessage, MAKEWPARAM(x, y), MAKELPARAM(event, id));
    }

    TrayIcon tray;
    int clicks = 0;
    int menus = 0;
    POINT lastMenuAt{};
};

TEST(TrayIcon, VersionFourNotificationsReachTheHandlersOnlyWhileEnabled) {
    IconOwner owner;
    owner.Notify(NIN_SELECT);
    owner.Notify(WM_LBUTTONDBLCLK);
    EXPECT_EQ(owner.clicks, 2);  // a click and a double-click both count
    owner.Notify(WM_CONTEXTMENU, TrayIcon::kIconId, 1200, 990);
    EXPECT_EQ(owner.menus, 1);
    EXPECT_EQ(owner.lastMenuAt.x, 1200);
    EXPECT_EQ(owner.lastMenuAt.y, 990);
    // Raw mouse traffic, and notifications for another icon, do nothing.
    owner.Notify(WM_MOUSEMOVE);
    owner.Notify(WM_LBUTTONUP);
    owner.Notify(NIN_SELECT, TrayIcon::kIconId + 1);
    EXPECT_EQ(owner.clicks, 2);

    owner.tray.SetEnabled(false);
    owner.Notify(NIN_SELECT);
    owner.Notify(WM_CONTEXTMENU);
    EXPECT_EQ(owner.clicks, 2);
    EXPECT_EQ(owner.menus, 1);
    owner.tray.SetEnabled(true);
    owner.Notify(NIN_SELECT);
    EXPECT_EQ(owner.clicks, 3);
}

TEST(TrayIcon, ShellShowsTheIconAndDeliversClicksOnIt) {
    const auto before = ShellIcons();
    IconOwner owner;
    ASSERT_TRUE(owner.tray.Add(owner.Hwnd(), LoadIconW(nullptr, IDI_APPLICATION), L"Test"));
    HWND icon = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        for (HWND h : ShellIcons()) {
            bool old = false;
            for (HWND b : before)
                old = old || b == h;
            if (!old)
                icon = h;
        }
        return icon != nullptr;
    }));
    PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_TRUE(PumpUntil([&] { return owner.clicks == 1; }));
    PostMessageW(icon, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
    PostMessageW(icon, WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_TRUE(PumpUntil([&] { return owner.menus == 1; }));

    // The shell restarting announces itself; the icon is added again, once.
    SendMessageW(owner.Hwnd(), TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(owner.tray.Added());
    testing::PumpFor(300);
    EXPECT_EQ(ShellIcons().size(), before.size() + 1);

    owner.tray.Remove();
    EXPECT_TRUE(PumpUntil([&] { return ShellIcons().size() == before.size(); }));
}

// A shell still starting: it refuses every add until it is up.
struct LateShell {
    static inline bool up = false;
    static inline int adds = 0;
    static inline std::vector<DWORD> balloons;
    static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAW data) {
        adds += message == NIM_ADD;
        if (message == NIM_MODIFY && (data->uFlags & NIF_INFO))
            balloons.push_back(data->dwInfoFlags);
        return up;
    }
};

TEST(TrayIcon, ARefusedAddIsRetriedForAMinuteAndAWaitingBalloonFollowsTheIcon) {
    static const TrayShellApi shell{&LateShell::Notify};
    IconOwner owner(shell, 10);  // the minute's tries in a fifth of a second
    int shown = 0;
    EXPECT_FALSE(owner.tray.Add(owner.Hwnd(), nullptr, L"Test"));
    owner.tray.ShowBalloonWhenAdded(L"Tu jestem", L"Tekst", TrayIcon::BalloonIcon::Info,
                                    [&] { ++shown; });
    ASSERT_TRUE(PumpUntil([] { return LateShell::adds >= 6; }));
    EXPECT_EQ(shown, 0);
    LateShell::up = true;
    ASSERT_TRUE(PumpUntil([&] { return owner.tray.Added(); }));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(LateShell::balloons, std::vector<DWORD>{NIIF_INFO});
    // Refused again after the shell restarted: each try adds twice (once more after clearing a
    // stale icon), and the tries end.
    LateShell::up = false;
    LateShell::adds = 0;
    SendMessageW(owner.Hwnd(), TaskbarCreatedMessage(), 0, 0);
    const int all = 2 * (1 + TrayIcon::kRetries);
    ASSERT_TRUE(PumpUntil([&] { return LateShell::adds >= all; }));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(LateShell::adds, all);
}

// The main window as the program creates it, with the other windows it calls.
class MainWindow : public ::testing::Test {
  protected:
    static constexpr const wchar_t* kSettings = L"Software\\Vantrelix\\Klaxora";
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettings);
        alarm.Create();
        popup.Create();
        options.Create(alarm.Hwnd());
        glowna.Create();
        MainWindowLinks links;
        links.configuration = &alarm;
        links.closePopup = [this] { popup.Close(); };
        links.showOptions = [this] { options.ShowOver(); };
        glowna.Connect(std::move(links));
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kSettings); }
    std::vector<std::wstring> MenuCaptions() {
        std::vector<std::wstring> captions;
        const HMENU menu = glowna.pm_Glowne();
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = {};
            MENUITEMINFOW item{};
            item.cbSize = sizeof(item);
            item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP;
            item.dwTypeData = text;
            item.cch = 64;
            GetMenuItemInfoW(menu, i, TRUE, &item);
            if (item.fType & MFT_SEPARATOR) {
                captions.push_back(L"-");
            } else {
                // Every item but the separators carries a picture.
                EXPECT_EQ(item.hbmpItem, HBMMENU_CALLBACK) << text;
                std::wstring caption = text;
                std::erase(caption, L'&');  // the access keys' marks
                captions.push_back(caption);
            }
        }
        return captions;
    }

    SystemPorts system;
    TF_Alarm alarm{system.Ports()};
    TF_ALARMUJ popup;
    TF_Opcje options{system.Ports()};
    ArmedAlarm armedAlarm{system.Ports()};
    TF_Glowna glowna{system.Ports(), armedAlarm};
};

TEST_F(MainWindow, IsABorderlessHiddenWindowInTheBottomRightCorner) {
    wchar_t className[64] = {};
    GetClassNameW(glowna.Hwnd(), className, 64);
    EXPECT_STREQ(className, L"TF_Glowna");
    wchar_t caption[64] = {};
    GetWindowTextW(glowna.Hwnd(), caption, 64);
    EXPECT_STREQ(caption, L"Klaxora");
    RECT r{};
    GetWindowRect(glowna.Hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 113);
    EXPECT_EQ(r.bottom - r.top, 41);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_FALSE(GetWindowLongW(glowna.Hwnd(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_FALSE(IsWindowVisible(glowna.Hwnd()));
    EXPECT_TRUE(glowna.Tray.Added());
}

TEST_F(MainWindow, MenuOffersStopOnlyWhileArmedAndHelpOnlyWithTheHelpFile) {
    const bool help =
        Win32FileSystem().FileExists(Win32FileSystem().ExecutableDirectory() + L"help\\alarm.html");
    std::vector<std::wstring> idle{L"Ustaw nowy czas"};
    if (help)
        idle.push_back(L"Pomoc");
    for (const wchar_t* rest : {L"-", L"Opcje", L"O programie ...", L"-", L"Zamknij"}) {
        idle.push_back(rest);
    }
    glowna.pm_GlownePopup();
    EXPECT_EQ(MenuCaptions(), idle);

    WatchState countdown;
    countdown.TriggerCode = L"OD";
    countdown.SecondsLeft = 600;
    countdown.ActionCaption = L"Domyślne okno";
    armedAlarm.Arm(countdown, L"");
    EXPECT_TRUE(armedAlarm.Armed());
    glowna.pm_GlownePopup();
    auto armed = idle;
    armed.insert(armed.begin(), L"Zatrzymaj odliczanie");
    EXPECT_EQ(MenuCaptions(), armed);

    armedAlarm.Stop();
    EXPECT_FALSE(armedAlarm.Armed());
    glowna.pm_GlownePopup();
    EXPECT_EQ(MenuCaptions(), idle);
}

TEST_F(MainWindow, ClickTogglesTheConfigurationWindowAndOptionsDisableIt) {
    glowna.FormPaint();  // the first paint shows the configuration window
    EXPECT_TRUE(alarm.Visible());
    glowna.TrayClick();
    EXPECT_FALSE(alarm.Visible());
    glowna.TrayClick();
    EXPECT_TRUE(alarm.Visible());

    glowna.Opcje1Click();
    EXPECT_TRUE(options.Visible());
    EXPECT_FALSE(IsWindowEnabled(alarm.Hwnd()));
    options.Close();
    EXPECT_TRUE(IsWindowEnabled(alarm.Hwnd()));
    EXPECT_FALSE(options.Visible());
}

TEST_F(MainWindow, FirstRunStoresThisProgramsVersion) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &key), ERROR_SUCCESS);
    wchar_t text[64] = {};
    DWORD size = sizeof(text);
    DWORD type = 0;
    EXPECT_EQ(
        RegQueryValueExW(key, L"Version", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
        ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // The version resource is linked into this program too.
    EXPECT_STREQ(text, L"" KLAXORA_VERSION_TEXT);
    EXPECT_EQ(ProgramVersionText(), L"" KLAXORA_VERSION_TEXT);
}

}  // namespace
}  // namespace klaxora::win

namespace klaxora::win {
namespace {

TEST(CommandLine, ProgramPathFirstThenEachParameterAsShortcutsWriteThem) {
    using Strings = std::vector<std::wstring>;
    const std::wstring self = L"C:\\Program Files\\Klaxora\\Klaxora.exe";
    EXPECT_TRUE(CommandLineStrings(L"\"C:\\Program Files\\Klaxora\\Klaxora.exe\"", self).empty());
    EXPECT_TRUE(CommandLineStrings(L"klaxora  ", self).empty());
    EXPECT_EQ(CommandLineStrings(L"klaxora OD 00:05:00", self),
              (Strings{self, L"OD", L"00:05:00"}));
    EXPECT_EQ(CommandLineStrings(L"klaxora \"Komunikat\" \"UWAGA !!!\" \"Już czas\"", self),
              (Strings{self, L"Komunikat", L"UWAGA !!!", L"Już czas"}));
    EXPECT_EQ(CommandLineStrings(L"klaxora \"\"", self), (Strings{self, L""}));
    // A quoted folder ending in a backslash does not swallow the parameters after it.
    EXPECT_EQ(CommandLineStrings(L"klaxora \"C:\\\" \"UWAGA\"", self),
              (Strings{self, L"C:\\", L"UWAGA"}));
}

}  // namespace
}  // namespace klaxora::win
