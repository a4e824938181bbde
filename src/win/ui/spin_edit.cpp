#include "win/ui/spin_edit.h"

#include <commctrl.h>

#include <string>

#include "util/decimal.h"
#include "win/ui/window.h"

namespace klaxora::win {
namespace {

LRESULT CALLBACK DigitFilterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR) {
    if (msg == WM_CHAR && !((wParam >= L'0' && wParam <= L'9') || wParam == 8))
        return 0;
    if (msg == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, &DigitFilterProc, id);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

int DigitsOf(int64_t value) {
    return static_cast<int>(std::to_wstring(value).size());
}

}  // namespace

void InstallDigitFilter(HWND edit) {
    SetWindowSubclass(edit, &DigitFilterProc, 1, 0);
}

void SpinEdit::Create(HWND parent, int id, int x, int y, int width, int height, SpinRange range,
                      bool readOnly) {
    range_ = range;
    edit_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | (readOnly ? ES_READONLY : 0), x, y,
        width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(),
        nullptr);
    upDown_ = CreateWindowExW(
        0, UPDOWN_CLASSW, L"",
        WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
        0, 0, 0, 0, parent, nullptr, ModuleInstance(), nullptr);
    SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
    InstallDigitFilter(edit_);
    SetRange(range);
    SetValue(range.min);
}

int64_t SpinEdit::Value() const {
    return ParseDecimal(TextOf(edit_), {.min = range_.min, .max = range_.max, .clamp = true})
        .value_or(range_.min);
}

void SpinEdit::SetValue(int64_t value) {
    const std::wstring text = std::to_wstring(ClampSpin(value, range_));
    if (TextOf(edit_) != text)
        SetWindowTextW(edit_, text.c_str());
}

void SpinEdit::SetRange(SpinRange range) {
    range_ = range;
    SendMessageW(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(range.min),
                 static_cast<LPARAM>(range.max));
    SendMessageW(edit_, EM_LIMITTEXT, static_cast<WPARAM>(DigitsOf(range.max)), 0);
    Normalise();
}

void SpinEdit::Normalise() {
    if (!edit_)
        return;
    SetValue(Value());
}

void SpinEdit::Enable(bool enabled) const {
    EnableWindow(edit_, enabled);
    EnableWindow(upDown_, enabled);
}

void SpinEdit::Show(bool visible) const {
    ShowWindow(edit_, visible ? SW_SHOWNA : SW_HIDE);
    ShowWindow(upDown_, visible ? SW_SHOWNA : SW_HIDE);
}

}  // namespace klaxora::win
