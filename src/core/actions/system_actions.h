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

// An "Inne możliwości" sub-action by its caption (exact), with its detail: the click point,
// the CD tray "E;1" (drive, then 1 to open) or the key name.
void PerformOtherAction(SystemOperations& ops, KeyEventSink& keys, std::wstring_view caption,
                        std::wstring_view detail, WindowRef owner);

// What the alarm does before its action, in this order: wake the display, minimise all
// windows, close the configuration window.
void ApplyPreActions(SystemOperations& ops, const AppOptions& options,
                     const std::function<void()>& closeConfigurationWindow);

}  // namespace klaxora
