#include <gtest/gtest.h>

#include "app/wake_check.h"

namespace klaxora {
namespace {

TEST(WakeWarning, NamesTheReasonThatKeepsTheComputerAsleep) {
    const struct {
        WakeFacts facts;  // set, resume unsupported, on mains, on battery, battery, modern standby
        std::wstring_view reason;  // empty: no warning
    } cases[] = {
        {{}, {}},                                             // nothing known says it will not wake
        {{true, false, 3, 7, true, false}, {}},               // values we do not know
        {{true, false, 1, 0, false, false}, {}},              // no battery to run on
        {{true, false, 2, 1, true, false}, kWakeOffOnMains},  // ours is no important timer
        {{true, false, 1, 0, true, false}, kWakeOffOnBattery},
        {{true, false, 0, 2, true, false}, kWakeOffOnBoth},
        {{true, true, 0, 0, true, true}, kWakeModernStandby},
        {{true, true, 0, 1, true, false}, kWakeUnsupported},
        {{false, true, 0, 0, true, true}, kWakeRefused},
    };
    for (const auto& c : cases) {
        const std::wstring warning = WakeWarning(c.facts).value_or(L"");
        // The reason, then the alarm promised for an awake computer, within a balloon's 255.
        EXPECT_TRUE(c.reason.empty() ? warning.empty()
                                     : warning.starts_with(c.reason) && warning.size() < 256 &&
                                           warning.ends_with(kWakeStillFires))
            << &c - cases;
    }
}

}  // namespace
}  // namespace klaxora
