#include "win/dialogs/time_wizard_window.h"

namespace klaxora::win {

void Tf_WprowadzCzas::Create(HWND owner) {
    CreateDialogWindow(L"Tf_WprowadzCzas", L"Kreator wprowadzania czasu", 460, 420, owner);
}

}  // namespace klaxora::win
