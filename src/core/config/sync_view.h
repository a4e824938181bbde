#pragma once
// What the configuration window shows for the definition held in its controls: the notebook
// page of the trigger, the panel of the action, which of the start, shortcut, preview and
// repeat controls are enabled, and which message (if any) the user is shown. The window reads
// its controls into AlarmSettings, asks here and applies the answer.
#include <optional>
#include <string>
#include <string_view>

#include "actions/sound_player.h"
#include "config/alarm_settings.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "ports/file_system.h"
#include "util/list_width.h"

namespace klaxora {

// What the window knows besides the definition itself.
struct SyncViewState {
    // Until the first show has restored the last alarm, the synchroniser changes nothing.
    bool firstShowDone = false;
    // The click-point picker runs (its instruction label is shown).
    bool pickerRunning = false;
};

// What the sound branch asks of the sound panel's player.
enum class SoundStep {
    None,               // the action is not the sound
    ReportWrongFormat,  // an existing file of another type: no start; the player tells whether
                        // to say so
    Load,               // an existing sound file: load it
    Clear,              // no name or no such file: "(brak pliku)", stop, disable the transport
};

// What the player answered to the sound branch's request.
enum class SoundOutcome {
    NotAsked,
    Loaded,               // the sound was loaded
    NoFile,               // the player found no file to load
    Failed,               // the player could not open the file (its error is shown by the window)
    WrongFormat,          // a file of another type was chosen: it is said so
    WrongFormatReported,  // the same file stays chosen: said already
};
SoundOutcome SoundOutcomeOf(SoundFileChange change);

struct SyncViewDecision {
    bool run = false;  // false: the window is still being filled, nothing changes

    TriggerKind page = TriggerKind::Countdown;  // the notebook page: the trigger's own
    bool triggerVerdict = false;

    std::optional<ActionKind> action;  // the action matched by its caption
    std::optional<ActionKind> panel;   // the one visible action panel: the action's own, or none

    bool podgladVisible = true;
    bool podgladEnabled = false;
    bool startEnabled = false;
    // While start is off: the first field the user must fill or mend, in the window's order
    // (trigger, then action); empty while start is on.
    std::wstring_view startReason;

    SoundStep sound = SoundStep::None;
    bool transportEnabled = false;  // Play, Pause, Stop and LoopCheckBox, for the sound

    // The action "Other".
    OtherSubPanel subPanel = OtherSubPanel::None;  // visible sub-panel of p_Inne
    // "Pomoc ?" explains a sub-action of "Other"; it is hidden for every other action too, so
    // it never explains an action that is no longer chosen.
    bool amhHelpVisible = false;
    std::optional<std::wstring> amhHint;  // set: the new hint of amh_Help
    bool label3Visible = false;

    // A message for the program's plain message box; empty: none.
    std::wstring message;

