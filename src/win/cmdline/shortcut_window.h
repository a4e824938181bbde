#pragma once
// The shortcut-location dialog. For now a hidden window of its class that closes by hiding; its
// controls come later.
#include "win/ui/window.h"

namespace klaxora::win {

class Tf_Skrot : public Window {
public:
    void Create();
    // Closing only hides the window; it lives until the program ends.
    void Close();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace klaxora::win
