#pragma once
// Whether a sleeping computer will really wake for the armed alarm. Setting a wake timer is no
// promise: the power options may forbid wake timers, a computer with modern standby never wakes
// for a program's timer, and some systems cannot resume for a timer at all. The user is told,
// since an alarm that silently waits for the computer to be woken by hand is worse than none.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace klaxora {

// The power option "Allow wake timers": off, on, or for important timers only (the system's own
// maintenance and the like; a program's timer is not one of them).
enum class WakeTimersAllowed : uint32_t { Off = 0, On = 1, ImportantOnly = 2 };

// What the system said about the wake timer just set; an unknown fact says nothing against it.
struct WakeFacts {
    bool timerSet = true;            // the system took the timer
    bool resumeUnsupported = false;  // took it, but said it cannot resume the computer for it
    std::optional<uint32_t> allowOnMains, allowOnBattery;  // the power option, as read
    bool batteryPresent = false;  // a battery (or UPS) may power the computer
    bool modernStandby = false;

    bool operator==(const WakeFacts&) const = default;
};

inline constexpr std::wstring_view kWakeWarningTitle = L"Komputer nie obudzi się na alarm";
inline constexpr std::wstring_view kWakeRefused = L"System nie przyjął czasomierza wybudzania.";
inline constexpr std::wstring_view kWakeUnsupported =
    L"Ten komputer nie potrafi wybudzić się ze snu na czasomierz.";
inline constexpr std::wstring_view kWakeModernStandby =
    L"W nowoczesnym trybie wstrzymania (Modern Standby) Windows nie budzi komputera dla "
    L"programów.";
inline constexpr std::wstring_view kWakeOffOnMains =
    L"Opcje zasilania nie zezwalają na czasomierze wybudzania przy zasilaniu z sieci.";
inline constexpr std::wstring_view kWakeOffOnBattery =
    L"Opcje zasilania nie zezwalają na czasomierze wybudzania przy zasilaniu z baterii.";
inline constexpr std::wstring_view kWakeOffOnBoth =
    L"Opcje zasilania nie zezwalają na czasomierze wybudzania ani przy zasilaniu z sieci, ani z "
    L"baterii.";
inline constexpr std::wstring_view kWakeStillFires =
    L"Alarm zadziała, jeśli komputer nie będzie wtedy uśpiony.";

// The text to show under kWakeWarningTitle when the computer will not wake for the alarm;
// nothing when it will, or when nothing says it will not.
std::optional<std::wstring> WakeWarning(const WakeFacts& facts);

}  // namespace klaxora
