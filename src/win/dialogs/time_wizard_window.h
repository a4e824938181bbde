#pragma once
// The time-entry wizard. For now a hidden window of its class that closes by hiding; its controls
// come later.
#include "win/ui/window.h"

namespace klaxora::win {

class Tf_WprowadzCzas : public HidingWindow {
public:
    void Create();
};

}  // namespace klaxora::win
