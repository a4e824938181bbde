#include <gtest/gtest.h>

#include "app/tray_notice.h"
#include "fakes/memory_registry.h"

namespace klaxora {
namespace {

TEST(TrayNotice, SaidOnceAtAStartThatShowsNoWindow) {
    struct Case {
        std::optional<RegistryValue> stored;
        bool windowShown;
        bool tell;
    };
    for (const Case& c : std::initializer_list<Case>{
             {std::nullopt, false, true},
             {std::nullopt, true, false},
             {RegistryValue{RegistryType::Dword, L"", 1}, false, false},
             {RegistryValue{RegistryType::String, L"1", 0}, false, true},  // DWORDs only
         }) {
        testing::MemoryRegistry registry;
        if (c.stored)
            registry.Set(kSettingsKey, settings::kTrayNoticeShown, *c.stored);
        EXPECT_EQ(ShouldTellWhereTheIconIs(registry, c.windowShown), c.tell);
    }
    testing::MemoryRegistry registry;
    ASSERT_TRUE(RememberToldWhereTheIconIs(registry));
    EXPECT_FALSE(ShouldTellWhereTheIconIs(registry, false));
    registry.FailOpen(kSettingsKey);
    EXPECT_FALSE(ShouldTellWhereTheIconIs(registry, false));
    EXPECT_FALSE(RememberToldWhereTheIconIs(registry));
}

}  // namespace
}  // namespace klaxora