    // The final part; unset when the synchronisation stopped before it (a sound the player
    // could not open), so these controls keep their states.
    std::optional<bool> skrotEnabled;
    std::optional<bool> repeatBoxEnabled;
    std::optional<bool> repeatEditEnabled;
};

// What the window does before it reads its controls, for a sub-action with fields of its own:
// the CD drive list is refreshed, and the fields are restored (key name, click point, drive
// and operation), so the synchroniser judges the refreshed and restored values.
struct SubActionPreparation {
    bool refreshCdDrives = false;
    std::optional<OtherActionKind> restore;
};
SubActionPreparation PrepareSubAction(const AlarmSettings& settings);

// The sound branch's request to the player, decided before the player is asked.
SoundStep SoundStepFor(const AlarmSettings& settings, const FileSystemPort& files);

// The whole decision. `sound` is the player's answer to SoundStepFor's request (NotAsked when
// there was none).
SyncViewDecision DecideSyncView(const AlarmSettings& settings, const SyncViewState& state,
                                const FileSystemPort& files,
                                SoundOutcome sound = SoundOutcome::NotAsked);

// The enabled states a change handler applies between synchronisations (a countdown field, the
// key or CD lists, a process row): the synchroniser's own verdict, with the player's present
// answer for a sound, so no handler can enable a start the synchroniser would refuse.
struct StartVerdict {
    bool start = false;
    bool preview = false;
    std::wstring_view reason;  // as SyncViewDecision::startReason
};
StartVerdict DecideStart(const AlarmSettings& settings, const FileSystemPort& files,
                         bool soundLoaded);
// The repeat edit follows the check box.
bool RepeatEditEnabled(bool checked, bool boxEnabled);
// The clock line in the trigger group's caption.
std::wstring ClockLine(std::wstring_view longTime);
// The no-Internet label under its spin edit.
std::wstring NoInternetLabel(int64_t seconds);
// The picker's report of the chosen point.
std::wstring PickedPointText(int64_t x, int64_t y);
// amh_Help's hint split at its first "|": the text, then the title.
std::pair<std::wstring, std::wstring> SplitHelpHint(std::wstring_view hint);

namespace texts {
inline constexpr std::wstring_view kWrongProgramFormat =
    L"Wybrany format pliku jest niepoprawny.\rWybierz inny plik lub upewnij się, czy wybrany "
    L"plik ma rozszerzenie typu EXE";
inline constexpr std::wstring_view kHelpMaxVolume =
    L"Program zwiększa maksymalnie głośność sterownika głosu dla wyjścia Wave/MP3, dla tego "
    L"jeżeli chcesz użyć tej funkcji kanał główny (\"Play Control\" lub \"Regulacja "
    L"odtwarzania\") zwiększ maksymalnie a Wave/MP3 znajdujący się obok niego ścisz tyle ile Ci "
    L"potrzeba, ale pamiętaj aby zostawić coś do podgłośnienia ponieważ nie będzie nożna "
    L"podgłośnić czegoś co już jest maksymalnie podgłośnione a skręcone np. na głośnikach.|";
inline constexpr std::wstring_view kHelpMinimizeAll =
    L"Działa tak jak opcja Pokaż pulpit znajdująca się na pasku Szybkiego uruchomiania|";
inline constexpr std::wstring_view kHelpBlockKeyboard =
    L"Jak sama nazwa wskazuje opcja zawiesza działanie klawiatury, która będzie odblokowana "
    L"dopiero po zamknięciu programu lub ponownym uruchomieniu komputera. Ctrl+Alt+Delete działa "
    L"nadal.|";
inline constexpr std::wstring_view kHelpBlockMouse =
    L"Jak sama nazwa wskazuje opcja zawiesza działanie myszy, która będzie odblokowana dopiero "
    L"po zamknięciu programu lub ponownym uruchomieniu komputera. Ctrl+Alt+Delete działa "
    L"nadal.|";
inline constexpr std::wstring_view kHelpBlockBoth =
    L"Jak sama nazwa wskazuje opcja zawiesza działanie myszy i klawiatury, które będą "
    L"odblokowane dopiero po zamknięciu programu lub ponownym uruchomieniu komputera. "
    L"Ctrl+Alt+Delete działa nadal.|";
// Why start is off, one per rule.
inline constexpr std::wstring_view kWhyCountdownZero = L"Podaj czas odliczania dłuższy od zera.";
inline constexpr std::wstring_view kWhyWatchedPath = L"Podaj ścieżkę do obserwowanego programu.";
inline constexpr std::wstring_view kWhyWatchedMissing = L"Obserwowany program nie istnieje.";
inline constexpr std::wstring_view kWhyWatchedNotExe = L"Obserwowany program musi być plikiem EXE.";
inline constexpr std::wstring_view kWhyNoAction = L"Wybierz sposób alarmowania.";
inline constexpr std::wstring_view kWhyMessageText = L"Podaj treść komunikatu.";
inline constexpr std::wstring_view kWhyMessageCaption = L"Podaj napis na pasku tytułowym.";
inline constexpr std::wstring_view kWhySoundPath = L"Wybierz plik dźwiękowy.";
inline constexpr std::wstring_view kWhySoundMissing = L"Plik dźwiękowy nie istnieje.";
inline constexpr std::wstring_view kWhySoundFormat =
    L"Plik dźwiękowy musi być typu WAV, MP3 lub MIDI.";
inline constexpr std::wstring_view kWhySoundUnplayable = L"Nie można otworzyć pliku dźwiękowego.";
inline constexpr std::wstring_view kWhyShutdownKind = L"Wybierz rodzaj zamknięcia systemu.";
inline constexpr std::wstring_view kWhyProgramPath = L"Podaj ścieżkę do programu.";
inline constexpr std::wstring_view kWhyProgramMissing = L"Program nie istnieje.";
inline constexpr std::wstring_view kWhyFilePath = L"Podaj ścieżkę do pliku.";
inline constexpr std::wstring_view kWhyFileMissing = L"Plik nie istnieje.";
inline constexpr std::wstring_view kWhyFolderPath = L"Podaj ścieżkę do folderu.";
inline constexpr std::wstring_view kWhyFolderMissing = L"Folder nie istnieje.";
inline constexpr std::wstring_view kWhyWebAddress =
    L"Adres strony musi zawierać http://, https:// lub www.";
inline constexpr std::wstring_view kWhyOtherAction = L"Wybierz jedną z możliwości z listy.";
inline constexpr std::wstring_view kWhyKeys = L"Wybierz klawisz lub kombinację klawiszy.";
inline constexpr std::wstring_view kWhyCdDrive = L"Wybierz literę napędu CD.";
inline constexpr std::wstring_view kWhyCdOperation = L"Wybierz operację na szufladzie napędu.";
inline constexpr std::wstring_view kWhyProcess = L"Wybierz proces z listy.";

inline constexpr std::wstring_view kClockPrefix = L" W tej chwili jest: ";
inline constexpr std::wstring_view kNoInternetPrefix = L"Po przekonwertowaniu:    ";
inline constexpr std::wstring_view kPickedPoint = L"Wprowadzono punkt o współrzędnych x = ";
}  // namespace texts

}  // namespace klaxora
