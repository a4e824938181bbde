#include "win/sys/key_sink_win.h"

#include <windows.h>

namespace klaxora::win {

void KeybdEventSink::KeyEvent(uint8_t virtualKey, bool keyUp) {
    // No event carries the extended-key flag: alarms saved with arrow or right-hand modifier
    // keys have always been sent this way.
    const auto scan = static_cast<BYTE>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    keybd_event(virtualKey, scan, keyUp ? KEYEVENTF_KEYUP : 0, 0);
}

}  // namespace klaxora::win
