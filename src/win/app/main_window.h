#pragma once
// The main window: never used as a visible window. It owns the notification-area icon with
// its menu, the watch timer, the armed alarm, the start-up options and the command line; its
// creation prepares the registry, and closing it ends the program.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/watch_state.h"
#include "config/alarm_settings.h"
#include "win/actions/alarm_executor.h"
#include "win/sys/clock_win.h"
#include "win/sys/handles.h"
#include "win/sys/process_control_win.h"
#include "win/sys/process_win.h"
#include "win/sys/wake_timer_win.h"
#include "win/ui/tray_icon.h"
#include "win/ui/window.h"

namespace klaxora::win {

// CommandLineList for a command line: the program's path and then each parameter as our
// shortcuts write them (SplitCommandLine), or nothing when there is no parameter.
std::vector<std::wstring> CommandLineStrings(const std::wstring& commandLine,
                                             const std::wstring& programPath);

class TF_Alarm;
class TF_ALARMUJ;

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
    // What an action uses: the popup of "Domyślne okno", and Stop (the configuration
    // window's, which also unlocks its editors).
    TF_ALARMUJ* popup = nullptr;
    std::function<void()> stop;
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
    // Posted to itself: perform the alarm brought by the logon run once the program is up.
    static constexpr UINT kAfterStartMessage = WM_APP + 20;
    // kAfterStartMessage's wParam from another copy of the program: will you take it?
    static constexpr WPARAM kAfterStartHandOver = 1;
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
    // timer and is changed only here. Arming fixes the trigger's clocks (a count-down's
    // deadline, the wall clock a time of day is awaited from) and sets the wake timer; an
    // alarm after Windows start is registered for the next logon, and removed when disarmed.
    // Throws a UserError when Windows has no timer to give or the registration fails.
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
    // One look at the armed trigger: fire, abort, or when to look next.
    void Look();
    // Performs the armed action (the watch loop's firing).
    void ExecuteAlarmAction();
    // cb_PodgladClick: performs the definition's action at once, without touching the alarm.
    void PreviewAction(const AlarmSettings& settings);
    // The alarm stored for after Windows start, taken when the program was started for it by
    // the logon run: armed and performed as soon as the program is up. False when none.
    bool TakeAfterStartAlarm();
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
    void ScheduleNextLook(int32_t ms);
    void ApplyWakePlan();
    // A delay on the program's clock as the watch timer's period.
    UINT TimerDelay(int32_t ms) const;
    AlarmExecutorLinks ExecutorLinks();

    MainWindowLinks links_;
    klaxora::WatchState watch_;
    klaxora::AppOptions options_;
    std::vector<std::wstring> commandLine_;
    std::wstring helpFile_;
    MenuHandle menu_;
    std::array<MenuEntry, 8> entries_;
    Win32Clock systemClock_;
    // The system's clocks, unless a soak run compresses time (KLAXORA_CLOCK_SCALE).
    ScaledClock clock_{systemClock_, ClockScaleFromEnvironment()};
    WakeTimer wake_;
    Win32ProcessWatch processes_;
    Win32ProcessControl control_;
    bool resumedUnattended_ = false;
    bool afterStartRun_ = false;  // arming the alarm the logon run brought: not registered again //
                                  // the last resume was our wake timer's, nobody at it
};

}  // namespace klaxora::win
