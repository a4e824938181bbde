#pragma once
// The one reader of decimal integers. Every number the program takes from text (an editor, the
// registry, a command line, a list column) goes through it, so "what counts as a number" is
// decided once: the digits 0-9 only, a sign only where the caller allows one, no blanks (a
// caller that tolerates them trims first) and nothing after the digits.
#include <algorithm>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace klaxora {

enum class Sign : uint8_t { None, Minus, PlusOrMinus };

struct DecimalRule {
    Sign sign = Sign::None;
    int64_t min = std::numeric_limits<int64_t>::min();
    int64_t max = std::numeric_limits<int64_t>::max();
    // A well-formed number outside [min, max] (one too long for 64 bits included) reads as the
    // nearer bound instead of nothing, as spin edits treat what they are given.
    bool clamp = false;
};

std::optional<int64_t> ParseDecimal(std::wstring_view text, const DecimalRule& rule = {});

// The same for a narrower type: the rule's range is first narrowed to what T holds.
template <std::integral T>
std::optional<T> ParseDecimalAs(std::wstring_view text, DecimalRule rule = {}) {
    static_assert(sizeof(T) < sizeof(int64_t) || std::signed_integral<T>, "beyond int64");
    rule.min = std::max<int64_t>(rule.min, std::numeric_limits<T>::min());
    rule.max = std::min<int64_t>(rule.max, std::numeric_limits<T>::max());
    const std::optional<int64_t> value = ParseDecimal(text, rule);
    return value ? std::optional<T>(static_cast<T>(*value)) : std::nullopt;
}

}  // namespace klaxora
