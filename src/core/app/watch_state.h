#pragma once
// The armed alarm: what to watch, what to do and how often to repeat it. One per process,
// held by the main window; nothing of it is persisted.
#include <cstdint>
#include <string>

namespace klaxora {

struct WatchState {
    bool Armed = false;           // mirrors the enabled state of the watch timer
    std::wstring TriggerCode;     // "UG", "OD", "BI", "PU", "PO", "PZ", "PW" or empty
    int32_t AtHour = 0;
    int32_t AtMinute = 0;
    int32_t AtSecond = 0;
    int32_t SecondsLeft = 0;
    std::wstring WatchedProgramPath;
    std::wstring ActionCaption;
    std::wstring ActionParameter;
    std::wstring ActionDetail;
    int32_t RepeatSeconds = 0;
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
};

}  // namespace klaxora
