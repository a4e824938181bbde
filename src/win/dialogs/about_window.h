#pragma once
// The about box. For now a hidden window of its class that closes by hiding; its controls come
// later.
#include "win/ui/window.h"

namespace klaxora::win {

class TF_About : public HidingWindow {
public:
    void Create();
    // Hides the window and gives the configuration window back.
    void Close() override;
};

}  // namespace klaxora::win
