#pragma once
#include "actions/key_names.h"

namespace klaxora::win {

// Sends simulated key events with keybd_event, each with its key's scan code and, for an
// extended key, the extended flag.
class KeybdEventSink : public KeyEventSink {
  public:
    void KeyEvent(uint8_t virtualKey, bool keyUp, bool extended) override;
};

}  // namespace klaxora::win
