#pragma once
// The configuration window. For now a hidden window of its class; its controls come later.
#include "win/ui/window.h"

namespace klaxora::win {

class TF_Alarm : public Window {
public:
    void Create();
    // Stop: disarms the alarm and unlocks the editors. Callable with no sender.
    void ib_StopClick();
    // Closing the configuration window only hides it.
    void Close();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace klaxora::win
