#include "actions/system_actions.h"

#include <string>

#include "actions/alarm_plan.h"
#include "config/vocabulary.h"
#include "util/decimal.h"
#include "util/text.h"

namespace klaxora {

std::optional<uint32_t> ExitFlagsFor(std::wstring_view shutdownCaption) {
    const auto kind = ShutdownByCaption(shutdownCaption);
    if (!kind)
        return std::nullopt;
    switch (*kind) {
        case ShutdownKind::LogOff:
            return kEwxLogOff | kEwxForce;
        case ShutdownKind::PowerOff:
            return kEwxPowerOff | kEwxForce;
        case ShutdownKind::Restart:
            return kEwxReboot | kEwxForce;
        case ShutdownKind::ShutDownToDos:
            return kEwxShutdown | kEwxForce;
        default:
            return std::nullopt;
    }
}

void ShutDownSystem(SystemOperations& ops, std::wstring_view shutdownCaption) {
    ops.SetTokenPrivilege(kShutdownPrivilege, true);
    SystemFailure refused;
    if (const auto flags = ExitFlagsFor(shutdownCaption)) {
        refused = ops.ExitSystem(*flags);
    } else if (const auto kind = ShutdownByCaption(shutdownCaption)) {
        switch (*kind) {
            case ShutdownKind::Suspend:
                ops.EnterPowerState(true, true);
                break;
            case ShutdownKind::Hibernate:
                ops.EnterPowerState(false, true);
                break;
            case ShutdownKind::MonitorOff:
                ops.SendMonitorOff();
                break;
            default:
                break;
        }
    }
    ops.SetTokenPrivilege(kShutdownPrivilege, false);
    ThrowIfFailed(refused);
}

namespace {

std::optional<int> ParseInt(std::wstring_view text) {
    // Surrounding blanks are tolerated, as the number editors may leave them.
    return ParseDecimalAs<int>(Trim(text), {.sign = Sign::Minus});
}

}  // namespace

std::optional<ClickPoint> ParseClickPoint(std::wstring_view detail) {
    const size_t semicolon = detail.find(L';');
    if (semicolon == std::wstring_view::npos)
        return std::nullopt;
    const auto x = ParseInt(detail.substr(0, semicolon));
    const auto y = ParseInt(detail.substr(semicolon + 1));
    if (!x || !y)
        return std::nullopt;
    return ClickPoint{*x, *y};
}

bool IsReservedByWindows(std::wstring_view keyName) {
    // Delete or the keypad's Del with Ctrl and Alt down, Shift or not.
    const auto stroke = KeyStrokeForName(keyName);
    return stroke && (stroke->virtualKey == 0x2E || stroke->virtualKey == 0x6E) &&
           (stroke->modifiers & (kCtrl | kAlt)) == (kCtrl | kAlt);
}

void PerformOtherAction(SystemOperations& ops, KeyEventSink& keys, std::wstring_view caption,
                        std::wstring_view detail, WindowRef owner, uint32_t blockMs) {
    const auto kind = OtherActionByCaption(caption);
    if (!kind)
        return;
    switch (*kind) {
        case OtherActionKind::MonitorOff:
            ops.SendMonitorOff();
            break;
        case OtherActionKind::StartControlPanel:
            ops.LaunchControlPanel();
            break;
        case OtherActionKind::StartExplorer:
            ops.LaunchExplorer(owner);
            break;
        case OtherActionKind::StartDefaultBrowser:
            ops.LaunchDefaultBrowser(owner);
            break;
        case OtherActionKind::MinimizeAllWindows:
            ThrowIfFailed(ops.SendMinimizeAll());
            break;
        case OtherActionKind::MaxVolume:
            ThrowIfFailed(ops.SetMaxVolume());
            break;
        case OtherActionKind::StartScreenSaver:
            ThrowIfFailed(ops.SendScreenSaver(owner));
            break;
        case OtherActionKind::BlockKeyboard:
            ThrowIfFailed(ops.DisableKeyboard(blockMs));
            break;
        case OtherActionKind::BlockMouse:
            ThrowIfFailed(ops.DisableMouse(blockMs));
            break;
        case OtherActionKind::BlockMouseAndKeyboard:
            ThrowIfFailed(ops.DisableMouse(blockMs));
            ThrowIfFailed(ops.DisableKeyboard(blockMs));
            break;
        case OtherActionKind::SingleClick:
        case OtherActionKind::DoubleClick:
            // A detail that is not a point clicks nowhere rather than at (0, 0).
            if (const auto point = ParseClickPoint(detail)) {
                ThrowIfFailed(ops.ClickMouse(point->x, point->y,
                                             *kind == OtherActionKind::DoubleClick ? 2 : 1));
            }
            break;
        case OtherActionKind::CdTray:
            // No drive chosen: nothing to open or close.
            if (!detail.empty() && detail.front() != L';') {
                ops.OperateCdTray(detail.front(), detail.size() > 2 && detail[2] == L'1');
            }
            break;
        case OtherActionKind::PressKeys:
            // An alarm kept from before the Start refused it, or read from a command line.
            if (IsReservedByWindows(detail))
                throw UserError(std::wstring(kReservedKeyRefusal));
            SimulateNamedKey(keys, detail);
            break;
    }
}

void ApplyPreActions(SystemOperations& ops, const AppOptions& options,
                     const std::function<void()>& closeConfigurationWindow) {
    // The same steps the alarm's plan takes; no key is pressed among them.
    class NoKeys : public KeyEventSink {
        void KeyEvent(uint8_t, bool, bool) override {}
    } noKeys;
    for (const ActionStep& step : PreActionSteps(options)) {
        if (step.kind == StepKind::CloseConfiguration) {
            if (closeConfigurationWindow)
                closeConfigurationWindow();
        } else {
            PerformSystemStep(step, ops, noKeys, 0);
        }
    }
}

}  // namespace klaxora
