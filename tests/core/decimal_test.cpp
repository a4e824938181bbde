#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "util/decimal.h"

namespace klaxora {
namespace {

constexpr int64_t kMin64 = INT64_MIN, kMax64 = INT64_MAX;

struct Case {
    std::wstring_view text;
    DecimalRule rule;
    std::optional<int64_t> expected;
};

void ExpectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(ParseDecimal(c.text, c.rule), c.expected) << std::wstring(c.text);
}

TEST(Decimal, OnlyDigitsMakeANumber) {
    ExpectAll({{L"0", {}, 0},
               {L"007", {}, 7},
               {L"123456789", {}, 123456789},
               {L"", {}, std::nullopt},
               {L" 7", {}, std::nullopt},
               {L"7 ", {}, std::nullopt},
               {L"1 2", {}, std::nullopt},
               {L"12a", {}, std::nullopt},
               {L"0x10", {}, std::nullopt},
               {L"1.5", {}, std::nullopt},
               {L"\uFF17", {}, std::nullopt},  // a full-width seven is not a digit here
               {L"\u0667", {}, std::nullopt}});
}

TEST(Decimal, ASignOnlyWhereTheCallerAllowsIt) {
    const DecimalRule none{}, minus{.sign = Sign::Minus}, both{.sign = Sign::PlusOrMinus};
    ExpectAll({{L"-5", none, std::nullopt},
               {L"+5", none, std::nullopt},
               {L"-5", minus, -5},
               {L"+5", minus, std::nullopt},
               {L"-0", minus, 0},
               {L"-5", both, -5},
               {L"+5", both, 5},
               {L"-", both, std::nullopt},
               {L"+", both, std::nullopt},
               {L"--5", both, std::nullopt},
               {L"+-5", both, std::nullopt},
               {L"5-", both, std::nullopt}});
}

TEST(Decimal, NumbersOutsideTheRangeOrSixtyFourBitsAreRefused) {
    const DecimalRule small{.sign = Sign::Minus, .min = -10, .max = 59};
    const DecimalRule any{.sign = Sign::Minus};
    ExpectAll({{L"59", small, 59},
               {L"60", small, std::nullopt},
               {L"-10", small, -10},
               {L"-11", small, std::nullopt},
               {L"9223372036854775807", any, kMax64},
               {L"9223372036854775808", any, std::nullopt},
               {L"-9223372036854775808", any, kMin64},
               {L"-9223372036854775809", any, std::nullopt},
               {L"18446744073709551616", any, std::nullopt},  // wraps to 0 in 64 bits
               {L"99999999999999999999999", any, std::nullopt},
               {L"00000000000000000000042", any, 42}});
}

TEST(Decimal, ClampingReadsAWellFormedNumberAsTheNearerBound) {
    const DecimalRule spin{.min = 1, .max = 999, .clamp = true};
    const DecimalRule wide{.sign = Sign::Minus, .clamp = true};
    ExpectAll({{L"0", spin, 1},
               {L"1000", spin, 999},
               {L"99999999999999999999999", spin, 999},
               {L"500", spin, 500},
               {L"", spin, std::nullopt},
               {L"12a", spin, std::nullopt},
               {L"99999999999999999999999x", spin, std::nullopt},
               {L"99999999999999999999999", wide, kMax64},
               {L"-99999999999999999999999", wide, kMin64}});
}

TEST(Decimal, ANarrowerTypeNarrowsTheRange) {
    EXPECT_EQ(ParseDecimalAs<int32_t>(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimalAs<int32_t>(L"2147483648"), std::nullopt);
    EXPECT_EQ(ParseDecimalAs<int32_t>(L"-2147483648", {.sign = Sign::Minus}), INT32_MIN);
    EXPECT_EQ(ParseDecimalAs<uint32_t>(L"4294967295"), 4294967295u);
    EXPECT_EQ(ParseDecimalAs<uint32_t>(L"4294967296"), std::nullopt);
    EXPECT_EQ(ParseDecimalAs<uint32_t>(L"-1", {.sign = Sign::Minus}), std::nullopt);
    EXPECT_EQ(ParseDecimalAs<int32_t>(L"70000", {.max = 100, .clamp = true}), 100);
}

}  // namespace
}  // namespace klaxora
