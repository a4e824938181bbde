#include "win/dialogs/options_window.h"

#include "win/app/application.h"

namespace klaxora::win {

void TF_Opcje::Create() {
    CreateWindowOf({L"TF_Opcje"}, L"Opcje", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                   CW_USEDEFAULT, CW_USEDEFAULT, 380, 300, nullptr);
    CenterOnScreen(Hwnd());
}

void TF_Opcje::Close() {
    HideDialogOverConfiguration(*this);
}

}  // namespace klaxora::win
