#pragma once
// The monitors attached now, in virtual-screen pixels.
#include <vector>

#include "config/click_point.h"

namespace klaxora::win {

std::vector<MonitorRect> AttachedMonitors();
// The rectangle around every monitor (the virtual screen).
MonitorRect VirtualScreen();

}  // namespace klaxora::win
