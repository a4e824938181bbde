#pragma once
// The configuration window: a trigger on the left, an action on the right, the repetition
// under the trigger, and the top row of image buttons. Each notebook page and each action
// panel is an object of its own that owns its controls and builds them the first time it is
// shown; the window reads them into AlarmSettings, and SyncView applies what the core decides
// (config/sync_view) for that definition.
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/watch_state.h"
#include "ports/armed_alarm.h"
#include "config/alarm_settings.h"
#include "config/restore.h"
#include "config/start_alarm.h"
#include "config/sync_view.h"
#include "win/config/action_panels.h"
#include "win/config/other_panel.h"
#include "win/config/panel_kit.h"
#include "win/config/skin.h"
#include "win/config/sound_transport.h"
#include "win/config/trigger_pages.h"
#include "win/actions/window_ports.h"
#include "win/sys/handles.h"
#include "win/ui/controls.h"
#include "win/ui/image_button.h"
#include "win/ui/panel.h"
#include "win/ui/tooltips.h"
#include "win/ui/window.h"

namespace klaxora {
struct CommandLineReading;
}

namespace klaxora::win {

class TF_Alarm : public Window {
    // What it is given of the system; first, for the panels built from them.
    const WindowPorts ports_;
    RegistryPort& registry_;
    FileSystemPort& files_;
    SystemFoldersPort& folders_;
    ProcessWatchPort& processes_;
    ProcessControlPort& processControl_;  // what Start keeps of the process to end
    // The sound panel's transport over the one sound device.
    SoundTransport player_;

  public:
    // The window's own controls: the top row and the controls of the two groups.
    enum Id : UINT {
        kStop = 10,
        kWWW,
        kSkrot,
        kAbout,
        kOpcje,
        kKoniec,
        kMinimalizuj,
        kStart,
        kTriggerLabel,
        kTriggerList,
        kRepeatBox,
        kRepeatEdit,
        kActionList,
        kHelpLabel,
        kPreview,
        kRepeatUnit,
        kFieldName,  // the names of fields for assistive tools
    };

    explicit TF_Alarm(const WindowPorts& ports);
    ~TF_Alarm() override;

    void Create();
    // Start: checks the definition, stores it, arms the watch and hides the window.
    void ib_StartClick();
    // Stop: disarms the alarm and unlocks the editors. Callable with no sender.
    void ib_StopClick();
    // The alarm is over (stopped, or ended by its firing): the editors unlocked.
    void EndAlarm();
    // An alarm armed without Start (a kept one taken over): the editors locked and Stop offered
    // as after Start, the repeat shown as armed.
    void ShowArmed(int32_t repeatSeconds);
    // The definition as a shortcut's parameters, which is how an armed alarm is kept.
    std::wstring DefinitionArguments() const;
    // Closing the configuration window only hides it.
    void Close();

    // --- What the window uses of the rest of the program; any may be missing (a test builds
    // only some windows). Connected by the application once every window exists.
    struct Links {
        // The armed alarm this window arms, stops and shows; none: Start does nothing.
        ArmedAlarmPort* alarm = nullptr;
        // Closes the main window, which ends the program.
        std::function<void()> closeMainWindow;
        // Show the options dialog and the about box over this window.
        std::function<void()> showOptions;
        std::function<void()> showAbout;
        // The program's menu (the icon's), which is this window's context menu.
        std::function<void(POINT at)> showProgramMenu;
        // The "Kreator" buttons: the time wizard for the selected trigger's caption.
        std::function<void(const std::wstring& triggerCaption)> openTimeWizard;
        // The shortcut dialog for a definition's parameters and the eight names offered.
        std::function<void(const std::wstring& arguments, const std::array<std::wstring, 8>& names)>
            showShortcutDialog;
        // cb_PodgladClick: performs the edited action at once through the alarm's executor.
        std::function<void(const AlarmSettings& settings)> preview;
    };
    void Connect(Links links);
    // The armed alarm changed (armed, stopped, fired and over): the editors lock or unlock.
    void AlarmChanged(const WatchState& watch);
    // The number of entries of CommandLineList (0 when the program got no parameters).
    void SetCommandLineCount(size_t count) { commandLineCount_ = count; }

