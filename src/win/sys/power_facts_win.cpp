#include "win/sys/power_facts_win.h"

#include "win/sys/system_library.h"

namespace klaxora::win {
namespace {

// The sleep subgroup and its "Allow wake timers" setting.
constexpr GUID kSleepSubgroup{
    0x238C9FA8, 0x0AAD, 0x41ED, {0x83, 0xF4, 0x97, 0xBE, 0x24, 0x2C, 0x8F, 0x20}};
constexpr GUID kAllowWakeTimers{
    0xBD3B718A, 0x0680, 0x4D9D, {0x8A, 0xB2, 0xE1, 0xD2, 0xB4, 0xAC, 0x80, 0x6D}};

// Some headers still call the bytes after FastSystemS4 spare; the system's own names them
// Hiberboot, WakeAlarmPresent and AoAc.
template <typename Capabilities>
bool ModernStandby(const Capabilities& capabilities) {
    if constexpr (requires { capabilities.AoAc; })
        return capabilities.AoAc != FALSE;
    else
        return capabilities.spare2[2] != 0;
}

using ReadIndex = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, DWORD*);

std::optional<uint32_t> ReadAllowWakeTimers(ReadIndex read, const GUID* scheme) {
    DWORD value = 0;
    if (read(nullptr, scheme, &kSleepSubgroup, &kAllowWakeTimers, &value) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

}  // namespace

const PowerApi& RealPowerApi() {
    static const PowerApi api{&delayed::PowerGetActiveScheme, &delayed::PowerReadACValueIndex,
                              &delayed::PowerReadDCValueIndex, &::LocalFree,
                              &delayed::GetPwrCapabilities};
    return api;
}

WakeFacts ReadWakeFacts(WakeTimer::Result result, const PowerApi& api) {
    WakeFacts facts;
    if (result == WakeTimer::Cancelled)
        return facts;
    facts.timerSet = result != WakeTimer::Refused;
    facts.resumeUnsupported = result == WakeTimer::ResumeUnsupported;
    SYSTEM_POWER_CAPABILITIES capabilities{};
    if (api.GetPwrCapabilities(&capabilities)) {
        facts.modernStandby = ModernStandby(capabilities);
        facts.batteryPresent = capabilities.SystemBatteriesPresent || capabilities.UpsPresent;
    }
    GUID* scheme = nullptr;
    if (api.PowerGetActiveScheme(nullptr, &scheme) == ERROR_SUCCESS && scheme) {
        facts.allowOnMains = ReadAllowWakeTimers(api.PowerReadACValueIndex, scheme);
        facts.allowOnBattery = ReadAllowWakeTimers(api.PowerReadDCValueIndex, scheme);
        api.LocalFree(scheme);
    }
    return facts;
}

}  // namespace klaxora::win
