#pragma once
// Which system operations an action performs, and in which order. The operations themselves
// sit behind SystemOperations; the decisions here are plain and tested without Windows.
#include <functional>
#include <optional>
#include <string_view>

#include "actions/key_names.h"
#include "app/watch_state.h"
#include "ports/system_ops.h"

namespace klaxora {

// The shutdown mode by its caption: the shutdown privilege is enabled, the mode performed and
// the privilege dropped again. An unknown caption performs nothing between the two. A failing
// power-state change propagates and leaves the privilege enabled; an exit Windows refuses is
// thrown as a UserError once the privilege is dropped.
void ShutDownSystem(SystemOperations& ops, std::wstring_view shutdownCaption);

// The ExitWindowsEx flags of a shutdown caption; nothing for the modes that are not an exit.
std::optional<uint32_t> ExitFlagsFor(std::wstring_view shutdownCaption);

struct ClickPoint {
    int x = 0;
    int y = 0;
};
// "640;480" -> (640, 480); nothing when either part is not a whole number.
std::optional<ClickPoint> ParseClickPoint(std::wstring_view detail);

inline constexpr std::wstring_view kReservedKeyRefusal =
    L"Kombinacji Ctrl+Alt+Delete nie można zasymulować: Windows zastrzega ją dla siebie "
    L"i nie przyjmuje jej od żadnego programu.\r\rWybierz inny klawisz lub kombinację.";

// Whether a key name stands for Ctrl+Alt+Delete, which Windows keeps for its secure screen and
// takes from no program.
bool IsReservedByWindows(std::wstring_view keyName);

// An "Inne możliwości" sub-action by its caption (exact), with its detail: the click point,
// the CD tray "E;1" (drive, then 1 to open) or the key name. A keyboard or mouse block lasts
// `blockMs` when that is not 0, otherwise until the program ends. What the system refuses, and
// a key Windows keeps for itself, is thrown as a UserError.
void PerformOtherAction(SystemOperations& ops, KeyEventSink& keys, std::wstring_view caption,
                        std::wstring_view detail, WindowRef owner, uint32_t blockMs = 0);

// What the alarm does before its action, in this order: wake the display, minimise all
// windows, close the configuration window.
void ApplyPreActions(SystemOperations& ops, const AppOptions& options,
                     const std::function<void()>& closeConfigurationWindow);

}  // namespace klaxora
