#include "win/cmdline/shortcut_window.h"

namespace klaxora::win {

void Tf_Skrot::Create(HWND owner) {
    CreateDialogWindow(L"Tf_Skrot", L"Utwórz skrót", 410, 395, owner);
}

}  // namespace klaxora::win
