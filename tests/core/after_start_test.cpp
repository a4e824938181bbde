#include <gtest/gtest.h>

#include "app/after_start.h"
#include "fakes/memory_registry.h"

namespace klaxora {
namespace {

using testing::MemoryRegistry;

const std::wstring kExe = L"C:\\Program Files\\Klaxora\\Klaxora.exe";

WatchState Armed() {
    WatchState s;
    s.TriggerCode = L"PW";
    s.ActionCaption = L"Komunikat";
    s.ActionParameter = std::wstring(L"UWAGA !!!") + kMessageSeparator + L"Już czas !!!";
    s.RepeatSeconds = 30;
    s.KillImage = L"C:\\a\\b.exe";
    return s;
}

TEST(AfterStart, AnAlarmAnEarlierVersionStoredIsTakenOnce) {
    MemoryRegistry reg;
    const std::wstring key(kAfterStartKey);
    const WatchState armed = Armed();
    reg.Set(key, L"ActionCaption", {RegistryType::String, armed.ActionCaption, 0});
    reg.Set(key, L"ActionParameter", {RegistryType::String, armed.ActionParameter, 0});
    reg.Set(key, L"RepeatSeconds", {RegistryType::Dword, L"", 30});
    reg.Set(key, L"KillImage", {RegistryType::String, armed.KillImage, 0});
    const auto taken = TakeAfterStartAlarm(reg);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->TriggerCode, L"PW");
    EXPECT_FALSE(taken->Armed);
    EXPECT_EQ(taken->ActionParameter, armed.ActionParameter);
    EXPECT_EQ(taken->RepeatSeconds, 30);
    EXPECT_EQ(taken->KillImage, L"C:\\a\\b.exe");
    EXPECT_FALSE(TakeAfterStartAlarm(reg));  // one-time

    EXPECT_EQ(AfterStartCommand(kExe), L"\"" + kExe + L"\" /alarm-po-starcie");
    EXPECT_TRUE(AfterStartCommand(std::wstring(200, L'a')));
    EXPECT_FALSE(AfterStartCommand(std::wstring(250, L'a')));
    EXPECT_FALSE(AfterStartCommand(L""));
}

TEST(AfterStart, TheMarkerIsNoTriggerAndLeavesTheRestOfTheCommandLine) {
    // The reader takes any parameter containing a code and a colon for the trigger.
    for (const wchar_t* code : {L"OD:", L"UG:", L"BI:", L"PO:", L"PZ:", L"PU:", L"PW:"}) {
        EXPECT_EQ(std::wstring(kAfterStartMarker).find(code), std::wstring::npos);
        EXPECT_EQ(std::wstring(kTakeOverMarker).find(code), std::wstring::npos);
    }

    std::vector<std::wstring> only{kExe, L"/ALARM-PO-STARCIE"};
    EXPECT_TRUE(TakeMarker(only, kAfterStartMarker));
    EXPECT_TRUE(only.empty());

    std::vector<std::wstring> more{kExe, L"OD: 0:0:5", L"/alarm-po-starcie", L"Domyślne okno"};
    EXPECT_TRUE(TakeMarker(more, kAfterStartMarker));
    EXPECT_EQ(more, (std::vector<std::wstring>{kExe, L"OD: 0:0:5", L"Domyślne okno"}));

    std::vector<std::wstring> none{kExe, L"OD: 0:0:5"};
    EXPECT_FALSE(TakeMarker(none, kAfterStartMarker));
    EXPECT_EQ(none.size(), 2u);
}

}  // namespace
}  // namespace klaxora
