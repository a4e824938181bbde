#include "win/sys/key_sink_win.h"

#include <algorithm>

namespace klaxora::win {

void SendInputKeySink::KeyEvent(uint8_t virtualKey, bool keyUp, bool extended) {
    // Checked before the first key goes down, so a refusal never leaves a modifier held.
    if (!keyUp && held_ == 0)
        ThrowIfFailed(InputRefusal(api_, api_.GetForegroundWindow()));
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (keyUp ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    if (const SystemFailure dropped = SendInputs(api_, {&input, 1})) {
        held_ = 0;  // the next stroke is checked afresh
        throw UserError(*dropped);
    }
    held_ = std::max(held_ + (keyUp ? -1 : 1), 0);
}

}  // namespace klaxora::win
