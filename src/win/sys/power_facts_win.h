#pragma once
// What the system says about waking from sleep for our wake timer: the active power scheme's
// "Allow wake timers" on mains and on battery, and whether the computer uses modern standby.
// None of it can be seen under Wine, so the calls go through a table the tests record.
#include <windows.h>

#include "app/wake_check.h"
#include "win/sys/wake_timer_win.h"

namespace klaxora::win {

struct PowerApi {
    DWORD(WINAPI* PowerGetActiveScheme)(HKEY, GUID**);
    DWORD(WINAPI* PowerReadACValueIndex)(HKEY, const GUID*, const GUID*, const GUID*, DWORD*);
    DWORD(WINAPI* PowerReadDCValueIndex)(HKEY, const GUID*, const GUID*, const GUID*, DWORD*);
    HLOCAL(WINAPI* LocalFree)(HLOCAL);
    BOOLEAN(WINAPI* GetPwrCapabilities)(SYSTEM_POWER_CAPABILITIES*);
};

// powrprof.dll is loaded on first use; without it every fact is unknown.
const PowerApi& RealPowerApi();

// The facts for WakeWarning after the wake timer was applied with `result`. A cancelled timer
// has nothing to wake for: no call is made and nothing speaks against waking.
WakeFacts ReadWakeFacts(WakeTimer::Result result, const PowerApi& api = RealPowerApi());

}  // namespace klaxora::win
