#pragma once
// The alarm popup that slides in from the corner of the screen. For now a hidden window of
// its class; its drawing, animation and timers come later.
#include "win/ui/window.h"

namespace klaxora::win {

class TF_ALARMUJ : public Window {
public:
    void Create();
    // Closes the popup whether or not it is open; the close handling always runs and enables
    // the configuration window again.
    void Close();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void FormClose();
};

}  // namespace klaxora::win
