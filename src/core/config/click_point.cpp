#include "config/click_point.h"

namespace klaxora {

bool PointOnSomeMonitor(int32_t x, int32_t y, const std::vector<MonitorRect>& monitors) {
    for (const MonitorRect& m : monitors) {
        if (x >= m.left && x < m.right && y >= m.top && y < m.bottom)
            return true;
    }
    return false;
}

std::optional<std::wstring> ClickPointRefusal(const AlarmSettings& s,
                                              const std::vector<MonitorRect>& monitors) {
    const bool click =
        s.Action == ActionKind::Other && (s.OtherAction == OtherActionKind::SingleClick ||
                                          s.OtherAction == OtherActionKind::DoubleClick);
    if (!click || PointOnSomeMonitor(s.ClickX, s.ClickY, monitors))
        return std::nullopt;
    return std::wstring(texts::kClickPointOffScreenLead) + std::to_wstring(s.ClickX) + L", y = " +
           std::to_wstring(s.ClickY) + std::wstring(texts::kClickPointOffScreenTail);
}

}  // namespace klaxora
