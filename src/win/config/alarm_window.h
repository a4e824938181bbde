#pragma once
// The configuration window: a trigger on the left, an action on the right, the repetition
// under the trigger, and the top row of image buttons. Each notebook page and each action
// panel is an object of its own that owns its controls and builds them the first time it is
// shown; the window reads them into AlarmSettings, and SyncView applies what the core decides
// (config/sync_view) for that definition.
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>

#include "app/watch_state.h"
#include "config/alarm_settings.h"
#include "config/sync_view.h"
#include "win/config/action_panels.h"
#include "win/config/other_panel.h"
#include "win/config/panel_kit.h"
#include "win/config/skin.h"
#include "win/config/trigger_pages.h"
#include "win/sys/file_system_win.h"
#include "win/sys/handles.h"
#include "win/ui/image_button.h"
#include "win/ui/panel.h"
#include "win/ui/tooltips.h"
#include "win/ui/window.h"

namespace klaxora::win {

class TF_Alarm : public Window {
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
        kLabel20,
        kTriggerList,
        kRepeatBox,
        kRepeatEdit,
        kActionList,
        kHelpLabel,
        kPreview,
    };

    TF_Alarm();
    ~TF_Alarm() override;

    void Create();
    // Stop: disarms the alarm and unlocks the editors. Callable with no sender.
    void ib_StopClick();
    // Closing the configuration window only hides it.
    void Close();

    // --- Wiring to the rest of the program, set by the application when it builds the window
    // The armed alarm, owned by the main window: whether one is armed (the watch timer is on)
    // and whether the command line set up a kill. Null: nothing is armed.
    void BindWatchState(const WatchState* state) { watch_ = state; }
    // The number of entries of CommandLineList (0 when the program got no parameters).
    void SetCommandLineCount(size_t count) { commandLineCount_ = count; }
    // Closes the main window, which ends the program.
    std::function<void()> CloseMainWindow;
    // Shows the options dialog and the about box over this window. Unset: nothing happens.
    std::function<void()> ShowOptions;
    std::function<void()> ShowAbout;
    // Restores the fields of a sub-action (key name, click point, CD drive and operation) from
    // the registry when SyncView shows it; the command line's values take precedence there.
    std::function<void(OtherActionKind sub)> RestoreSubAction;
    // The executable path of a running process (empty when unknown); the shortcut button
    // follows a selected process row only when the path names a file. Unset: not checked.
    std::function<std::wstring(DWORD processId)> ProcessPath;
    // Opens a document with the shell verb "open", maximised.
    std::function<void(const std::wstring& path)> OpenDocument;
    // cb_PodgladClick: performs the edited action at once through the alarm's executor.
    std::function<void()> Preview;

    // --- Operations offered to other parts of the program ----------------------------------
    bool FirstShowDone = false;
    void SyncView();
    // The definition the controls hold; pages and panels not built yet read as they start.
    AlarmSettings ReadSettings() const;
    void ApplyAtTimeText(const std::wstring& text);
    void ApplyCountdownText(const std::wstring& text);
    void RefreshCdDriveList();
    void FillProcessList() { p_ZabijProces.FillProcessList(); }
    // The window's own keys, before dialog navigation: F1, F10 (a system key), the picker's
    // Enter and Esc, F5 over the process list, the action group's mnemonic.
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
    void lv_ProcesyChange();

    // --- State the tests and other parts read ----------------------------------------------
    std::wstring CurrentPage() const;      // name of the visible notebook page
    std::wstring VisiblePanel() const;     // name of the visible action panel, or empty
    std::wstring VisibleSubPanel() const;  // name of the visible sub-panel of p_Inne, or empty
    const std::wstring& AmhHint() const { return amhHint_; }
    bool PickerRunning() const { return p_Inne.p_Inne_Klikniecie1.PickerRunning(); }
    HWND BalloonWindow() const { return infoBalloons_.Hwnd(); }
    HWND HintWindow() const { return hints_.Hwnd(); }

  private:
    // Declared before the pages and panels, which keep a reference to it.
    PanelKit kit_;

  public:
    // --- Controls ---------------------------------------------------------------------------
    ImageButton ib_Stop, ib_WWW, ib_Skrot, ib_About, ib_Opcje, ib_Koniec, ib_Minimalizuj, ib_Start;

    Panel gb1;
    HWND Label20 = nullptr, cb_A_Wykonaj = nullptr;
    Panel nb_Zakladki;
    // The notebook's pages, named as the notebook names them.
    TimePage odlicz_w_dol{TimePage::Kind::Countdown, kit_};
    TimePage wykonaj_o{TimePage::Kind::AtTime, kit_};
    ProgramPage program_nie_odpowiada;  // Label30, e_ZawieszonyProgram, Label31
    ProgramPage program_uruch;          // Label29, e_UruchomionyProgram, Label28
    ProgramPage program_zamkniety;      // Label25, e_ProgramZamkniety, Label32
    NoInternetPage brak_neta{kit_};
    WindowsStartPage wykonaj_win{kit_};
    Panel empty;
    HWND cb_PowtorzAkcje = nullptr, e_CzasPowtorki = nullptr;

    Panel gb2;
    HWND cb_Typ_Alarmu = nullptr, amh_Help = nullptr, cb_Podglad = nullptr;
    MessagePanel p_k_komunikat{kit_};
    SoundActionPanel p_k_PdegrajDzwiek{kit_};
    ShutdownPanel p_Zamknij{kit_};
    PathPanel p_UrProg;        // Label8, fne_PlikEXE, sb_ListaPlikowEXE
    PathPanel p_Plik;          // Label9, fne_Plik, sb_ListaPlikow
    PathPanel p_OtworzFolder;  // Label10, de_Foldery, sb_ListaFolderow
    WebPanel p_WWW{kit_};
    OtherPanel p_Inne{kit_};
    ProcessPanel p_ZabijProces{kit_};

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormCreate();
    void CreateTopRow();
    void CreateTriggerGroup();
    void CreateActionGroup();
    void CreateHints();
    void FirstShow();
    void ClockTick();
    bool OnCommand(UINT id, UINT code, HWND control);
    static LRESULT CALLBACK amh_HelpProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                         DWORD_PTR data);

    SyncViewState ViewState() const;
    void ApplyDecision(const SyncViewDecision& d);
    // The change handlers' verdict on the start, the shortcut (and the preview): the
    // synchroniser's decision for the definition as it stands.
    void ApplyStartVerdict(bool preview);
    bool KillFromCommandLine() const;
    void ShowPage(std::wstring_view name);
    void ShowActionPanel(std::wstring_view name);
    void OpenHelp();

    Win32FileSystem files_;
    Skin skin_;
    FontHandle font_, boldFont_, bigBoldFont_;
    IconHandle bigIcon_, smallIcon_, playIcon_, pauseIcon_, stopIcon_, dropIcon_;
    ToolTips hints_, infoBalloons_, warnBalloons_;
    const WatchState* watch_ = nullptr;
    size_t commandLineCount_ = 0;
    bool created_ = false;
    bool amhPressed_ = false;
    std::wstring amhHint_;
    // The notebook's pages and the action panels with the names the synchroniser uses.
    using NamedPanel = std::pair<Panel*, std::wstring_view>;
    std::array<NamedPanel, 8> pages_;
    std::array<NamedPanel, 9> actionPanels_;
};

}  // namespace klaxora::win
