#pragma once
// Reading an alarm definition from the command line (CommandLineList). The reading decides
// everything and returns it as data: which controls of the configuration window get which
// values, the armed-state fields it sets, the messages to show in order, and the list as it is
// left. The window applies the answer; nothing here arms an alarm.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/watch_state.h"
#include "config/alarm_settings.h"
#include "ports/file_system.h"
#include "ports/processes.h"

namespace klaxora {

enum class MessageIcon {
    Error,    // MB_ICONERROR
    Warning,  // MB_ICONEXCLAMATION
};

struct CommandLineMessage {
    std::wstring text;
    std::wstring title;
    MessageIcon icon = MessageIcon::Error;
    bool operator==(const CommandLineMessage&) const = default;
};

// The controls the reading filled; only these are applied, everything else keeps what the
// window holds. The values are in CommandLineReading::settings.
struct CommandLineFilled {
    // cb_A_Wykonaj: select settings.Trigger. AfterWindowsStart (the code PW) means the list
    // keeps no selection, and the first show must not replace it with its default.
    bool trigger = false;
    bool countdownTime = false;      // se_ur_po_czasie_godz, _min, _sec
    bool atTime = false;             // se_ur_o_godz_godz, _min, _sec
    bool noInternetSeconds = false;  // se_BrakNeta
    bool watchedProgram = false;     // the path editor of settings.Trigger
    bool action = false;             // cb_Typ_Alarmu
    bool message = false;            // cb_Caption and cb_Komunikat
    bool soundFile = false;          // fne_PlikWAV
    bool folderPath = false;         // de_Foldery
    bool filePath = false;           // fne_Plik
    bool programPath = false;        // fne_PlikEXE
    bool webAddress = false;         // e_WWW
    bool shutdownMode = false;       // cb_ZamknijSystem
    bool otherAction = false;        // cb_InneOpcje
    // cb_Inne_DyskCD holds the drive letter as its only item, selected; cd_Inne_DyskCD_WsWy
    // selects settings.CdTrayOperation.
    bool cdTray = false;
    bool clickPoint = false;  // se_Inne_X_DC, se_Inne_Y_DC
    // cb_Klawisze selects settings.KeyCombination; empty: no selection.
    bool keyCombination = false;
};

// What the reading asks of the system.
struct CommandLineEnvironment {
    const FileSystemPort& files;
    ProcessWatchPort& processes;
    // Whether the drive of this letter ("A".."Z") is a CD drive.
    std::function<bool(wchar_t driveLetter)> isCdDrive;
};

struct CommandLineReading {
    // CommandLineList after the reading: each consumed entry is emptied; a kill of a missing
    // file removes entry 0. Other parts look only at its count.
    std::vector<std::wstring> list;
    AlarmSettings settings;
    CommandLineFilled filled;
    // The armed state as the reading leaves it (Armed, WatchedProgramPath and RepeatSeconds
    // untouched).
    WatchState watch;
    // Refresh the process list and select the first row of this process.
    std::optional<ProcessId> selectProcess;
    // To be shown in this order; the reading has already stopped where the last error says.
    std::vector<CommandLineMessage> messages;
};

// Reads `list` (CommandLineList). An empty list is returned as it is and nothing happens.
CommandLineReading ReadCommandLine(std::vector<std::wstring> list, const WatchState& watch,
                                   const CommandLineEnvironment& environment);

// One time parameter of the count-down ("OD"), time-of-day ("UG") or no-Internet ("BI")
// trigger: seconds alone, hours:minutes, or hours:minutes:seconds. Fills the trigger's editors
// and the armed time fields in `reading`, adds its messages; false stops the reading.
bool ParseTimeParameter(std::wstring_view text, TriggerKind trigger, CommandLineReading& reading);

}  // namespace klaxora
