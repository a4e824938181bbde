#pragma once
// The options dialog. For now a hidden window of its class that closes by hiding; its controls come
// later.
#include "win/ui/window.h"

namespace klaxora::win {

class TF_Opcje : public Window {
public:
    void Create();
    // Closing only hides the window; it lives until the program ends.
    void Close();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace klaxora::win
