// TF_Alarm's synchroniser and handlers: reading the definition, applying the core's decision,
// the change handlers, the keys and the buttons.
#include "app/startup.h"
#include "config/vocabulary.h"
#include "win/config/alarm_texts.h"
#include "win/config/alarm_window.h"
#include "win/ui/message_box.h"

namespace klaxora::win {

namespace T = alarm_texts;

// ---------------------------------------------------------------------------------------------
// The view synchroniser

bool TF_Alarm::KillFromCommandLine() const {
    const std::wstring kill(Info(ActionKind::KillProcess).caption);
    if (!commandLineKill_ || !alarm_)
        return false;
    const WatchState& w = alarm_->Watch();
    return w.ActionCaption == kill && w.ActionParameter == kill && !w.ActionDetail.empty();
}

void TF_Alarm::FillProcessList() {
    p_ZabijProces.FillProcessList();
    if (FirstShowDone)
        commandLineKill_ = false;
}

AlarmSettings TF_Alarm::ReadSettings() const {
    AlarmSettings s;
    // No selection stands for the trigger without an item of its own.
    s.Trigger =
        TriggerByCaption(cb_A_Wykonaj.SelectedText()).value_or(TriggerKind::AfterWindowsStart);
    s.CountdownTime = odlicz_w_dol.Read();
    s.AtTime = wykonaj_o.Read();
    s.NoInternetSeconds = brak_neta.Seconds();
    switch (s.Trigger) {
        case TriggerKind::ProgramNotResponding:
            s.WatchedProgram = program_nie_odpowiada.Path();
            break;
        case TriggerKind::ProgramStarted:
            s.WatchedProgram = program_uruch.Path();
            break;
        case TriggerKind::ProgramClosed:
            s.WatchedProgram = program_zamkniety.Path();
            break;
        case TriggerKind::NoInternet:
        case TriggerKind::Countdown:
        case TriggerKind::AtTime:
        case TriggerKind::AfterWindowsStart:
            break;  // read from their pages above
    }
    s.Action = ActionByCaption(cb_Typ_Alarmu.SelectedText());
    p_k_komunikat.Read(s);
    p_k_PdegrajDzwiek.Read(s);
    p_Zamknij.Read(s);
    s.ProgramPath = p_UrProg.Path();
    s.FilePath = p_Plik.Path();
    s.FolderPath = p_OtworzFolder.Path();
    p_WWW.Read(s);
    p_Inne.Read(s);
    s.ProcessName = p_ZabijProces.SelectedColumn(0);
    s.ProcessIdText = p_ZabijProces.SelectedColumn(2);
    s.ProcessChosen = p_ZabijProces.SelectedProcess().has_value() || KillFromCommandLine();
    s.RepeatEnabled = cb_PowtorzAkcje.Checked();
    s.RepeatSecondsText = e_CzasPowtorki.Text();
    return s;
}

SyncViewState TF_Alarm::ViewState() const {
    SyncViewState state;
    state.firstShowDone = FirstShowDone;
    state.pickerRunning = PickerRunning();
    return state;
}

void TF_Alarm::SyncView() {
    if (!FirstShowDone)
        return;
    AlarmSettings settings = ReadSettings();
    // Sub-actions with their own fields refresh and restore them before they are judged.
    const SubActionPreparation prepare = PrepareSubAction(settings);
    if (prepare.refreshCdDrives)
        RefreshCdDriveList();
    // The stored details only when the sub-action's controls are first shown for it, so a
    // later synchronisation keeps what the user chose since.
    if (prepare.restore && subActionGate_.ShouldRestore(*prepare.restore))
        RestoreSubActionValues(*prepare.restore);
    if (prepare.refreshCdDrives || prepare.restore)
        settings = ReadSettings();
    const SyncViewState state = ViewState();

    SoundOutcome outcome = SoundOutcome::NotAsked;
    const SoundStep step = SoundStepFor(settings, files_);
    if (step != SoundStep::None) {
        try {
            outcome = SoundOutcomeOf(player_.ApplyFileChange(settings.SoundFile));
        } catch (...) {
            // The player's error reaches the standard error box; the definition is not
            // startable.
            ApplyDecision(DecideSyncView(settings, state, files_, SoundOutcome::Failed));
            throw;
        }
    }
    const SyncViewDecision d = DecideSyncView(settings, state, files_, outcome);
    ApplyDecision(d);
    if (!d.message.empty())
        ShowPlain(d.message);
}

void TF_Alarm::ApplyDecision(const SyncViewDecision& d) {
    if (!d.run)
        return;
    cb_Podglad.SetEnabled(d.podgladEnabled);
    cb_Podglad.SetVisible(d.podgladVisible);
    cb_Typ_Alarmu.SetVisible(true);
    ShowPage(d.page);
    ShowActionPanel(d.panel);
    // The transport follows a loaded or cleared sound once the synchronisation ran to its end.
    if ((d.sound == SoundStep::Load || d.sound == SoundStep::Clear) && d.repeatBoxEnabled)
        p_k_PdegrajDzwiek.EnableTransport(d.transportEnabled);
    if (d.action == ActionKind::Other) {
        p_Inne.p_Inne_Klikniecie1.l_JakWskazac.SetVisible(d.label3Visible);
        p_Inne.ShowSubPanel(d.subPanel);
        if (d.amhHint)
            amhHint_ = *d.amhHint;
    }
    amh_Help.SetVisible(d.amhHelpVisible);
    SetStartEnabled(d.startEnabled, d.startReason);
    if (d.skrotEnabled)
        ib_Skrot.SetEnabled(*d.skrotEnabled);
    if (d.repeatBoxEnabled)
        cb_PowtorzAkcje.SetEnabled(*d.repeatBoxEnabled);
    if (d.repeatEditEnabled)
        e_CzasPowtorki.SetEnabled(*d.repeatEditEnabled);
}

void TF_Alarm::ApplyStartVerdict(bool preview) {
    const StartVerdict v =
        DecideStart(ReadSettings(), files_, player_.Mode() != MediaMode::NotOpen);
    SetStartEnabled(v.start, v.reason);
    ib_Skrot.SetEnabled(v.start);
    if (preview)
        cb_Podglad.SetEnabled(v.preview);
}

void TF_Alarm::SetStartEnabled(bool enabled, std::wstring_view reason) {
    ib_Start.SetEnabled(enabled);
    // The area follows the button wherever the layout put it.
    RECT area{};
    GetWindowRect(ib_Start, &area);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&area), 2);
    hints_.SetArea(Hwnd(), startWhyTip_, area, enabled ? std::wstring() : std::wstring(reason));
}

