// TF_Alarm and the command line: filling the window with a reading of the command line, and
// the shortcut button, which writes the window's definition back as a shortcut's parameters.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwctype>

#include "cmdline/command_line_reader.h"
#include "cmdline/shortcut_arguments.h"
#include "cmdline/shortcut_name.h"
#include "config/vocabulary.h"
#include "win/config/alarm_window.h"
#include "win/ui/controls.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace {

// Selects the item whose text is exactly `text`, letter case included; no selection when there
// is none. The key list holds "a" and "A" as different keys, which a case-blind look-up would
// confuse.
void SelectExactItem(HWND combo, const std::wstring& text) {
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    int found = -1;
    for (int i = 0; i < count && found < 0 && !text.empty(); ++i) {
        const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        if (length < 0 || static_cast<size_t>(length) != text.size())
            continue;
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(length));
        if (item == text)
            found = i;
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

bool AllDigits(std::wstring_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

}  // namespace

void TF_Alarm::ApplyCommandLine(const CommandLineReading& r) {
    const CommandLineFilled& f = r.filled;
    const AlarmSettings& s = r.settings;
    if (f.trigger) {
        // After the start of Windows has no item: the list keeps no selection, and the first
        // show leaves it so because the command line supplied entries.
        if (s.Trigger == TriggerKind::AfterWindowsStart)
            SendMessageW(cb_A_Wykonaj, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        else
            SelectItemByText(cb_A_Wykonaj, Info(s.Trigger).caption);
    }
    if (f.countdownTime)
        odlicz_w_dol.Write(s.CountdownTime);
    if (f.atTime)
        wykonaj_o.Write(s.AtTime);
    if (f.noInternetSeconds)
        brak_neta.SetSeconds(s.NoInternetSeconds);
    if (f.watchedProgram) {
        if (s.Trigger == TriggerKind::ProgramNotResponding)
            program_nie_odpowiada.SetPath(s.WatchedProgram);
        else if (s.Trigger == TriggerKind::ProgramClosed)
            program_zamkniety.SetPath(s.WatchedProgram);
        else if (s.Trigger == TriggerKind::ProgramStarted)
            program_uruch.SetPath(s.WatchedProgram);
    }
    if (f.action && s.Action)
        SelectItemByText(cb_Typ_Alarmu, Info(*s.Action).caption);
    if (f.message) {
        p_k_komunikat.EnsureBuilt();
        SetWindowTextW(p_k_komunikat.cb_Caption, s.MessageCaption.c_str());
        SetWindowTextW(p_k_komunikat.cb_Komunikat, s.MessageText.c_str());
    }
    if (f.soundFile)
        p_k_PdegrajDzwiek.SetFile(s.SoundFile);  // its change handler follows the edit
    if (f.folderPath)
        p_OtworzFolder.SetPath(s.FolderPath);
    if (f.filePath)
        p_Plik.SetPath(s.FilePath);
    if (f.programPath)
        p_UrProg.SetPath(s.ProgramPath);
    if (f.webAddress)
        p_WWW.SetAddress(s.WebAddress);
    if (f.shutdownMode && s.ShutdownMode) {
        p_Zamknij.EnsureBuilt();
        SelectItemByText(p_Zamknij.cb_ZamknijSystem, Info(*s.ShutdownMode).caption);
        if (p_Zamknij.Changed)
            p_Zamknij.Changed();
    }
    if (f.otherAction && s.OtherAction) {
        p_Inne.EnsureBuilt();
        SelectItemByText(p_Inne.cb_InneOpcje, Info(*s.OtherAction).caption);
        if (p_Inne.Changed)
            p_Inne.Changed();
    }
    if (f.cdTray) {
        CdPanel& cd = p_Inne.p_Inne_DyskCD;
        cd.EnsureBuilt();
        SendMessageW(cd.cb_Inne_DyskCD, CB_RESETCONTENT, 0, 0);
        SendMessageW(cd.cb_Inne_DyskCD, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(s.CdDrive.c_str()));
        SendMessageW(cd.cb_Inne_DyskCD, CB_SETCURSEL, 0, 0);
        SelectItemByText(cd.cd_Inne_DyskCD_WsWy, s.CdTrayOperation);
    }
    if (f.clickPoint) {
        ClickPanel& click = p_Inne.p_Inne_Klikniecie1;
        click.EnsureBuilt();
        click.se_Inne_X_DC.SetValue(s.ClickX);
        click.se_Inne_Y_DC.SetValue(s.ClickY);
    }
    if (f.keyCombination) {
        p_Inne.p_Inne_Klawisz.EnsureBuilt();
        SelectExactItem(p_Inne.p_Inne_Klawisz.cb_Klawisze, s.KeyCombination);
        cb_KlawiszeChange();
    }
    if (f.trigger)
        cb_A_WykonajChange();
    // The kill action's change handler fills the process list, so the row is chosen after it
    // (and again after the first show's refill).
    if (f.action)
        cb_Typ_AlarmuChange();
    commandLineProcess_ = r.selectProcess;
    commandLineKill_ = f.action && s.Action == ActionKind::KillProcess;
    commandLineTrigger_ = f.trigger;
    SelectCommandLineProcess();
}

void TF_Alarm::SelectCommandLineProcess() {
    if (!commandLineProcess_ || !p_ZabijProces.lv_Procesy)
        return;
    const HWND list = p_ZabijProces.lv_Procesy;
    const std::wstring id = std::to_wstring(*commandLineProcess_);
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        wchar_t text[32] = {};
        ListView_GetItemText(list, row, 2, text, 32);  // "ID Procesu"
        if (id == text) {
            const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
            ListView_SetItemState(list, row, state, state);
            ListView_EnsureVisible(list, row, FALSE);
            return;
        }
    }
}

std::wstring TF_Alarm::KillTargetPath(const AlarmSettings& settings) const {
    if (settings.Action != ActionKind::KillProcess)
        return {};
    if (const std::optional<DWORD> process = p_ZabijProces.SelectedProcess())
        return ProcessPath ? ProcessPath(*process) : std::wstring();
    // The command line named a program that does not run yet: its path travels on.
    if (KillFromCommandLine() && !AllDigits(watch_->ActionDetail))
        return watch_->ActionDetail;
    return {};
}

std::wstring TF_Alarm::DefinitionArguments() const {
    const AlarmSettings settings = ReadSettings();
    return ShortcutArguments(settings, KillTargetPath(settings));
}

void TF_Alarm::ib_SkrotClick() {
    const AlarmSettings settings = ReadSettings();
    const std::wstring killPath = KillTargetPath(settings);
    if (const std::optional<std::wstring> why = ShortcutRefusal(settings, killPath)) {
        ShowError(*why);
        return;
    }
    if (ShowShortcutDialog)
        ShowShortcutDialog(ShortcutArguments(settings, killPath),
                           ShortcutNameSuggestions(settings.Trigger, settings.Action));
}

}  // namespace klaxora::win
