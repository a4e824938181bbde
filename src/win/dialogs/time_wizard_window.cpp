#include "win/dialogs/time_wizard_window.h"

#include "win/app/application.h"

namespace klaxora::win {

void Tf_WprowadzCzas::Create() {
    CreateWindowOf({L"Tf_WprowadzCzas"}, L"Kreator wprowadzania czasu",
                   WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, CW_USEDEFAULT,
                   CW_USEDEFAULT, 460, 420, nullptr);
    CenterOnScreen(Hwnd());
}

}  // namespace klaxora::win