// ---------------------------------------------------------------------------------------------
// Change handlers

void TF_Alarm::cb_A_WykonajChange() {
    SyncView();
}

void TF_Alarm::cb_Typ_AlarmuChange() {
    // The process list is refilled before the definition is judged, so that a row of the old
    // list cannot count as chosen.
    if (cb_Typ_Alarmu.SelectedText() == Info(ActionKind::KillProcess).caption)
        FillProcessList();
    SyncView();
}

void TF_Alarm::se_ur_po_czasie_secChange() {
    ApplyStartVerdict(false);
}

void TF_Alarm::cb_KlawiszeChange() {
    ApplyStartVerdict(true);
}

void TF_Alarm::cb_Inne_DyskCDChange() {
    ApplyStartVerdict(true);
}

void TF_Alarm::lv_ProcesyChange() {
    SyncView();
    // A shortcut must be able to name the program.
    const std::optional<DWORD> process = p_ZabijProces.SelectedProcess();
    if (!process || !IsWindowEnabled(ib_Start))
        return;
    const std::wstring path = processes_.GetProcessPath(*process);
    ib_Skrot.SetEnabled(!path.empty() && files_.FileExists(path));
}

void TF_Alarm::cb_PowtorzAkcjeClick() {
    e_CzasPowtorki.SetEnabled(
        RepeatEditEnabled(cb_PowtorzAkcje.Checked(), cb_PowtorzAkcje.Enabled()));
}

