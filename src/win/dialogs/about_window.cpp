#include "win/dialogs/about_window.h"

#include "win/app/application.h"

namespace klaxora::win {

void TF_About::Create() {
    CreateWindowOf({L"TF_About"}, L"O programie ...", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                   WS_EX_DLGMODALFRAME, CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, nullptr);
    CenterOnScreen(Hwnd());
}

void TF_About::Close() {
    HideDialogOverConfiguration(*this);
}

}  // namespace klaxora::win
