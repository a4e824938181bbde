#pragma once
// Drives the configuration window in its own words: a trigger and an action chosen by kind,
// the fields a definition needs typed in, Start and Stop pressed, and what the window shows
// read back. It is the one place where the tests know which control holds what, so a change
// of the window's insides is mended here.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/vocabulary.h"
#include "win/config/alarm_window.h"
#include "win/pump.h"
#include "win/ui/controls.h"

namespace klaxora::win {

class AlarmDriver {
  public:
    explicit AlarmDriver(TF_Alarm& window) : w_(window) {}

    // --- Choosing, as the user picks a list item: the selection, then the list's notification.
    void Trigger(TriggerKind kind) { Pick(w_.cb_A_Wykonaj, Info(kind).caption); }
    void Action(ActionKind kind) { Pick(w_.cb_Typ_Alarmu, Info(kind).caption); }
    // "Inne możliwości" and one of its operations.
    void Other(OtherActionKind kind) {
        Action(ActionKind::Other);
        Pick(w_.p_Inne.cb_InneOpcje, Info(kind).caption);
    }
    void Key(std::wstring_view name) { Pick(w_.p_Inne.p_Inne_Klawisz.cb_Klawisze, name); }

    // --- Filling the fields.
    // Seconds typed into the count-down, which its own change handler judges.
    void TypeCountdownSeconds(const std::wstring& digits) {
        Type(w_.odlicz_w_dol.Seconds.Edit(), digits);
    }
    // The message's text and caption typed into their editable lists.
    void Message(const std::wstring& text, const std::wstring& caption) {
        TypeIntoList(w_.p_k_komunikat.cb_Komunikat, text);
        TypeIntoList(w_.p_k_komunikat.cb_Caption, caption);
    }
    void MessageText(const std::wstring& text) {
        TypeIntoList(w_.p_k_komunikat.cb_Komunikat, text);
    }
    // The path the shown action needs (program, file, folder, sound, web address), typed in.
    void Path(const std::wstring& path) { Type(PathEdit(), path); }
    // The program a program trigger watches, as the command line or the restore writes it.
    void WatchedProgram(TriggerKind trigger, const std::wstring& path) {
        ProgramPage& page = trigger == TriggerKind::ProgramStarted  ? w_.program_uruch
                            : trigger == TriggerKind::ProgramClosed ? w_.program_zamkniety
                                                                    : w_.program_nie_odpowiada;
        page.SetPath(path);
        testing::Drain();
    }
    // "Powtórz akcję po" ticked and the seconds typed.
    void Repeat(const std::wstring& seconds) {
        SendMessageW(w_.cb_PowtorzAkcje, BM_CLICK, 0, 0);
        Type(w_.e_CzasPowtorki, seconds);
    }

    // --- The buttons. Start and Stop pressed as the user presses them (nothing while greyed).
    void Start() { Click(w_.ib_Start); }
    void Stop() { Click(w_.ib_Stop); }
    // Start's handler run whatever the button's state, for the checks it makes itself.
    void StartRegardless() {
        w_.ib_StartClick();
        testing::Drain();
    }

