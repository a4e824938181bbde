#include "util/decimal.h"

namespace klaxora {

std::optional<int64_t> ParseDecimal(std::wstring_view text, const DecimalRule& rule) {
    bool negative = false;
    if (!text.empty() && ((rule.sign != Sign::None && text.front() == L'-') ||
                          (rule.sign == Sign::PlusOrMinus && text.front() == L'+'))) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // The magnitude of the smallest int64; anything larger is past every range.
    constexpr uint64_t kLimit = uint64_t{1} << 63;
    uint64_t magnitude = 0;
    bool tooLong = false;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        const auto digit = static_cast<uint64_t>(c - L'0');
        if (tooLong || magnitude > (kLimit - digit) / 10)
            tooLong = true;  // still read on: a letter further on makes it no number at all
        else
            magnitude = magnitude * 10 + digit;
    }
    const auto outside = [&](int64_t bound) -> std::optional<int64_t> {
        return rule.clamp ? std::optional<int64_t>(bound) : std::nullopt;
    };
    if (tooLong || (!negative && magnitude == kLimit))
        return outside(negative ? rule.min : rule.max);
    const int64_t value =
        negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    if (value < rule.min)
        return outside(rule.min);
    if (value > rule.max)
        return outside(rule.max);
    return value;
}

}  // namespace klaxora
