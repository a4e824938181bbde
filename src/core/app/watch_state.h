#pragma once
// The armed alarm: what to watch, what to do and how often to repeat it. One per process,
// held by the main window; nothing of it is persisted.
#include <cstdint>
#include <optional>
#include <string>

#include "config/vocabulary.h"

namespace klaxora {

// How the armed trigger keeps time, fixed when the alarm is armed (ArmWatch) and kept by the
// watch loop. A tick only prompts a look at the clocks; it is never counted as a second.
struct WatchTiming {
    int64_t DueMs = 0;             // "OD", and "BI" while a loss is counted: monotonic deadline
    bool CountingLoss = false;     // "BI": the connection is missing and being timed
    int64_t LastLocalSeconds = 0;  // "UG": the wall clock (CivilSeconds) at the last look
    int64_t LastCheckMs = 0;       // monotonic time of the last look
    // Taken over from an earlier copy: "PZ" and "PO" wait until the program has been seen
    // running, "BI" until the connection has been seen up, before the state they watch counts.
    bool AwaitSeen = false;
};

struct WatchState {
    bool Armed = false;        // mirrors the enabled state of the watch timer
    std::wstring TriggerCode;  // "UG", "OD", "BI", "PU", "PO", "PZ", "PW" or empty
    bool Watches(TriggerKind kind) const { return TriggerCode == Info(kind).code; }
    int32_t AtHour = 0;
    int32_t AtMinute = 0;
    int32_t AtSecond = 0;
    int32_t SecondsLeft = 0;
    std::wstring WatchedProgramPath;
    std::wstring ActionCaption;
    std::wstring ActionParameter;
    std::wstring ActionDetail;
    int32_t RepeatSeconds = 0;

    WatchTiming Timing;
    // An action is being performed; ticks arriving meanwhile are ignored.
    bool Firing = false;
    // "Zabij proces": the executable of the process chosen at Start (its full path, or its file
    // name when the path cannot be read) and when it was started (nothing when unknown; 0 when
    // it had gone); only that process is ended. Stored only with the armed alarm's record.
    std::wstring KillImage;
    std::optional<uint64_t> KillCreated;
};

// Joins the caption and text of a message alarm (caption first) into one parameter.
inline constexpr wchar_t kMessageSeparator = L'\u00B6';

// The five start-up options, read from the registry values of the same names.
struct AppOptions {
    bool AutoMinimize = false;
    bool Wyg_Off = false;
    bool MinimizeAll = false;
    bool MinimizeProg = false;
    bool PlayBeep = false;
    int32_t SnoozeMinutes = 5;  // "Drzemka": the popup's snooze, 1..60 minutes
};

}  // namespace klaxora
