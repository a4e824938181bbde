#pragma once
// Starting and stopping an alarm as decisions: the checks and questions before a start, what a
// start writes to the registry and in which order, the armed state it fills, the repeat
// interval, and which editors a start locks and a stop unlocks. The configuration window reads
// its controls, asks here, and applies the answers.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/watch_state.h"
#include "config/alarm_settings.h"
#include "ports/processes.h"
#include "ports/registry.h"

namespace klaxora {

// The texts of the three program trigger editors. Only the current trigger's one is the
// definition's watched program, but a start stores all three.
struct ProgramEditors {
    std::wstring started;        // e_UruchomionyProgram
    std::wstring notResponding;  // e_ZawieszonyProgram
    std::wstring closed;         // e_ProgramZamkniety
    // The editor of a program trigger; empty for every other trigger.
    const std::wstring& For(TriggerKind trigger) const;
    bool operator==(const ProgramEditors&) const = default;
};

// Names of the values the last definition is kept under.
namespace settings {
inline constexpr std::wstring_view kLastRun = L"LastRun";
inline constexpr std::wstring_view kRepeat = L"Repeat";
inline constexpr std::wstring_view kRepeatTime = L"Repeat_Time";
inline constexpr std::wstring_view kLastAction = L"LastAction";
inline constexpr std::wstring_view kBrakNeta = L"BrakNeta";
inline constexpr std::wstring_view kAppRun = L"AppRun";
// The stored name keeps its historical spelling; earlier versions' values must still be found.
inline constexpr std::wstring_view kAppRespondig = L"AppRespondig";
inline constexpr std::wstring_view kAppClosed = L"AppClosed";
inline constexpr std::wstring_view kReboot = L"cb_Reboot";
inline constexpr std::wstring_view kInne = L"cb_Inne";
inline constexpr std::wstring_view kProcesName = L"ProcesName";

// The subkey with the details of the last "Other" sub-action, and its values.
inline constexpr std::wstring_view kInneMru = L"Inne_MRU";
inline constexpr std::wstring_view kXDoubleClick = L"x_DoubleClick";
inline constexpr std::wstring_view kYDoubleClick = L"y_DoubleClick";
inline constexpr std::wstring_view kXSingleClick = L"x_SingleClick";
inline constexpr std::wstring_view kYSingleClick = L"y_SingleClick";
inline constexpr std::wstring_view kKlawisz = L"Klawisz";
inline constexpr std::wstring_view kDyskCd = L"Dysk_CD";
inline constexpr std::wstring_view kDyskCdWsWy = L"Dysk_CD_Ws-Wy";
}  // namespace settings

// The "Inne_MRU" key's full path under the current user.
std::wstring InneMruKey();

namespace start_texts {
inline constexpr std::wstring_view kCountdownZero = L"Odliczany czas musi być większy od 0";
inline constexpr std::wstring_view kBadRepeat =
    L"Wpisany czas powtórki ma niepoprawny format tzn. nie jest liczbą całkowitą !!!\r\r"
    L"Został ustawiony domyślny czas powtórki równy 0 czyli brak powtórki !!!";
inline constexpr std::wstring_view kTooLong =
    L"Wpisany tekst jest za długi, aby można go było zapamiętać (najwyżej 16383 znaki) !!!\r\r"
    L"Skróć go i spróbuj ponownie.";
// ib_Minimalizuj's hint while armed and while idle.
inline constexpr std::wstring_view kMinimizeArmed = L"Minimalizuj do traya - zasobnika";
// Before the armed alarm's moment at the bottom of the armed window: "Alarm jutro o 07:00:00".
inline constexpr std::wstring_view kArmedFor = L"Alarm ";
inline constexpr std::wstring_view kMinimizeIdle =
    L"Minimalizuj do traya - zasobnika (ale nie odliczaj)";
}  // namespace start_texts

// What a start asks the user before anything is changed.
struct StartPrompt {
    enum class Kind {
        None,      // nothing to ask: go on
        Error,     // "BŁĄD !!!", MB_ICONERROR: the start is aborted
        Question,  // "UWAGA !!!", MB_YESNO | MB_ICONEXCLAMATION: No aborts the start
    };
    Kind kind = Kind::None;
    std::wstring text;
};

// The checks of a start: first a key Windows keeps for itself (refused), then by trigger: a
// count-down of 0, a started-program trigger whose program already runs, a not-responding
// trigger whose program hangs or does not run, a closed-program trigger whose program does not
// run. `appTitle` is named in the questions.
StartPrompt CheckStart(const AlarmSettings& settings, ProcessWatchPort& processes,
                       std::wstring_view appTitle);

// One registry write of a start, executed by ApplyRegistryWrites.
struct RegistryWrite {
    enum class Kind {
        String,  // REG_SZ `text` as value `name` of key `key`
        Dword,   // REG_DWORD `number` as value `name` of key `key`
        Push,    // `text` pushed onto the recent list whose subkey is `key`
    };
    Kind kind = Kind::String;
    std::wstring key;
    std::wstring name;
    std::wstring text;
    uint32_t number = 0;
    bool operator==(const RegistryWrite&) const = default;
};

// Everything a start reads that is not the definition itself.
struct StartInput {
    AlarmSettings settings;  // WatchedProgram: the editor of the current trigger
    ProgramEditors programs;
    bool repeatBoxEnabled = false;   // cb_PowtorzAkcje
    bool repeatEditEnabled = false;  // e_CzasPowtorki
};

// A start once its checks have passed.
struct StartPlan {
    std::vector<RegistryWrite> writes;  // in their order
    // Every field but Armed, which the window sets last, when the writes have succeeded.
    WatchState watch;
    // The interval did not convert: the window shows this error, unticks cb_PowtorzAkcje and
    // empties e_CzasPowtorki, and the start goes on without repetition.
    std::optional<std::wstring> repeatError;
};

// `current` is the armed state as it is now; the watched program's path is kept from it for
// triggers without a program.
StartPlan PlanStart(const StartInput& input, const WatchState& current);

// The trigger set-up and the action set-up of a start (parts of PlanStart).
void FillTrigger(const AlarmSettings& settings, WatchState& watch);
void FillAction(const AlarmSettings& settings, WatchState& watch);
// The repeat interval: 0 unless the box is ticked and enabled and the edit is enabled and not
// empty; then the edit's text as a whole number of seconds. Nothing when it does not convert
// (a negative number included: it would re-arm a count-down that never ends).
std::optional<int32_t> RepeatSecondsOf(const StartInput& input);

// kTooLong when a write could not be stored (a recent entry longer than a value name may be),
// so the start is refused before anything is written.
std::optional<std::wstring> RefuseUnstorable(std::span<const RegistryWrite> writes);

// Executes the writes in order through the port; consecutive values of one key share one open
// key, pushes go through RecentList. The first failure ends the writing and its text is
// returned (the start must then not arm); nothing when every write succeeded.
std::optional<std::wstring> ApplyRegistryWrites(RegistryPort& registry,
                                                std::span<const RegistryWrite> writes);

// The editors a start locks for the chosen action and a stop unlocks again.
struct ActionEditors {
    std::optional<ActionKind> action;  // the action matched exactly by the list's text
    // For "Other": the chosen sub-action when it has controls of its own (the click point,
    // the key, the CD tray); their controls go with the action's.
    std::optional<OtherActionKind> subAction;
    bool preview = false;  // cb_Podglad is one of them
};
ActionEditors EditorsOf(std::wstring_view actionText, std::wstring_view otherText);

// What a stop re-enables beyond cb_A_Wykonaj, nb_Zakladki, cb_Typ_Alarmu and the trigger's caption.
struct StopDecision {
    // cb_PowtorzAkcje, unless the action shuts down or shows the default window; the box's
    // own click handler then sets e_CzasPowtorki from it.
    bool repeatBoxEnabled = false;
    // The editors of the current trigger; none for a text that is no trigger's caption.
    std::optional<TriggerKind> triggerEditors;
    // No trigger chosen: ib_Start is enabled and ib_Skrot follows it.
    bool enableStart = false;
    ActionEditors actionEditors;
};
StopDecision DecideStop(std::wstring_view triggerText, std::wstring_view actionText,
                        std::wstring_view otherText);

}  // namespace klaxora
