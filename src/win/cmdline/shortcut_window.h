#pragma once
// The shortcut-location dialog, over the configuration window. For now an empty dialog of its
// class; its controls come later.
#include "win/ui/owned_dialog.h"

namespace klaxora::win {

class Tf_Skrot : public OwnedDialog {
  public:
    // Hidden until shown over `owner` (the configuration window).
    void Create(HWND owner = nullptr);
};

}  // namespace klaxora::win
