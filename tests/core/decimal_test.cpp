#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "util/decimal.h"

namespace klaxora {
namespace {

struct Case {
    std::wstring_view text;
    std::optional<int64_t> expected;
};

void ExpectAll(const DecimalRule& rule, std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(ParseDecimal(c.text, rule), c.expected) << std::wstring(c.text);
}

constexpr std::nullopt_t kNone = std::nullopt;

TEST(Decimal, OnlyDigitsMakeANumber) {
    ExpectAll({}, {{L"007", 7}, {L"0", 0}});
    // A full-width seven is not a digit here.
    for (std::wstring_view text : {L"", L" 7", L"7 ", L"1 2", L"0x10", L"1.5", L"\uFF17"})
        EXPECT_EQ(ParseDecimal(text), kNone) << std::wstring(text);
}

TEST(Decimal, ASignOnlyWhereTheCallerAllowsIt) {
    ExpectAll({}, {{L"-5", kNone}, {L"+5", kNone}});
    ExpectAll({.sign = Sign::Minus}, {{L"-5", -5}, {L"-0", 0}, {L"+5", kNone}, {L"--5", kNone}});
    ExpectAll({.sign = Sign::PlusOrMinus},
              {{L"+5", 5}, {L"-5", -5}, {L"-", kNone}, {L"+-5", kNone}, {L"5-", kNone}});
}

TEST(Decimal, NumbersOutsideTheRangeOrSixtyFourBitsAreRefused) {
    ExpectAll({.sign = Sign::Minus, .min = -10, .max = 59},
              {{L"59", 59}, {L"60", kNone}, {L"-10", -10}, {L"-11", kNone}});
    ExpectAll({.sign = Sign::Minus}, {{L"9223372036854775807", INT64_MAX},
                                      {L"9223372036854775808", kNone},
                                      {L"-9223372036854775808", INT64_MIN},
                                      {L"-9223372036854775809", kNone},
                                      {L"18446744073709551616", kNone},  // 0 if it wrapped
                                      {L"00000000000000000000042", 42}});
}

TEST(Decimal, ClampingReadsAWellFormedNumberAsTheNearerBound) {
    ExpectAll({.min = 1, .max = 999, .clamp = true},
              {{L"0", 1}, {L"99999999999999999999999", 999}, {L"", kNone}, {L"9x", kNone}});
    ExpectAll({.sign = Sign::Minus, .clamp = true}, {{L"-99999999999999999999999", INT64_MIN}});
}

TEST(Decimal, ANarrowerTypeNarrowsTheRange) {
    EXPECT_EQ(ParseDecimalAs<int32_t>(L"2147483648"), kNone);
    EXPECT_EQ(ParseDecimalAs<int32_t>(L"-2147483648", {.sign = Sign::Minus}), INT32_MIN);
    EXPECT_EQ(ParseDecimalAs<uint32_t>(L"4294967295"), 4294967295u);
    EXPECT_EQ(ParseDecimalAs<uint32_t>(L"-1", {.sign = Sign::Minus}), kNone);
    EXPECT_EQ(ParseDecimalAs<int32_t>(L"70000", {.max = 100, .clamp = true}), 100);
}

}  // namespace
}  // namespace klaxora
