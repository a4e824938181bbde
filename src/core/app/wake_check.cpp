#include "app/wake_check.h"

namespace klaxora {
namespace {

// Only a value known to forbid counts; one we do not know says nothing.
bool Forbids(const std::optional<uint32_t>& allowed) {
    return allowed && (*allowed == static_cast<uint32_t>(WakeTimersAllowed::Off) ||
                       *allowed == static_cast<uint32_t>(WakeTimersAllowed::ImportantOnly));
}

// The reason that decides: one that holds whatever the power options say comes before them, so
// the user is not sent to change an option that would not help.
std::optional<std::wstring_view> Reason(const WakeFacts& facts) {
    if (!facts.timerSet)
        return kWakeRefused;
    // Under modern standby the system may also report that it cannot resume; the standby says why.
    if (facts.modernStandby)
        return kWakeModernStandby;
    if (facts.resumeUnsupported)
        return kWakeUnsupported;
    const bool mains = Forbids(facts.allowOnMains);
    // A computer without a battery never runs on one, whatever the option for it says.
    const bool battery = facts.batteryPresent && Forbids(facts.allowOnBattery);
    if (mains && battery)
        return kWakeOffOnBoth;
    if (mains)
        return kWakeOffOnMains;
    if (battery)
        return kWakeOffOnBattery;
    return std::nullopt;
}

}  // namespace

std::optional<std::wstring> WakeWarning(const WakeFacts& facts) {
    const auto reason = Reason(facts);
    if (!reason)
        return std::nullopt;
    return std::wstring(*reason) + L" " + std::wstring(kWakeStillFires);
}

}  // namespace klaxora
