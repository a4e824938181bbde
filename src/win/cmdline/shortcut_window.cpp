#include "win/cmdline/shortcut_window.h"

#include "win/app/application.h"

namespace klaxora::win {

void Tf_Skrot::Create() {
    CreateWindowOf({L"Tf_Skrot"}, L"Utwórz skrót", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                   WS_EX_DLGMODALFRAME, CW_USEDEFAULT, CW_USEDEFAULT, 410, 395, nullptr);
    CenterOnScreen(Hwnd());
}

}  // namespace klaxora::win
