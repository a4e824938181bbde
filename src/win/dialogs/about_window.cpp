#include "win/dialogs/about_window.h"

namespace klaxora::win {

void TF_About::Create(HWND owner) {
    CreateDialogWindow(L"TF_About", L"O programie ...", 400, 300, owner);
}

}  // namespace klaxora::win
