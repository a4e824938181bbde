#include "win/sys/key_sink_win.h"

#include <windows.h>

namespace klaxora::win {

void KeybdEventSink::KeyEvent(uint8_t virtualKey, bool keyUp, bool extended) {
    const auto scan = static_cast<BYTE>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    DWORD flags = keyUp ? KEYEVENTF_KEYUP : 0;
    if (extended)
        flags |= KEYEVENTF_EXTENDEDKEY;
    keybd_event(virtualKey, scan, flags, 0);
}

}  // namespace klaxora::win
