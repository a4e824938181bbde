#pragma once
// The four vocabularies of an alarm definition and the fixed lists the editors offer.
// Every value is identified by its exact Polish caption; positions carry no meaning beyond
// the order in which the lists show them.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace klaxora {

enum class TriggerKind {
    NoInternet,
    Countdown,
    ProgramNotResponding,
    ProgramClosed,
    AtTime,
    ProgramStarted,
    AfterWindowsStart,
};

enum class ActionKind {
    DefaultWindow,
    Message,
    PlaySound,
    OpenFolder,
    OpenFile,
    RunProgram,
    OpenWebPage,
    ShutDown,
    Other,
    KillProcess,
};

enum class OtherActionKind {
    MinimizeAllWindows,
    StartDefaultBrowser,
    StartExplorer,
    StartControlPanel,
    StartScreenSaver,
    MonitorOff,
    CdTray,
    DoubleClick,
    SingleClick,
    PressKeys,
    BlockKeyboard,
    BlockMouse,
    BlockMouseAndKeyboard,
    MaxVolume,
};

enum class ShutdownKind {
    Hibernate,
    Suspend,
    Restart,
    MonitorOff,
    LogOff,
    PowerOff,
    ShutDownToDos,
};

// The panel of "Inne możliwości" an operation shows below its list; the two clicks share one.
enum class OtherSubPanel { None, Keys, CdTray, Click };

// Each trigger has a notebook page of its own, chosen by its kind.
struct TriggerInfo {
    TriggerKind kind;
    std::wstring_view caption;
    std::wstring_view code;  // two letters, on the command line and in the armed state
};

struct ActionInfo {
    ActionKind kind;
    std::wstring_view caption;
    bool hasPanel;  // the action shows a panel of its own, chosen by its kind
};

struct OtherActionInfo {
    OtherActionKind kind;
    std::wstring_view caption;
    OtherSubPanel subPanel;
};

struct ShutdownInfo {
    ShutdownKind kind;
    std::wstring_view caption;
};

// The six triggers of the trigger list in its order, then AfterWindowsStart, which has no item.
std::span<const TriggerInfo> Triggers();
// The ten actions in the (unsorted) order of the action list.
std::span<const ActionInfo> Actions();
std::span<const OtherActionInfo> OtherActions();
std::span<const ShutdownInfo> ShutdownKinds();

// The trigger list's text for a trigger: its caption, or empty for AfterWindowsStart, which
// has no item.
std::wstring TriggerListText(TriggerKind kind);

const TriggerInfo& Info(TriggerKind kind);
const ActionInfo& Info(ActionKind kind);
const OtherActionInfo& Info(OtherActionKind kind);
const ShutdownInfo& Info(ShutdownKind kind);

// Exact (case-sensitive) look-ups, as the window compares its list texts.
std::optional<TriggerKind> TriggerByCaption(std::wstring_view caption);
std::optional<TriggerKind> TriggerByCode(std::wstring_view code);
std::optional<ActionKind> ActionByCaption(std::wstring_view caption);
std::optional<OtherActionKind> OtherActionByCaption(std::wstring_view caption);
std::optional<ShutdownKind> ShutdownByCaption(std::wstring_view caption);

// Look-ups that ignore letter case (every letter), as the command line matches.
std::optional<TriggerKind> TriggerByCodeNoCase(std::wstring_view code);
std::optional<ActionKind> ActionByCaptionNoCase(std::wstring_view caption);
std::optional<OtherActionKind> OtherActionByCaptionNoCase(std::wstring_view caption);
std::optional<ShutdownKind> ShutdownByCaptionNoCase(std::wstring_view caption);

// CD tray operations as the sorted two-item list shows them.
inline constexpr std::wstring_view kCdTrayClose = L"WSUŃ";
inline constexpr std::wstring_view kCdTrayOpen = L"WYSUŃ";
std::span<const std::wstring_view> CdTrayOperations();

// Presets of the message text and caption boxes, sorted as shown.
std::span<const std::wstring_view> MessageTextPresets();
std::span<const std::wstring_view> MessageCaptionPresets();

}  // namespace klaxora
