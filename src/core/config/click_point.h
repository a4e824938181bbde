#pragma once
// Where a click of the alarm may land. The monitors of a desk make one virtual screen, with
// negative coordinates left of and above the primary one, and a point written at one desk (a
// shortcut, the stored alarm) may be read where fewer monitors are attached: such a point is
// kept as written and refused at Start, never moved onto another monitor, where the click
// would hit whatever lies there.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/alarm_settings.h"

namespace klaxora {

// A monitor in virtual-screen pixels; right and bottom lie just outside it.
struct MonitorRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

bool PointOnSomeMonitor(int32_t x, int32_t y, const std::vector<MonitorRect>& monitors);

// Start's refusal of a click whose point lies on none of `monitors`; nothing for any other
// definition.
std::optional<std::wstring> ClickPointRefusal(const AlarmSettings& settings,
                                              const std::vector<MonitorRect>& monitors);

namespace texts {
inline constexpr std::wstring_view kClickPointOffScreenLead = L"Punkt kliknięcia x = ";
inline constexpr std::wstring_view kClickPointOffScreenTail =
    L" nie leży na żadnym z podłączonych monitorów.\rWskaż punkt ponownie przyciskiem „Określ "
    L"punkt” albo podłącz monitor, na którym ten punkt leży.";
}  // namespace texts

}  // namespace klaxora
