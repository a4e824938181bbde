#include "win/config/alarm_window.h"

#include "win/app/application.h"

namespace klaxora::win {

void TF_Alarm::Create() {
    CreateWindowOf({L"TF_Alarm"}, L"Klaxora", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                   0, CW_USEDEFAULT, CW_USEDEFAULT, 550, 301, nullptr);
}

void TF_Alarm::ib_StopClick() {}

void TF_Alarm::Close() { Hide(); }

LRESULT TF_Alarm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        Close();
        return 0;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace klaxora::win
