#pragma once
// A question that answers itself: a box over every window that counts down and, at zero,
// gives the answer chosen for it. The firing path asks with it where a user may be away from
// the computer and the alarm must neither wait for ever nor act without a chance to refuse.
//
// It is a dialog of class "#32770" like a message box: the text in a Static child with id
// 0xFFFF, the buttons with ids IDYES (proceed) and IDNO (refuse), so a user's tools read and
// press it as they would a message box. Tab, Enter and Esc work as in any dialog.
#include <cstdint>
#include <functional>
#include <string>

namespace klaxora::win {

struct CountdownBox {
    std::wstring title;
    // The box's text with this many whole seconds left; asked again whenever that number changes.
    std::function<std::wstring(int secondsLeft)> text;
    std::wstring proceed;         // the first button's caption
    std::wstring refuse;          // the second button's caption
    bool refuseIsDefault = true;  // which button Enter presses
    int seconds = 60;             // counted down from
    bool proceedAtZero = false;   // what the box answers by itself at zero
    // The monotonic clock in ms the countdown follows (tests and soak runs compress time);
    // empty: GetTickCount64.
    std::function<int64_t()> nowMs;
};

// Shows the box topmost over every window, asking for the foreground, and waits for its answer
// while messages keep flowing (a modal loop, so the program's timers and other windows keep
// working). True: proceed (button, or zero with proceedAtZero). Esc, the close box, a quit
// request or a box that cannot be shown = refuse. What `text` throws ends the box and is
// thrown again from here.
bool ShowCountdownBox(const CountdownBox& box);

}  // namespace klaxora::win
