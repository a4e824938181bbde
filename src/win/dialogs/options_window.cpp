#include "win/dialogs/options_window.h"

#include "win/app/application.h"
#include "win/config/alarm_window.h"

namespace klaxora::win {

void TF_Opcje::Create() {
    CreateWindowOf({L"TF_Opcje"}, L"Opcje", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                   CW_USEDEFAULT, CW_USEDEFAULT, 380, 300, nullptr);
    CenterOnScreen(Hwnd());
}

void TF_Opcje::Close() {
    Hide();
    // The configuration window was disabled while this one was open.
    if (App().F_Alarm)
        App().F_Alarm->Enable(true);
}

LRESULT TF_Opcje::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        Close();
        return 0;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace klaxora::win
