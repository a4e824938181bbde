#include "win/dialogs/time_wizard_window.h"

#include "win/app/application.h"

namespace klaxora::win {

void Tf_WprowadzCzas::Create() {
    CreateWindowOf({L"Tf_WprowadzCzas"}, L"Kreator wprowadzania czasu",
                   WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, CW_USEDEFAULT,
                   CW_USEDEFAULT, 460, 420, nullptr);
    CenterOnScreen(Hwnd());
}

void Tf_WprowadzCzas::Close() {
    Hide();
}

LRESULT Tf_WprowadzCzas::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        Close();
        return 0;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace klaxora::win
