#pragma once
// The configuration window: a trigger on the left, an action on the right, the repetition
// under the trigger, and the top row of image buttons. Its controls hold the one alarm
// definition; SyncView shows the page of the trigger and the panel of the action and decides
// which buttons are enabled (the decision itself is config/sync_view in the core).
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/watch_state.h"
#include "config/sync_view.h"
#include "win/config/skin.h"
#include "win/sys/file_system_win.h"
#include "win/sys/handles.h"
#include "win/ui/image_button.h"
#include "win/ui/panel.h"
#include "win/ui/spin_edit.h"
#include "win/ui/tooltips.h"
#include "win/ui/window.h"

namespace klaxora::win {

class TF_Alarm;

// A control of an action panel that is built on first need (see TF_Alarm::BuildDeferredControls):
// reading it as a window builds the panels first, so every reader finds the control there.
// Comparing it with a window and Raw() do not build anything. Without an owner it is a plain
// window handle.
class DeferredControl {
  public:
    DeferredControl() = default;
    explicit DeferredControl(TF_Alarm* owner) : owner_(owner) {}
    DeferredControl& operator=(HWND hwnd) {
        hwnd_ = hwnd;
        return *this;
    }
    operator HWND() const;
    HWND Raw() const { return hwnd_; }
    friend bool operator==(HWND a, const DeferredControl& b) { return a == b.hwnd_; }

  private:
    TF_Alarm* owner_ = nullptr;
    HWND hwnd_ = nullptr;
};

// A spin edit of an action panel built on first need, with the same rule.
class DeferredSpinEdit : public SpinEdit {
  public:
    explicit DeferredSpinEdit(TF_Alarm* owner) : owner_(owner) {}
    HWND Edit() const;
    operator HWND() const { return Edit(); }
    int64_t Value() const;
    void SetValue(int64_t value);
    // The spin edit as it stands, built or not.
    const SpinEdit& Raw() const { return *this; }
    SpinEdit& Raw() { return *this; }

  private:
    TF_Alarm* owner_;
};

// A file or folder name editor: an edit and the button that opens the system's dialog.
struct FileEditor {
    FileEditor() = default;
    explicit FileEditor(TF_Alarm* owner) : edit(owner), browse(owner) {}
    DeferredControl edit;
    DeferredControl browse;
    std::wstring_view filter;  // empty: a folder editor
    bool mustExist = true;
    operator HWND() const { return edit; }
};

class TF_Alarm : public Window {
  public:
    TF_Alarm();
    ~TF_Alarm() override;

    void Create();
    // Stop: disarms the alarm and unlocks the editors. Callable with no sender.
    void ib_StopClick();
    // Closing the configuration window only hides it.
    void Close();

    // --- Wiring to the rest of the program -------------------------------------------------
    // The armed alarm, owned by the main window: whether one is armed (the watch timer is on)
    // and whether the command line set up a kill. Null: nothing is armed.
    void BindWatchState(const WatchState* state) { watch_ = state; }
    // The number of entries of CommandLineList (0 when the program got no parameters).
    void SetCommandLineCount(size_t count) { commandLineCount_ = count; }
    // Closes the main window, which ends the program. By default the main window of this
    // thread (class "TF_Glowna") is sent WM_CLOSE.
    std::function<void()> CloseMainWindow;
    // Restores the fields of a sub-action (key name, click point, CD drive and operation) from
    // the registry when SyncView shows it; the command line's values take precedence there.
    std::function<void(OtherActionKind sub)> RestoreSubAction;
    // The executable path of a running process (empty when unknown); the shortcut button
    // follows a selected process row only when the path names a file. Unset: not checked.
    std::function<std::wstring(DWORD processId)> ProcessPath;
    // Opens a document with the shell verb "open", maximised.
    std::function<void(const std::wstring& path)> OpenDocument;

    // --- Operations offered to other parts of the program ----------------------------------
    bool FirstShowDone = false;
    void SyncView();
    void ApplyAtTimeText(const std::wstring& text);
    void ApplyCountdownText(const std::wstring& text);
    void RefreshCdDriveList();
    void FillProcessList();

    // --- Handlers ---------------------------------------------------------------------------
    void cb_A_WykonajChange();
    void cb_Typ_AlarmuChange();
    void se_BrakNetaChange();
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
    void SpeedButton1Click();
    void lv_ProcesyChange();
    void lv_ProcesyColumnClick(int column);
    // Enter or Esc in a click-coordinate editor (also F1 and F10 there).
    void PickerKeyDown(WPARAM key);
    // The drop-down list of a combo box opens.
    void DropDownWidth(HWND combo, int margin);

    // --- State the tests and other parts read ----------------------------------------------
    std::wstring CurrentPage() const;      // name of the visible notebook page
    std::wstring VisiblePanel() const;     // name of the visible action panel, or empty
    std::wstring VisibleSubPanel() const;  // name of the visible sub-panel of p_Inne, or empty
    const std::wstring& AmhHint() const { return amhHint_; }
    bool PickerRunning() const { return pickerRunning_; }
    HWND BalloonWindow() const { return infoBalloons_.Hwnd(); }
    HWND HintWindow() const { return hints_.Hwnd(); }

    // The action panels other than the sound, kill and default ones, and the notebook pages of
    // the program and no-Internet triggers, hold their controls only once they are first
    // needed: shown, read or written. Building them costs more than a third of the window's
    // creation, and most runs use one trigger and one action.
    void BuildDeferredControls();

    // --- Controls ---------------------------------------------------------------------------
    ImageButton ib_Stop, ib_WWW, ib_Skrot, ib_About, ib_Opcje, ib_Koniec, ib_Minimalizuj, ib_Start;