void TF_Alarm::amh_HelpClick() {
    const auto [text, title] = SplitHelpHint(amhHint_);
    ShowMessageBox(text, title, MB_ICONINFORMATION | MB_TOPMOST);
}

// ---------------------------------------------------------------------------------------------
// Keys and buttons

void TF_Alarm::OpenHelp() {
    ports_.OpenHelp(Hwnd());
}

void TF_Alarm::FormKeyDown(WPARAM key) {
    if (key == VK_F1)
        OpenHelp();
    if (key == VK_F10)
        ib_AboutClick();
}

bool TF_Alarm::PreTranslate(MSG& msg) {
    if (msg.hwnd != Hwnd() && !IsChild(Hwnd(), msg.hwnd))
        return false;
    const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool keyUp = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    // Shift+F10 and the context-menu key ask the focused control for its context menu, once:
    // an edit shows its own, any other passes the request up to this window. Their key-up
    // does not ask again.
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if ((keyDown || keyUp) && (msg.wParam == VK_APPS || (msg.wParam == VK_F10 && shift))) {
        if (keyDown)
            SendMessageW(msg.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(msg.hwnd), -1);
        return true;
    }
    if (keyDown) {
        const WPARAM key = msg.wParam;
        // F1 and F10 wherever the focus is, the picker's editors and the process list
        // included; a user's F10 arrives as a system key.
        if (key == VK_F1 || key == VK_F10) {
            FormKeyDown(key);
            return true;
        }
        if (msg.message == WM_KEYDOWN) {
            // Enter clicks the "Pomoc ?" link as Space does.
            if (msg.hwnd == amh_Help.Hwnd() && key == VK_RETURN) {
                amh_HelpClick();
                return true;
            }
            ClickPanel& click = p_Inne.p_Inne_Klikniecie1;
            if (click.IsCoordinateEditor(msg.hwnd) && click.PickerKeyDown(key))
                return true;
            if (msg.hwnd == p_ZabijProces.lv_Procesy && key == VK_F5) {
                FillProcessList();
                SyncView();  // the refill chose no row
                return true;
            }
        }
    }
    // The action group's caption carries the mnemonic of its list.
    if (msg.message == WM_SYSCHAR && (msg.wParam == L'z' || msg.wParam == L'Z')) {
        SetFocus(cb_Typ_Alarmu);
        return true;
    }
    return false;
}

void TF_Alarm::ib_OpcjeClick() {
    if (links_.showOptions)
        links_.showOptions();
}

void TF_Alarm::ib_AboutClick() {
    if (links_.showAbout)
        links_.showAbout();
}

void TF_Alarm::ib_KoniecClick() {
    if (alarm_ && alarm_->Armed() && !AskQuestion(T::kQuitWhileArmed))
        return;
    if (links_.closeMainWindow)
        links_.closeMainWindow();
}

void TF_Alarm::ib_MinimalizujClick() {
    Close();
}

void TF_Alarm::ib_WWWClick() {
    ports_.documents.Open(Hwnd(), std::wstring(T::kHomePage), SW_SHOWMAXIMIZED);
}

// ---------------------------------------------------------------------------------------------
// Time texts and drives

void TF_Alarm::ApplyAtTimeText(const std::wstring& text) {
    wchar_t separator[8] = L":";
    if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8))
        lstrcpyW(separator, L":");
    const std::optional<TimeFields> time = ParseAtTimeText(text, separator);
    wykonaj_o.Write(time.value_or(TimeFields{}));
    if (!time)
        ShowError(kTimeFormatError);
}

void TF_Alarm::ApplyCountdownText(const std::wstring& text) {
    const std::optional<TimeFields> time = ParseCountdownText(text);
    odlicz_w_dol.Write(time.value_or(TimeFields{}));
    if (!time)
        ShowError(kTimeFormatError);
}

void TF_Alarm::RefreshCdDriveList() {
    p_Inne.EnsureBuilt();
    // A drive the command line put into the list stays there.
    p_Inne.p_Inne_DyskCD.RefreshCdDriveList(commandLineCount_ >= 6);
}

}  // namespace klaxora::win
