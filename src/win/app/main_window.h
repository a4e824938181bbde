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
#include "win/app/armed_alarm.h"
#include "win/app/held_record.h"
#include "win/actions/window_ports.h"
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
        Wyciszalarm1,
        Ustawnowyczas1,
        Pomoc1,
        Opcje1,
        Oprogramie1,
        Zamknij1,
    };
    static constexpr int kClientWidth = 113;
    static constexpr int kClientHeight = 41;
    static constexpr int kMenuImageGap = 4;  // between a picture and its caption, at 96 DPI
    // Posted to itself: arm the kept alarm this copy took over once the program is up (and
    // perform an alarm after Windows start that an earlier version stored).
    static constexpr UINT kAfterStartMessage = WM_APP + 20;
    // Posted by the configuration window's "Koniec": the user closes the program.
    static constexpr UINT kQuitMessage = WM_APP + 21;

    TF_Glowna(const WindowPorts& ports, ArmedAlarm& alarm);
    ~TF_Glowna() override;

    // Creates the window (its creation prepares the registry) and adds the tray icon.
    void Create();
    void Connect(MainWindowLinks links) { links_ = std::move(links); }
    // The message loop's start: the show, then the first paint.
    void Start();

    klaxora::AppOptions& Options() { return options_; }
    std::vector<std::wstring>& CommandLineList() { return commandLine_; }
    ArmedAlarm& Alarm() { return alarm_; }
    // The armed alarm changed: the icon's tip says what is armed.
    void AlarmChanged(const WatchState& watch);

    // A kept alarm this copy took over before its windows were made: its definition is read as
    // the command line, and it is armed once the program is up; an alarm after Windows start
    // fires when the copy was started by the logon run.
    void Adopt(TakenRecord taken) { adopted_.emplace(std::move(taken)); }
    // The user closes the program: the armed alarm is given up with it.
    void Quit();

    TrayIcon Tray;
    HMENU pm_Glowne() const { return menu_.Get(); }

    // Handlers, named after their events.
    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormClose();
    void TrayClick();
    void pm_GlownePopup();
    // Reads CommandLineList into the configuration window and WatchState, showing what went
    // wrong (unless told not to); never arms. Nothing happens for an empty list.
    void ReadCommandLine(bool showMessages = true);
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

    MainWindowLinks links_;
    ArmedAlarm& alarm_;
    klaxora::AppOptions options_;
    std::vector<std::wstring> commandLine_;
    MenuHandle menu_;
    std::array<MenuEntry, 9> entries_;
    const WindowPorts ports_;
    RegistryPort& registry_;
    FileSystemPort& files_;
    SystemFoldersPort& folders_;
    ProcessWatchPort& processes_;
    // A record taken over, until it is armed.
    std::optional<TakenRecord> adopted_;
    bool logonRun_ = false;          // started by a record's logon run
    bool startedForRecord_ = false;  // by a logon run or another copy: no window is shown
};

}  // namespace klaxora::win
