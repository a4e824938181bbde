#pragma once
// The main window: never used as a visible window. It owns the notification-area icon with
// its menu, the watch timer, the armed alarm, the start-up options and the command line; its
// creation prepares the registry, and closing it ends the program.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/watch_state.h"
#include "win/sys/handles.h"
#include "win/ui/tray_icon.h"
#include "win/ui/window.h"

namespace klaxora::win {

// CommandLineList for a command line: the program's path and then each parameter as our
// shortcuts write them (SplitCommandLine), or nothing when there is no parameter.
std::vector<std::wstring> CommandLineStrings(const std::wstring& commandLine,
                                             const std::wstring& programPath);

class TF_Alarm;

// What the main window uses of the other windows; the application connects them when it has
// built them all. Any of them may be missing (a test builds only some windows).
struct MainWindowLinks {
    // Shown, hidden and stopped from the icon and its menu; told the armed alarm and the
    // command line's length.
    TF_Alarm* configuration = nullptr;
    std::function<void()> closePopup;   // a click on the icon also closes the popup
    std::function<void()> showOptions;  // "Opcje"
    std::function<void()> showAbout;    // "O programie ..."
    std::function<void()> destroyed;    // the window is gone: the program ends
};

class TF_Glowna : public Window {
  public:
    // The menu's command identifiers, in the menu's order.
    enum MenuCommand : UINT {
        Zatrzymajodliczanie1 = 100,
        Ustawnowyczas1,
        Pomoc1,
        Opcje1,
        Oprogramie1,
        Zamknij1,
    };
    static constexpr int kClientWidth = 113;
    static constexpr int kClientHeight = 41;
    static constexpr UINT_PTR kWatchTimerId = 1;
    static constexpr int kMenuImageSize = 16;
    static constexpr int kMenuImageGap = 4;  // between a picture and its caption
    static constexpr UINT kWatchTimerInterval = 1000;
    static constexpr const wchar_t* kTrayHint = L"Vantrelix Klaxora";

    TF_Glowna();
    ~TF_Glowna() override;

    // Creates the window (its creation prepares the registry) and adds the tray icon.
    void Create();
    void Connect(MainWindowLinks links) { links_ = std::move(links); }
    // The message loop's start: the show, then the first paint.
    void Start();

    klaxora::WatchState& Watch() { return watch_; }
    klaxora::AppOptions& Options() { return options_; }
    std::vector<std::wstring>& CommandLineList() { return commandLine_; }

    // t_TimerGlowny: enabling the watch timer arms the alarm; WatchState.Armed follows the
    // timer and is changed only here. Throws a UserError when Windows has no timer to give.
    void SetArmed(bool armed);
    bool Armed() const { return watch_.Armed; }

    TrayIcon Tray;
    HMENU pm_Glowne() const { return menu_.Get(); }

    // Handlers, named after their events.
    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormClose();
    void TrayClick();
    void pm_GlownePopup();
    void t_TimerGlownyTimer();
    // Reads CommandLineList into the configuration window and WatchState, showing what went
    // wrong; never arms. Nothing happens for an empty list.
    void ReadCommandLine();
    void Zatrzymajodliczanie1Click();
    void Ustawnowyczas1Click();
    void Pomoc1Click();
    void Opcje1Click();
    void Oprogramie1Click();
    void Zamknij1Click();

    // Opens pm_Glowne at a point on the screen, as the icon's secondary button does.
    void PopupMenu(POINT at);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    struct MenuEntry {
        UINT command;  // 0 for a separator
        const wchar_t* caption;
        int image;  // bitmap resource, 0 for none
        bool visible;
        BitmapHandle bitmap;
    };
    void BuildMenuEntries();
    void RebuildMenu();
    void DrawMenuImage(const DRAWITEMSTRUCT& draw);
    MenuEntry& Entry(UINT command);

    MainWindowLinks links_;
    klaxora::WatchState watch_;
    klaxora::AppOptions options_;
    std::vector<std::wstring> commandLine_;
    std::wstring helpFile_;
    MenuHandle menu_;
    std::array<MenuEntry, 8> entries_;
};

}  // namespace klaxora::win
