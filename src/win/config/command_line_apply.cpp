// TF_Alarm and the command line: filling the window with a reading of the command line, and
// the shortcut button, which writes the window's definition back as a shortcut's parameters.
#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "cmdline/command_line_reader.h"
#include "cmdline/shortcut_arguments.h"
#include "cmdline/shortcut_name.h"
#include "config/vocabulary.h"
#include "win/config/alarm_window.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace {

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
            cb_A_Wykonaj.Select(std::nullopt);
        else
            cb_A_Wykonaj.SelectByText(Info(s.Trigger).caption);
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
        cb_Typ_Alarmu.SelectByText(Info(*s.Action).caption);
    if (f.message)
        p_k_komunikat.SetTexts(s.MessageText, s.MessageCaption);
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
        p_Zamknij.Choose(Info(*s.ShutdownMode).caption);
        if (p_Zamknij.Changed)
            p_Zamknij.Changed();
    }
    if (f.otherAction && s.OtherAction) {
        p_Inne.Choose(Info(*s.OtherAction).caption);
        if (p_Inne.Changed)
            p_Inne.Changed();
    }
    // The sub-panels exist once their panel is built.
    if (f.cdTray || f.clickPoint || f.keyCombination)
        p_Inne.BuildAll();
    if (f.cdTray)
        p_Inne.p_Inne_DyskCD.ChooseListedOnly(s.CdDrive, s.CdTrayOperation);
    if (f.clickPoint)
        p_Inne.p_Inne_Klikniecie1.SetPoint(s.ClickX, s.ClickY);
    if (f.keyCombination) {
        p_Inne.p_Inne_Klawisz.Choose(s.KeyCombination);
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
    if (!commandLineProcess_)
        return;
    const ListView& list = p_ZabijProces.lv_Procesy;
    const std::wstring id = std::to_wstring(*commandLineProcess_);
    for (int row = 0; row < list.Count(); ++row) {
        if (list.ItemText(row, 2) == id) {  // "ID Procesu"
            list.SelectRow(row);
            return;
        }
    }
}

std::wstring TF_Alarm::KillTargetPath(const AlarmSettings& settings) const {
    if (settings.Action != ActionKind::KillProcess)
        return {};
    if (const std::optional<DWORD> process = p_ZabijProces.SelectedProcess())
        return processes_.GetProcessPath(*process);
    // The command line named a program that does not run yet: its path travels on.
    if (KillFromCommandLine() && !AllDigits(alarm_->Watch().ActionDetail))
        return alarm_->Watch().ActionDetail;
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
    if (links_.showShortcutDialog)
        links_.showShortcutDialog(ShortcutArguments(settings, killPath),
                                  ShortcutNameSuggestions(settings.Trigger, settings.Action));
}

}  // namespace klaxora::win