    Panel gb1;
    HWND Label20 = nullptr, cb_A_Wykonaj = nullptr;
    Panel nb_Zakladki;
    std::array<Panel, 8> pages;  // in the order of NotebookPages()
    // odlicz_w_dol
    HWND Label23 = nullptr, Label2 = nullptr, sb_ur_alarm_za = nullptr, sb_SpecialTime = nullptr,
         Label24 = nullptr;
    SpinEdit se_ur_po_czasie_godz, se_ur_po_czasie_min, se_ur_po_czasie_sec;
    // wykonaj_o
    HWND Label22 = nullptr, Label21 = nullptr, sb_ur_alarm_o = nullptr, SpeedButton2 = nullptr,
         Label13 = nullptr;
    SpinEdit se_ur_o_godz_godz, se_ur_o_godz_min, se_ur_o_godz_sec;
    // program_nie_odpowiada, program_uruch, program_zamkniety
    DeferredControl Label30{this}, Label31{this}, Label29{this}, Label28{this}, Label25{this},
        Label32{this};
    FileEditor e_ZawieszonyProgram{this}, e_UruchomionyProgram{this}, e_ProgramZamkniety{this};
    // brak_neta
    DeferredControl Label1{this}, Label15{this}, Label26{this};
    DeferredSpinEdit se_BrakNeta{this};
    // wykonaj_win
    HWND Label27 = nullptr;
    HWND cb_PowtorzAkcje = nullptr, e_CzasPowtorki = nullptr;

    Panel gb2;
    HWND cb_Typ_Alarmu = nullptr, amh_Help = nullptr, cb_Podglad = nullptr;
    Panel p_k_komunikat, p_k_PdegrajDzwiek, p_Zamknij, p_UrProg, p_Plik, p_OtworzFolder, p_WWW,
        p_Inne, p_ZabijProces;
    DeferredControl Label4{this}, cb_Komunikat{this}, Label5{this}, cb_Caption{this};
    HWND Label6 = nullptr, sb_ListaPlikowWAV = nullptr, Label128 = nullptr, LabelCzas = nullptr,
         Play = nullptr, Pause = nullptr, Stop = nullptr, LoopCheckBox = nullptr;
    FileEditor fne_PlikWAV;
    DeferredControl Label7{this}, cb_ZamknijSystem{this};
    DeferredControl Label8{this}, sb_ListaPlikowEXE{this};
    FileEditor fne_PlikEXE{this};
    DeferredControl Label9{this}, sb_ListaPlikow{this};
    FileEditor fne_Plik{this};
    DeferredControl Label10{this}, sb_ListaFolderow{this};
    FileEditor de_Foldery{this};
    DeferredControl Label11{this}, e_WWW{this}, sb_ListaWWW{this};
    DeferredControl Label12{this}, cb_InneOpcje{this};
    Panel p_Inne_Klawisz, p_Inne_DyskCD, p_Inne_Klikniecie1;
    DeferredControl Label14{this}, cb_Klawisze{this};
    DeferredControl Label18{this}, Label19{this}, cb_Inne_DyskCD{this},
        cd_Inne_DyskCD_WsWy{this};
    DeferredControl Label16{this}, Label17{this}, SpeedButton1{this}, Label3{this};
    DeferredSpinEdit se_Inne_X_DC{this}, se_Inne_Y_DC{this};
    HWND lv_Procesy = nullptr;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormCreate();
    void CreateTopRow();
    void CreateTriggerGroup();
    void CreateActionGroup();
    void CreateSoundPanel();
    void CreateOtherPanel();
    void CreateHints();
    HWND PageWindow(std::wstring_view name) const;
    void FirstShow();
    void ClockTick();
    void PickerTick();
    void StopPicker();

    SyncViewInput ReadInput() const;
    void ApplyDecision(const SyncViewDecision& d);
    void ShowPage(std::wstring_view name);
    std::array<std::pair<const Panel*, std::wstring_view>, 9> ActionPanels() const;
    std::array<std::pair<const Panel*, std::wstring_view>, 3> SubPanels() const;
    void ShowActionPanel(std::wstring_view name);
    void ShowSubPanel(std::wstring_view name);
    bool OnCommand(HWND control, WORD code);
    LRESULT OnColour(HDC dc, HWND control);
    void Browse(const FileEditor& editor);
    void OpenHelp();
    TimeFields Countdown() const;

    friend LRESULT CALLBACK AlarmMessageHook(int code, WPARAM wParam, LPARAM lParam);
    // Keys of the window's thread before they are dispatched: the window's own keys, then the
    // dialog keys (Tab, mnemonics, arrows). True when the key was handled.
    bool PreviewKey(MSG& msg);

    Win32FileSystem files_;
    Skin skin_;
    GdiObject font_, boldFont_, bigBoldFont_, groupBrush_;
    IconHandle bigIcon_, smallIcon_, playIcon_, pauseIcon_, stopIcon_, dropIcon_;
    ToolTips hints_, infoBalloons_, warnBalloons_;
    const WatchState* watch_ = nullptr;
    size_t commandLineCount_ = 0;
    bool created_ = false;
    bool deferredBuilt_ = false;
    bool building_ = false;
    bool pickerRunning_ = false;
    bool amhPressed_ = false;
    std::wstring amhHint_;
    std::array<FileEditor*, 7> fileEditors_{};
    HHOOK hook_ = nullptr;
    HWND lastFocus_ = nullptr;
    // The texts of the process list's rows, by the index each row carries.
    std::vector<std::array<std::wstring, 3>> processRows_;
};

}  // namespace klaxora::win
