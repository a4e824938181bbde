#pragma once
// The shortcut-location dialog. For now a hidden window of its class that closes by hiding; its
// controls come later.
#include "win/ui/window.h"

namespace klaxora::win {

class Tf_Skrot : public HidingWindow {
public:
    void Create();
};

}  // namespace klaxora::win
