#pragma once
// One alarm definition as plain data, read out of the configuration window, and the rules
// that decide whether it is complete enough to be started.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/time_text.h"
#include "config/vocabulary.h"
#include "ports/file_system.h"

namespace klaxora {

struct AlarmSettings {
    // An empty trigger selection stands for AfterWindowsStart.
    TriggerKind Trigger = TriggerKind::AfterWindowsStart;
    TimeFields CountdownTime;
    TimeFields AtTime;
    int64_t NoInternetSeconds = 0;
    std::wstring WatchedProgram;  // the path of the current program trigger's editor

    std::optional<ActionKind> Action;
    std::wstring MessageText;
    std::wstring MessageCaption;
    std::wstring SoundFile;
    bool SoundLoop = false;
    std::optional<ShutdownKind> ShutdownMode;
    std::wstring ProgramPath;
    std::wstring FilePath;
    std::wstring FolderPath;
    std::wstring WebAddress;
    std::optional<OtherActionKind> OtherAction;
    std::wstring KeyCombination;
    std::wstring CdDrive;
    std::wstring CdTrayOperation;
    int32_t ClickX = 0;
    int32_t ClickY = 0;
    // A process row is selected, or the command line set up a kill of a running process.
    bool ProcessChosen = false;
    // The selected process row's file name and "ID Procesu" text; both empty without a row.
    std::wstring ProcessName;
    std::wstring ProcessIdText;

    bool RepeatEnabled = false;
    std::wstring RepeatSecondsText = L"60";
};

// The trigger lets the definition start.
bool TriggerComplete(const AlarmSettings& settings, const FileSystemPort& files);

enum class ActionVerdict {
    Complete,   // the action lets the definition start
    Veto,       // the action forbids the start
    WrongType,  // an existing file of the wrong type: reported, neither completes nor vetoes
};

// The action's verdict. For a sound, `soundOpens` tells whether the media player opened it.
ActionVerdict CheckAction(const AlarmSettings& settings, const FileSystemPort& files,
                          bool soundOpens = true);

// The notice for an existing sound file of a type the player does not take.
inline constexpr std::wstring_view kWrongSoundFormat =
    L"Wybrany format pliku jest niepoprawny.\rWybierz inny plik lub upewnij się, czy wybrany "
    L"plik ma rozszerzenie typu WAV lub MP3";

// Whether a file name's extension (upper-cased) is one the sound player takes.
bool IsSoundExtension(std::wstring_view path);
// The extension from the last dot on, or empty.
std::wstring FileExtension(std::wstring_view path);

// A web address the action opens: it contains "www.", "http://" or "https://" (letter case
// significant), anywhere. The window's start rule and the command line use this one rule, so
// every address that can be started also comes back from its shortcut.
bool IsWebActionAddress(std::wstring_view address);

// Repetition is offered for a selected trigger and an action other than the default window
// and shutting down.
bool RepeatOffered(const AlarmSettings& settings);

}  // namespace klaxora
