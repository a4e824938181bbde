#include "win/ui/message_box.h"

#include "util/user_error.h"

namespace klaxora::win {
namespace {
MessageBoxCall g_messageBox = &MessageBoxW;
}  // namespace

MessageBoxCall ReplaceMessageBoxCall(MessageBoxCall call) {
    const MessageBoxCall previous = g_messageBox;
    g_messageBox = call;
    return previous;
}

int ShowMessageBox(std::wstring_view text, std::wstring_view title, UINT flags) {
    const std::wstring t(text);
    const std::wstring c(title);
    // Task-modal with no owner window: every window of the program is disabled while the box
    // is open, and the box does not depend on a window that may be hidden.
    return g_messageBox(nullptr, t.c_str(), c.c_str(), flags | MB_TASKMODAL | MB_SETFOREGROUND);
}

void ShowError(std::wstring_view text, UINT extra) {
    ShowMessageBox(text, kErrorTitle, MB_OK | MB_ICONERROR | extra);
}

bool AskQuestion(std::wstring_view text) {
    return ShowMessageBox(text, kWarningTitle, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void ShowNotice(std::wstring_view text) {
    ShowMessageBox(text, kNoticeTitle, MB_OK | MB_ICONINFORMATION);
}

void ShowPlain(std::wstring_view text) {
    ShowMessageBox(text, kApplicationTitle, MB_OK);
}

void ShowStandardError(std::wstring_view text, UINT extra) {
    ShowMessageBox(StandardErrorText(std::wstring(text)), kApplicationTitle,
                   MB_OK | MB_ICONERROR | extra);
}

}  // namespace klaxora::win
