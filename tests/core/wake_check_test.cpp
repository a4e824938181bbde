#include <gtest/gtest.h>

#include "app/wake_check.h"

namespace klaxora {
namespace {

WakeFacts Facts(std::optional<uint32_t> mains, std::optional<uint32_t> battery, bool hasBattery,
                bool modern = false, bool unsupported = false, bool set = true) {
    return {set, unsupported, mains, battery, hasBattery, modern};
}

TEST(WakeWarning, NamesTheReasonThatKeepsTheComputerAsleep) {
    const std::wstring_view none;
    const struct {
        WakeFacts facts;
        std::wstring_view reason;  // empty: no warning
    } cases[] = {
        {WakeFacts{}, none},  // nothing known says it will not wake
        {Facts(1, 1, true), none},
        {Facts(3, 7, true), none},  // values we do not know
        {Facts(0, 1, true), kWakeOffOnMains},
        {Facts(2, 1, true), kWakeOffOnMains},  // important timers only: ours is not one
        {Facts(1, 0, true), kWakeOffOnBattery},
        {Facts(1, 2, true), kWakeOffOnBattery},
        {Facts(1, 0, false), none},  // no battery to run on
        {Facts(std::nullopt, 0, false), none},
        {Facts(0, 2, true), kWakeOffOnBoth},
        {Facts(0, 0, false), kWakeOffOnMains},
        {Facts(1, 1, true, true), kWakeModernStandby},
        {Facts(0, 0, true, true, true), kWakeModernStandby},
        {Facts(1, 1, true, false, true), kWakeUnsupported},
        {Facts(0, 0, true, false, true), kWakeUnsupported},
        {Facts(1, 1, true, true, true, false), kWakeRefused},
    };
    for (const auto& c : cases) {
        const auto warning = WakeWarning(c.facts);
        const size_t row = &c - cases;
        ASSERT_EQ(warning.has_value(), !c.reason.empty()) << row;
        if (!warning)
            continue;
        // One reason, and the alarm still promised for an awake computer.
        EXPECT_EQ(warning->find(c.reason), 0u) << row;
        EXPECT_NE(warning->find(kWakeStillFires), std::wstring::npos) << row;
        for (const auto other : {kWakeRefused, kWakeUnsupported, kWakeModernStandby,
                                 kWakeOffOnMains, kWakeOffOnBattery, kWakeOffOnBoth})
            EXPECT_TRUE(other == c.reason || warning->find(other) == std::wstring::npos) << row;
        // The notification-area balloon holds 63 characters of title and 255 of text.
        EXPECT_LT(warning->size(), 256u) << row;
    }
    EXPECT_LT(kWakeWarningTitle.size(), 64u);
}

}  // namespace
}  // namespace klaxora