    // --- Operations offered to other parts of the program ----------------------------------
    bool FirstShowDone = false;
    void SyncView();
    // The definition the controls hold; pages and panels not built yet read as they start.
    AlarmSettings ReadSettings() const;
    void ApplyAtTimeText(const std::wstring& text);
    void ApplyCountdownText(const std::wstring& text);
    // Fills the controls the command line's reading filled (command_line_apply.cpp); the
    // reading's process row is chosen again after the first show refills the list.
    void ApplyCommandLine(const CommandLineReading& reading);
    void RefreshCdDriveList();
    // Refills the process list. After the first show a refill drops the chosen row, and with it
    // the kill the command line set up: that one counts only until the user lists again.
    void FillProcessList();
    // The window's own keys, before dialog navigation: F1, F10 (a system key), Shift+F10 and
    // the context-menu key, the picker's Enter and Esc, F5 over the process list, the action
    // group's mnemonic.
    bool PreTranslate(MSG& msg) override;

    // --- Handlers ---------------------------------------------------------------------------
    void cb_A_WykonajChange();
    void cb_Typ_AlarmuChange();
    void se_ur_po_czasie_secChange();
    void cb_KlawiszeChange();
    void cb_Inne_DyskCDChange();
    void cb_PowtorzAkcjeClick();
    void amh_HelpClick();
    void FormKeyDown(WPARAM key);
    void ib_OpcjeClick();
    void ib_AboutClick();
    void ib_KoniecClick();
    void ib_MinimalizujClick();
    void ib_WWWClick();
    // Saves the definition as a shortcut, unless it would not read back the same.
    void ib_SkrotClick();
    void lv_ProcesyChange();
    void sb_SpecialTimeClick();  // "Kreator" of the count-down
    void SpeedButton2Click();    // "Kreator" of the time of day

    // --- Recent-value menus, in MenuLists() order (O_MRU, ZA_MRU, Sound, EXE, Pliki, Foldery,
    // WWW); built once by the first show.
    static constexpr size_t kRecentMenus = 7;
    Button RecentButton(size_t list) const;
    HMENU RecentMenu(size_t list) const { return recent_[list].menu.Get(); }
    // Opens the list's menu under its button and applies what is chosen.
    void ShowRecentMenu(size_t list);
    // The menu's item `item` chosen: its entry goes to the list's field.
    void ChooseRecent(size_t list, size_t item);
    // "Wyczyść listę": the list is emptied in the registry and its button hidden.
    void ClearRecentList(size_t list);
    // The definition as Start reads it.
    StartInput ReadStartInput() const;

    // --- State the tests and other parts read ----------------------------------------------
    // The trigger whose notebook page shows; none while the empty page shows.
    std::optional<TriggerKind> CurrentPage() const;
    // The action whose panel shows, if any.
    std::optional<ActionKind> VisiblePanel() const;
    OtherSubPanel VisibleSubPanel() const { return p_Inne.VisibleSubPanel(); }
    const std::wstring& AmhHint() const { return amhHint_; }
    bool PickerRunning() const { return p_Inne.p_Inne_Klikniecie1.PickerRunning(); }
    HWND BalloonWindow() const { return infoBalloons_.Hwnd(); }

  private:
    // Declared before the pages and panels, which keep a reference to it.
    PanelKit kit_;

  public:
    // --- Controls ---------------------------------------------------------------------------
    ImageButton ib_Stop, ib_WWW, ib_Skrot, ib_About, ib_Opcje, ib_Koniec, ib_Minimalizuj, ib_Start;

    Panel gb1;
    Label l_Wyzwalacz;
    ComboBox cb_A_Wykonaj;
    Panel nb_Zakladki;
    // The notebook's pages, named as the notebook names them.
    TimePage odlicz_w_dol{TimePage::Kind::Countdown, kit_};
    TimePage wykonaj_o{TimePage::Kind::AtTime, kit_};
    ProgramPage program_nie_odpowiada;
    ProgramPage program_uruch;
    ProgramPage program_zamkniety;
    NoInternetPage brak_neta{kit_};
    WindowsStartPage wykonaj_win{kit_};
    Panel empty;
    CheckBox cb_PowtorzAkcje;
    Label l_CzasPowtorkiNazwa;  // the repeat edit's name for assistive tools
    Edit e_CzasPowtorki;
    Label l_CzasPowtorkiSek;  // "s" after the repeat edit

    Panel gb2;
    Label l_Typ_AlarmuNazwa;  // the group's caption, as the action list's name
    ComboBox cb_Typ_Alarmu;
    Button amh_Help;  // a link
    Button cb_Podglad;
    MessagePanel p_k_komunikat{kit_};
    SoundActionPanel p_k_PdegrajDzwiek{kit_, player_};
    ShutdownPanel p_Zamknij{kit_};
    PathPanel p_UrProg;
    PathPanel p_Plik;
    PathPanel p_OtworzFolder;
    WebPanel p_WWW{kit_};
    OtherPanel p_Inne{kit_};
    ProcessPanel p_ZabijProces{kit_, processes_};

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged(UINT dpi) override;
    void MakeLook(UINT dpi);

