#pragma once
// The main window: never used as a visible window. It owns the notification-area icon with
// its menu, the watch timer, the armed alarm, the start-up options and the command line; its
// creation prepares the registry, and closing it ends the program.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/armed_record.h"
#include "app/watch_state.h"
#include "config/alarm_settings.h"
#include "win/actions/alarm_executor.h"
#include "win/app/held_record.h"
#include "win/sys/clock_win.h"
#include "win/sys/handles.h"
#include "win/app/window_ports.h"
#include "win/sys/due_timer_win.h"
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
    // The definition being armed, as it is kept for a later copy (shortcut parameters).
    std::function<std::wstring()> definition;
};

class TF_Glowna : public Window {
  public:
    // The menu's command identifiers, in the menu's order.
    enum MenuCommand : UINT {
        Zatrzymajodliczanie1 = 100,
        Wyciszalarm1,
        Ustawnowyczas1,
        Pomoc1,
        Opcje1,
        Oprogramie1,
        Zamknij1,
    };
    static constexpr int kClientWidth = 113;
    static constexpr int kClientHeight = 41;
    static constexpr UINT_PTR kWatchTimerId = 1;
    static constexpr int kMenuImageGap = 4;  // between a picture and its caption, at 96 DPI
    static constexpr UINT kWatchTimerInterval = 1000;
    // Posted to itself: arm the kept alarm this copy took over once the program is up (and
    // perform an alarm after Windows start that an earlier version stored).
    static constexpr UINT kAfterStartMessage = WM_APP + 20;
    // Posted by the configuration window's "Koniec": the user closes the program.
    static constexpr UINT kQuitMessage = WM_APP + 21;
    // Posted by the due timer at the moment the armed alarm falls due: the look for it.
    static constexpr UINT kDueMessage = WM_APP + 22;

    explicit TF_Glowna(const WindowPorts& ports);
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
    // deadline, the wall clock a time of day is awaited from), keeps the armed alarm in its
    // record (written again at every arming, removed when disarmed) and sets the wake timer.
    // Throws a UserError when Windows has no timer to give or the record cannot be kept.
    void SetArmed(bool armed);
    // A kept alarm this copy took over before its windows were made: its definition is read as
    // the command line, and it is armed once the program is up; an alarm after Windows start
    // fires when the copy was started by the logon run.
    void Adopt(TakenRecord taken) { adopted_.emplace(std::move(taken)); }
    // The user closes the program: the armed alarm is given up with it.
    void Quit();
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
    // wrong (unless told not to); never arms. Nothing happens for an empty list.
    void ReadCommandLine(bool showMessages = true);
    // One look at the armed trigger: fire, abort, or when to look next.
    void Look();
    // The armed trigger is met `lateMs` after its moment: the action is performed, asked
    // about first (late, and it acts on the computer), or dropped.
    void Fire(int64_t lateMs);
    // Performs the armed action (the watch loop's firing).
    void ExecuteAlarmAction();
    // The popup closed or the alarm's sound ended: once nothing of the fired alarm is left
    // the computer may sleep again.
    void ActionMayHaveEnded();
    // cb_PodgladClick: performs the definition's action at once, without touching the alarm.
    void PreviewAction(const AlarmSettings& settings);
    // The alarm an earlier version stored for after Windows start, taken when the program was
    // started for it by the logon run: armed and performed as soon as the program is up. False
    // when none.
    bool TakeAfterStartAlarm();
    // Arms the adopted record, firing it at once when its moment passed while no copy ran.
    void ArmAdopted();
    void Zatrzymajodliczanie1Click();
    void Wyciszalarm1Click();
    void Ustawnowyczas1Click();
    void Pomoc1Click();
    void Opcje1Click();
    void Oprogramie1Click();
    void Zamknij1Click();

    // Opens pm_Glowne at a point on the screen, as the icon's secondary button does.
    void PopupMenu(POINT at);
    // Opens pm_Glowne as the context menu of another window of the program, which stays in
    // the foreground; the chosen command runs as from the icon.
    void ContextMenu(POINT at);

  protected:
    bool OnCommand(UINT id, UINT code) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    struct MenuEntry {
        UINT command;  // 0 for a separator
        void (TF_Glowna::*click)();
        const wchar_t* caption;
        int image;  // icon resource, 0 for none
        bool visible;
        IconHandle icon;  // at the size of the menu's pictures
    };
    // The menu's pictures at the size the system gives small icons at the window's DPI.
    int MenuImageSize() const;
    void BuildMenuEntries();
    void RebuildMenu();
    void DrawMenuImage(const DRAWITEMSTRUCT& draw);
    MenuEntry& Entry(UINT command);
    // Sets the watch timer (and the due timer for a look on the due moment); false when
    // Windows has no timer to give.
    bool ScheduleNextLook(const NextLook& next);
    WakeTimer::Result ApplyWakePlan();
    // A delay on the program's clock as the watch timer's period.
    UINT TimerDelay(int32_t ms) const;
    AlarmExecutorLinks ExecutorLinks();
    // Ends the alarm as Stop does after a firing (its sound plays on).
    void StopAlarm();
    // "Wykonać teraz?" for an alarm `lateMs` past its moment; true for "Tak".
    bool AskLate(int64_t lateMs);
    // The system and the display kept awake from a firing until its action is over, so that a
    // computer woken for the alarm does not fall asleep again while it sounds.
    void HoldAwake(bool hold);
    void KeepRecord(const ClockReading& now);
    void DropRecord();

    MainWindowLinks links_;
    klaxora::WatchState watch_;
    klaxora::AppOptions options_;
    std::vector<std::wstring> commandLine_;
    std::wstring helpFile_;
    MenuHandle menu_;
    std::array<MenuEntry, 9> entries_;
    Win32Clock systemClock_;
    // The system's clocks, unless a soak run compresses time (KLAXORA_CLOCK_SCALE).
    ScaledClock clock_{systemClock_, ClockScaleFromEnvironment()};
    WakeTimer wake_;
    DueTimer due_;
    RegistryPort& registry_;
    FileSystemPort& files_;
    SystemFoldersPort& folders_;
    ProcessWatchPort& processes_;
    ProcessControlPort& control_;
    MediaPlayer& player_;
    bool awake_ = false;       // held awake for a fired alarm
    bool wakeWarned_ = false;  // told that this computer will not wake for an alarm
    // The record of the armed alarm, while armed; its definition and when it was first armed.
    std::optional<HeldRecord> held_;
    std::wstring heldDefinition_;
    int64_t armedUtcMs_ = 0;
    // A record taken over, until it is armed; the record its arming resumes from, and whether
    // that found its moment passed.
    std::optional<TakenRecord> adopted_;
    std::optional<ArmedRecord> resumeFrom_;
    std::optional<int64_t> resumeFiresLate_;  // its moment passed this long ago
    bool logonRun_ = false;                   // started by a record's logon run
    bool startedForRecord_ = false;           // by a logon run or another copy: no window is shown
};

}  // namespace klaxora::win