    // --- What the window shows.
    bool Shows(TriggerKind kind) const { return w_.CurrentPage() == kind; }
    // An action's panel ("Domyślne okno" has none: it shows while no panel does).
    bool Shows(ActionKind kind) const {
        return w_.VisiblePanel() == (Info(kind).hasPanel ? std::optional(kind) : std::nullopt);
    }
    bool Shows(OtherActionKind kind) const { return w_.VisibleSubPanel() == Info(kind).subPanel; }
    bool ShowsNoPage() const { return !w_.CurrentPage(); }
    bool ShowsNoSubPanel() const { return w_.VisibleSubPanel() == OtherSubPanel::None; }
    std::wstring TriggerText() const { return w_.cb_A_Wykonaj.SelectedText(); }
    std::wstring ActionText() const { return w_.cb_Typ_Alarmu.SelectedText(); }
    std::wstring KeyText() const { return w_.p_Inne.p_Inne_Klawisz.cb_Klawisze.SelectedText(); }
    bool TriggerChosen() const { return w_.cb_A_Wykonaj.HasSelection(); }
    bool StartEnabled() const { return IsWindowEnabled(w_.ib_Start) != FALSE; }
    bool ShortcutEnabled() const { return IsWindowEnabled(w_.ib_Skrot) != FALSE; }
    bool PreviewEnabled() const { return IsWindowEnabled(w_.cb_Podglad) != FALSE; }
    bool PreviewShown() const {
        return (GetWindowLongPtrW(w_.cb_Podglad, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    bool RepeatChecked() const { return Button(w_.cb_PowtorzAkcje).Checked(); }
    std::wstring RepeatText() const { return Control(w_.e_CzasPowtorki).Text(); }
    // Idle: Stop parked outside the window and Start in its place.
    bool StopParked() const {
        return ClientOrigin(w_.ib_Stop).x == -40 && IsWindowVisible(w_.ib_Start) != FALSE;
    }
    // Armed: Stop over Start.
    bool StopInStartsPlace() const {
        const POINT stop = ClientOrigin(w_.ib_Stop), start = ClientOrigin(w_.ib_Start);
        return stop.x == start.x && stop.y == start.y;
    }
    // The editors Start locks and Stop unlocks whatever the definition: the two lists, the
    // count-down's hours, the message's editors and the process list (whichever exist). The
    // repeat and the preview come back as the definition allows.
    std::vector<HWND> Editors() const {
        std::vector<HWND> editors{w_.cb_A_Wykonaj, w_.cb_Typ_Alarmu};
        if (w_.odlicz_w_dol.Built())
            editors.push_back(w_.odlicz_w_dol.Hours.Edit());
        if (w_.p_k_komunikat.Built())
            editors.push_back(w_.p_k_komunikat.cb_Komunikat);
        if (w_.p_ZabijProces.Built())
            editors.push_back(w_.p_ZabijProces.lv_Procesy);
        return editors;
    }
    bool EditorsLocked() const { return AllEnabled(false); }
    bool EditorsUnlocked() const { return AllEnabled(true); }

  private:
    void Pick(HWND combo, std::wstring_view text) {
        ASSERT_TRUE(ComboBox(combo).SelectByText(text)) << static_cast<int>(text.size());
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        testing::Drain();
    }
    // An edit tells its parent of the change itself.
    static void Type(HWND edit, const std::wstring& text) {
        SetWindowTextW(edit, text.c_str());
        testing::Drain();
    }
    // An editable list does not: its notification follows, as typing sends it.
    static void TypeIntoList(HWND combo, const std::wstring& text) {
        SetWindowTextW(combo, text.c_str());
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        testing::Drain();
    }
    static void Click(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        testing::Drain();
    }
    POINT ClientOrigin(HWND control) const {
        RECT rc;
        GetWindowRect(control, &rc);
        MapWindowPoints(nullptr, w_.Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return {rc.left, rc.top};
    }
    bool AllEnabled(bool enabled) const {
        for (HWND editor : Editors()) {
            if ((IsWindowEnabled(editor) != FALSE) != enabled)
                return false;
        }
        return true;
    }
    HWND PathEdit() const {
        const std::optional<ActionKind> shown = w_.VisiblePanel();
        switch (shown.value_or(ActionKind::DefaultWindow)) {
            case ActionKind::RunProgram:
                return w_.p_UrProg.Editor;
            case ActionKind::OpenFile:
                return w_.p_Plik.Editor;
            case ActionKind::OpenFolder:
                return w_.p_OtworzFolder.Editor;
            case ActionKind::PlaySound:
                return w_.p_k_PdegrajDzwiek.fne_PlikWAV;
            case ActionKind::OpenWebPage:
                return w_.p_WWW.e_WWW;
            default:
                ADD_FAILURE() << "the shown action has no path";
                return nullptr;
        }
    }

    TF_Alarm& w_;
};

}  // namespace klaxora::win