  private:
    void FormCreate();
    void CreateTopRow();
    void CreateTriggerGroup();
    void CreateActionGroup();
    void CreateHints();
    // Each tooltip window, made when the mouse first comes over one of its tools.
    void RealizeHints(HWND under);
    void FirstShow();
    void ApplyRestore(const RestorePlan& plan);
    void BuildRecentMenus(const RestorePlan& plan);
    // The page or panel that holds a recent list's button, and the button's visibility applied
    // to it when it exists.
    void ShowRecentButton(size_t list);
    void RestoreSubActionValues(OtherActionKind sub);
    // The controls of one trigger's page and of one action's editors (start and stop lock and
    // unlock them); unbuilt controls are left out.
    std::vector<HWND> TriggerControls(TriggerKind trigger) const;
    std::vector<HWND> ActionControls(const ActionEditors& editors) const;
    void ParkStop();
    // What Start changes in the window once its writes have succeeded.
    void LockForArmed();
    // The executable of the process chosen for a kill: the chosen row's, or the program the
    // command line named when it does not run yet.
    std::wstring KillTargetPath(const AlarmSettings& settings) const;
    void ClockTick();
    bool OnCommand(UINT id, UINT code) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

    SyncViewState ViewState() const;
    void ApplyDecision(const SyncViewDecision& d);
    // The change handlers' verdict on the start, the shortcut (and the preview): the
    // synchroniser's decision for the definition as it stands.
    void ApplyStartVerdict(bool preview);
    // Start's state; while it is off, its hint says why (a disabled button gets no mouse
    // messages, so the hint is an area of the window over it).
    void SetStartEnabled(bool enabled, std::wstring_view reason);
    // A kill the command line set up and no refill has dropped since (a kill armed by Start
    // does not count: its row is the user's choice).
    bool KillFromCommandLine() const;
    void SelectCommandLineProcess();
    // The page of each trigger and the panel of each action, by kind: a kind added to the
    // core's tables without its page or panel here is a compiler warning.
    const Panel& PageOf(TriggerKind trigger) const;
    const Panel* PanelOf(ActionKind action) const;  // none for an action without a panel
    Panel& PageOf(TriggerKind trigger) {
        return const_cast<Panel&>(std::as_const(*this).PageOf(trigger));
    }
    Panel* PanelOf(ActionKind action) {
        return const_cast<Panel*>(std::as_const(*this).PanelOf(action));
    }
    void ShowPage(TriggerKind trigger);
    void ShowActionPanel(std::optional<ActionKind> action);
    void OpenHelp();

    SubActionRestoreGate subActionGate_;
    // One recent-value menu: its popup and the entries of its items, by position.
    struct RecentPopup {
        MenuHandle menu;
        std::vector<std::wstring> entries;
        bool showButton = false;
    };
    std::array<RecentPopup, kRecentMenus> recent_;
    // Each recent-value menu's place in the window, in the order of the core's lists: the
    // page or panel that holds its button, the button, the field the menu opens under (none
    // for the time rows), what choosing an entry does, and the button's click.
    struct RecentSlot {
        std::wstring_view subkey;
        Panel* host;
        std::function<Button()> button;
        std::function<HWND()> field;
        std::function<void(const std::wstring& entry)> choose;
        std::function<void()>* clicked;
    };
    std::array<RecentSlot, kRecentMenus> recentSlots_;
    void ConnectRecentSlots();
    Skin skin_;
    IconHandle bigIcon_, smallIcon_, playIcon_, pauseIcon_, stopIcon_, dropIcon_;
    ToolTips hints_, infoBalloons_, warnBalloons_;
    Links links_;
    ArmedAlarmPort* alarm_ = nullptr;  // links_.alarm
    bool lockedForArmed_ = false;
    size_t commandLineCount_ = 0;
    std::optional<DWORD> commandLineProcess_;  // the kill's process named by the command line
    bool commandLineKill_ = false;             // the command line set up a kill
    bool commandLineTrigger_ = false;          // the command line chose a trigger
    bool created_ = false;
    std::wstring amhHint_;
    UINT_PTR startWhyTip_ = 0;  // the area over ib_Start in hints_
};

}  // namespace klaxora::win
