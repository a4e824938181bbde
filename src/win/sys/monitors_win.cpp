#include "win/sys/monitors_win.h"

#include <windows.h>

namespace klaxora::win {

std::vector<MonitorRect> AttachedMonitors() {
    std::vector<MonitorRect> monitors;
    const auto add = [](HMONITOR, HDC, RECT* r, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<MonitorRect>*>(list)->push_back(
            {r->left, r->top, r->right, r->bottom});
        return TRUE;
    };
    // Should the enumeration fail, the virtual screen is the best that is known, and a point
    // on it is not refused for our failure.
    if (!EnumDisplayMonitors(nullptr, nullptr, add, reinterpret_cast<LPARAM>(&monitors)) ||
        monitors.empty())
        return {VirtualScreen()};
    return monitors;
}

MonitorRect VirtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace klaxora::win
