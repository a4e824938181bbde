#pragma once
#include "actions/key_names.h"
#include "win/sys/system_ops_win.h"

namespace klaxora::win {

// Sends simulated key events with SendInput, each with its key's scan code and, for an extended
// key, the extended flag. As a stroke begins (no key of ours down) it checks that Windows would
// let it through; a stroke it would drop, or an event it did not take, is thrown as a UserError.
class SendInputKeySink : public KeyEventSink {
  public:
    explicit SendInputKeySink(const SystemApi& api = RealSystemApi()) : api_(api) {}
    void KeyEvent(uint8_t virtualKey, bool keyUp, bool extended) override;

  private:
    const SystemApi& api_;
    int held_ = 0;  // keys this sink has put down and not yet up
};

}  // namespace klaxora::win
