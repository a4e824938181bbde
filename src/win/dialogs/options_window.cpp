#include "win/dialogs/options_window.h"

namespace klaxora::win {

void TF_Opcje::Create(HWND owner) {
    CreateDialogWindow(L"TF_Opcje", L"Opcje", 380, 300, owner);
}

}  // namespace klaxora::win
