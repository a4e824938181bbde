#include "win/actions/popup_window.h"

#include "win/app/application.h"
#include "win/config/alarm_window.h"

namespace klaxora::win {

void TF_ALARMUJ::Create() {
    CreateWindowOf({L"TF_ALARMUJ", 0, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))},
                   L"ALARM", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0, 232, 173, nullptr);
}

void TF_ALARMUJ::Close() { FormClose(); }

void TF_ALARMUJ::FormClose() {
    Hide();
    if (App().F_Alarm) App().F_Alarm->Enable(true);
}

LRESULT TF_ALARMUJ::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) {
        Close();
        return 0;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace klaxora::win
