// TF_Alarm's Start and Stop. The core decides what is checked, written and armed
// (config/start_alarm); the window reads its controls, asks the user, and applies the answers.
#include "actions/kill_guard.h"
#include "app/startup.h"
#include "config/click_point.h"
#include "config/vocabulary.h"
#include "win/config/alarm_layout.h"
#include "win/config/alarm_window.h"
#include "win/sys/monitors_win.h"
#include "win/ui/message_box.h"

namespace klaxora::win {

namespace L = alarm_layout;

namespace {

void Add(std::vector<HWND>& to, std::initializer_list<HWND> controls) {
    for (HWND c : controls) {
        if (c)
            to.push_back(c);
    }
}

void Add(std::vector<HWND>& to, const SpinEdit& spin) {
    Add(to, {spin.Edit(), spin.UpDown()});
}

void SetAllEnabled(const std::vector<HWND>& controls, bool enabled) {
    for (HWND c : controls)
        Control(c).SetEnabled(enabled);
}

}  // namespace

StartInput TF_Alarm::ReadStartInput() const {
    StartInput in;
    in.settings = ReadSettings();
    in.programs = {program_uruch.Path(), program_nie_odpowiada.Path(), program_zamkniety.Path()};
    in.repeatBoxEnabled = cb_PowtorzAkcje.Enabled();
    in.repeatEditEnabled = e_CzasPowtorki.Enabled();
    return in;
}

std::vector<HWND> TF_Alarm::TriggerControls(TriggerKind trigger) const {
    std::vector<HWND> c;
    const auto timePage = [&c](const TimePage& page) {
        Add(c, page.Hours);
        Add(c, page.Minutes);
        Add(c, page.Seconds);
        Add(c, {page.Colons, page.Recent, page.Caption, page.Wizard, page.Format});
    };
    const auto programPage = [&c](const ProgramPage& page) {
        Add(c, {page.Caption, page.Note, page.Editor.edit, page.Editor.browse});
    };
    switch (trigger) {
        case TriggerKind::Countdown:
            timePage(odlicz_w_dol);
            break;
        case TriggerKind::AtTime:
            timePage(wykonaj_o);
            break;
        case TriggerKind::NoInternet:
            Add(c, brak_neta.se_BrakNeta);
            Add(c, {brak_neta.l_BrakPolaczenia, brak_neta.l_Sekundy, brak_neta.l_PoKonwersji});
            break;
        case TriggerKind::ProgramNotResponding:
            programPage(program_nie_odpowiada);
            break;
        case TriggerKind::ProgramStarted:
            programPage(program_uruch);
            break;
        case TriggerKind::ProgramClosed:
            programPage(program_zamkniety);
            break;
        case TriggerKind::AfterWindowsStart:
            Add(c, {wykonaj_win.l_PoStarcie});
            break;
    }
    return c;
}

std::vector<HWND> TF_Alarm::ActionControls(const ActionEditors& e) const {
    std::vector<HWND> c;
    if (!e.action)
        return c;
    const auto pathPanel = [&c](const PathPanel& p) {
        Add(c, {p.Label, p.Editor.edit, p.Editor.browse, p.Recent});
    };
    switch (*e.action) {
        case ActionKind::DefaultWindow:
            break;
        case ActionKind::Message: {
            const MessagePanel& p = p_k_komunikat;
            Add(c, {p.l_Tresc, p.cb_Komunikat, p.l_Tytul, p.cb_Caption});
            break;
        }
        case ActionKind::PlaySound: {
            const SoundActionPanel& p = p_k_PdegrajDzwiek;
            Add(c, {p.l_Dzwiek, p.fne_PlikWAV.edit, p.fne_PlikWAV.browse, p.sb_ListaPlikowWAV,
                    p.l_Czas, p.LabelCzas, p.Play, p.Pause, p.Stop, p.LoopCheckBox});
            break;
        }
        case ActionKind::ShutDown:
            Add(c, {p_Zamknij.l_Opcja, p_Zamknij.cb_ZamknijSystem});
            break;
        case ActionKind::RunProgram:
            pathPanel(p_UrProg);
            break;
        case ActionKind::OpenFile:
            pathPanel(p_Plik);
            break;
        case ActionKind::OpenFolder:
            pathPanel(p_OtworzFolder);
            break;
        case ActionKind::OpenWebPage:
            Add(c, {p_WWW.l_AdresWWW, p_WWW.e_WWW, p_WWW.sb_ListaWWW});
            break;
        case ActionKind::Other:
            Add(c, {p_Inne.l_Mozliwosci, p_Inne.cb_InneOpcje});
            break;
        case ActionKind::KillProcess:
            Add(c, {p_ZabijProces.lv_Procesy});
            break;
    }
    if (e.subAction == OtherActionKind::SingleClick ||
        e.subAction == OtherActionKind::DoubleClick) {
        const ClickPanel& p = p_Inne.p_Inne_Klikniecie1;
        Add(c, {p.l_Wspolrzedne, p.l_X, p.l_Y, p.sb_WskazPunkt});
        Add(c, p.se_Inne_X_DC);
        Add(c, p.se_Inne_Y_DC);
    } else if (e.subAction == OtherActionKind::PressKeys) {
        Add(c, {p_Inne.p_Inne_Klawisz.l_Klawisz, p_Inne.p_Inne_Klawisz.cb_Klawisze});
    } else if (e.subAction == OtherActionKind::CdTray) {
        const CdPanel& p = p_Inne.p_Inne_DyskCD;
        Add(c, {p.l_Dysk, p.l_LiteraDysku, p.l_Operacja, p.cb_Inne_DyskCD, p.cd_Inne_DyskCD_WsWy});
    }
    if (e.preview)
        Add(c, {cb_Podglad});
    return c;
}

void TF_Alarm::ParkStop() {
    // ib_Start shows again and takes the focus from Stop, which would keep it outside the
    // window; then Stop goes off the window, out of Tab's reach.
    ib_Start.SetVisible(true);
    if (GetFocus() == ib_Stop.Hwnd()) {
        const HWND next =
            IsWindowEnabled(ib_Start) ? ib_Start.Hwnd() : GetNextDlgTabItem(Hwnd(), ib_Stop, FALSE);
        SetFocus(next);
    }
    SetWindowPos(ib_Stop, nullptr, Scaled(L::kParkedStop.x), Scaled(L::kParkedStop.y), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowLongPtrW(ib_Stop, GWL_STYLE, GetWindowLongPtrW(ib_Stop, GWL_STYLE) & ~WS_TABSTOP);
    hints_.SetText(ib_Minimalizuj, std::wstring(start_texts::kMinimizeIdle));
}

void TF_Alarm::ib_StartClick() {
    if (!alarm_)
        return;  // nothing to arm
    const StartInput in = ReadStartInput();
    if (const std::optional<std::wstring> refusal =
            ClickPointRefusal(in.settings, AttachedMonitors())) {
        ShowError(*refusal);
        return;
    }
    const StartPrompt prompt = CheckStart(in.settings, processes_, kApplicationTitle);
    if (prompt.kind == StartPrompt::Kind::Error) {
        ShowError(prompt.text);
        return;
    }
    if (prompt.kind == StartPrompt::Kind::Question && !AskQuestion(prompt.text))
        return;
    const StartPlan plan = PlanStart(in, alarm_->Watch());
    if (const std::optional<std::wstring> refusal = RefuseUnstorable(plan.writes)) {
        ShowError(*refusal);
        return;
    }

    if (const std::optional<std::wstring> error = ApplyRegistryWrites(registry_, plan.writes)) {
        ShowStandardError(*error);  // nothing is armed; the window stays as it was
        return;
    }
    LockForArmed();

    if (plan.repeatError) {
        ShowError(*plan.repeatError);
        cb_PowtorzAkcje.SetChecked(false);
        e_CzasPowtorki.SetText(L"");
    }
    WatchState watch = plan.watch;
    if (in.settings.Action == ActionKind::KillProcess && p_ZabijProces.SelectedProcess()) {
        // Only the row's process, while it still runs, is ended when the alarm fires.
        const KillTarget target = ReadKillTarget(processControl_, *p_ZabijProces.SelectedProcess(),
                                                 in.settings.ProcessName);
        watch.KillImage = target.image;
        watch.KillCreated = target.created;
    }
    // Armed with the definition as the controls hold it now; a failure unlocks the window again
    // (AlarmChanged) and reaches the error box.
    alarm_->Arm(watch, DefinitionArguments());
    Hide();
}

void TF_Alarm::AlarmChanged(const WatchState& watch) {
    // The armed window says when the alarm will come, as the icon's tip does.
    const std::wstring moment = alarm_ && watch.Armed ? alarm_->MomentText() : std::wstring();
    const RECT line =
        skin_.SetStatus(moment.empty() ? moment : std::wstring(start_texts::kArmedFor) + moment);
    InvalidateRect(Hwnd(), &line, FALSE);
    if (watch.Armed && !lockedForArmed_)
        LockForArmed();  // armed from elsewhere than Start: a take-over, a snooze
    else if (!watch.Armed && lockedForArmed_)
        EndAlarm();
}

void TF_Alarm::LockForArmed() {
    lockedForArmed_ = true;
    // ib_Stop takes ib_Start's place. ib_Start is hidden under it, so neither the mouse nor
    // the keyboard can start a second time while armed.
    RECT start;
    GetWindowRect(ib_Start, &start);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&start), 2);
    SetWindowPos(ib_Stop, nullptr, start.left, start.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowLongPtrW(ib_Stop, GWL_STYLE, GetWindowLongPtrW(ib_Stop, GWL_STYLE) | WS_TABSTOP);
    ib_Start.SetVisible(false);

    const ActionEditors editors = EditorsOf(cb_Typ_Alarmu.SelectedText(), p_Inne.Operation());
    SetAllEnabled(ActionControls(editors), false);
    if (editors.action == ActionKind::PlaySound)
        player_.SetLocked(true);  // a preview that plays is stopped

    hints_.SetText(ib_Minimalizuj, std::wstring(start_texts::kMinimizeArmed));
    std::vector<HWND> triggerSide{cb_Typ_Alarmu,  cb_A_Wykonaj,       cb_PowtorzAkcje,
                                  e_CzasPowtorki, nb_Zakladki.Hwnd(), l_Wyzwalacz};
    for (const TriggerInfo& t : Triggers()) {  // every trigger's editors, by the vocabulary
        const std::vector<HWND> page = TriggerControls(t.kind);
        triggerSide.insert(triggerSide.end(), page.begin(), page.end());
    }
    SetAllEnabled(triggerSide, false);
}

void TF_Alarm::ShowArmed(int32_t repeatSeconds) {
    // The restore of the first show runs now, so that showing the window later changes nothing
    // of what is armed.
    if (!FirstShowDone && created_)
        FirstShow();
    cb_PowtorzAkcje.SetChecked(repeatSeconds > 0);
    e_CzasPowtorki.SetText(repeatSeconds > 0 ? std::to_wstring(repeatSeconds) : L"");
    SyncView();
    LockForArmed();
}

void TF_Alarm::ib_StopClick() {
    // The user's Stop also silences what the alarm is still playing; a preview is left alone.
    ports_.alarmSound.SilenceAlarm();
    if (alarm_ && alarm_->Armed())
        alarm_->Stop();  // which unlocks the window (AlarmChanged)
    else
        EndAlarm();
}

void TF_Alarm::EndAlarm() {
    lockedForArmed_ = false;
    cb_A_Wykonaj.SetEnabled(true);
    nb_Zakladki.Enable(true);
    const StopDecision d =
        DecideStop(cb_A_Wykonaj.SelectedText(), cb_Typ_Alarmu.SelectedText(), p_Inne.Operation());
    if (d.repeatBoxEnabled)
        cb_PowtorzAkcje.SetEnabled(true);
    cb_PowtorzAkcjeClick();
    cb_Typ_Alarmu.SetEnabled(true);
    l_Wyzwalacz.SetEnabled(true);
    if (d.triggerEditors)
        SetAllEnabled(TriggerControls(*d.triggerEditors), true);
    if (d.enableStart) {
        SetStartEnabled(true, {});
        ib_Skrot.SetEnabled(ib_Start.Enabled());
    }
    SetAllEnabled(ActionControls(d.actionEditors), true);
    if (d.actionEditors.action == ActionKind::PlaySound)
        player_.SetLocked(false);
    ParkStop();
}

}  // namespace klaxora::win
