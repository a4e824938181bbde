#include "win/ui/spin_edit.h"

#include <commctrl.h>

#include <string>

#include "util/decimal.h"
#include "win/ui/window.h"

namespace klaxora::win {
namespace {

int DigitsOf(int64_t value) {
    return static_cast<int>(std::to_wstring(value).size());
}

}  // namespace

void SpinEdit::Create(HWND parent, UINT id, const Box& box, SpinRange range, HFONT font,
                      bool readOnly) {
    range_ = range;
    edit_.Create(parent, id, box, nullptr,
                 ES_AUTOHSCROLL | ES_NUMBER | (readOnly ? ES_READONLY : 0));
    upDown_.Create(UPDOWN_CLASSW, parent, 0, {}, L"",
                   UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, nullptr);
    SendMessageW(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_.Hwnd()), 0);
    SetRange(range);
    SetValue(range.min);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

int64_t SpinEdit::Value() const {
    // A range below zero (the click point's, left of the primary monitor) reads its minus.
    const Sign sign = range_.min < 0 ? Sign::Minus : Sign::None;
    return ParseDecimal(edit_.Text(),
                        {.sign = sign, .min = range_.min, .max = range_.max, .clamp = true})
        .value_or(range_.min);
}

void SpinEdit::SetValue(int64_t value) {
    const std::wstring text = std::to_wstring(ClampSpin(value, range_));
    if (edit_.Text() != text)
        edit_.SetText(text);
}

void SpinEdit::SetRange(SpinRange range) {
    range_ = range;
    SendMessageW(upDown_, UDM_SETRANGE32, static_cast<WPARAM>(range.min),
                 static_cast<LPARAM>(range.max));
    edit_.SetLimit(static_cast<size_t>(DigitsOf(range.max)));
    Normalise();
}

void SpinEdit::Normalise() {
    if (!edit_.Hwnd())
        return;
    SetValue(Value());
}

}  // namespace klaxora::win
