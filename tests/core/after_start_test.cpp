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

TEST(AfterStart, RegistersTheMarkerRunAndHandsTheActionOverOnce) {
    MemoryRegistry reg;
    RegisterAfterStart(reg, Armed(), kExe);
    const auto run = reg.Open(kRunOnceKey)->Read(kRunOnceValue);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->text, L"\"" + kExe + L"\" /alarm-po-starcie");
    // The action is written before the run that needs it.
    ASSERT_FALSE(reg.WriteLog().empty());
    EXPECT_NE(reg.WriteLog().back().find(L"RunOnce"), std::wstring::npos);

    const auto taken = TakeAfterStartAlarm(reg);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->TriggerCode, L"PW");
    EXPECT_FALSE(taken->Armed);
    EXPECT_EQ(taken->ActionParameter, Armed().ActionParameter);
    EXPECT_EQ(taken->RepeatSeconds, 30);
    EXPECT_EQ(taken->KillImage, L"C:\\a\\b.exe");
    EXPECT_FALSE(TakeAfterStartAlarm(reg));  // one-time

    RegisterAfterStart(reg, Armed(), kExe);
    UnregisterAfterStart(reg);
    EXPECT_FALSE(reg.Open(kRunOnceKey)->Read(kRunOnceValue));
    EXPECT_FALSE(TakeAfterStartAlarm(reg));
    UnregisterAfterStart(reg);  // nothing registered: no error
}

TEST(AfterStart, RefusesWhatTheLogonRunCannotCarryAndLeavesNothingBehind) {
    MemoryRegistry reg;
    EXPECT_TRUE(AfterStartCommand(std::wstring(200, L'a')));
    EXPECT_FALSE(AfterStartCommand(std::wstring(250, L'a')));
    EXPECT_FALSE(AfterStartCommand(L""));
    EXPECT_THROW(RegisterAfterStart(reg, Armed(), std::wstring(250, L'a')), UserError);
    EXPECT_FALSE(reg.Open(kRunOnceKey)->Read(kRunOnceValue));

    reg.FailOpen(kRunOnceKey);
    EXPECT_THROW(RegisterAfterStart(reg, Armed(), kExe), UserError);
    EXPECT_FALSE(TakeAfterStartAlarm(reg));  // the stored action went with the failure
}

TEST(AfterStart, TheMarkerIsNoTriggerAndLeavesTheRestOfTheCommandLine) {
    // The reader takes any parameter containing a code and a colon for the trigger.
    for (const wchar_t* code : {L"OD:", L"UG:", L"BI:", L"PO:", L"PZ:", L"PU:", L"PW:"})
        EXPECT_EQ(std::wstring(kAfterStartMarker).find(code), std::wstring::npos);

    std::vector<std::wstring> only{kExe, L"/ALARM-PO-STARCIE"};
    EXPECT_TRUE(TakeAfterStartMarker(only));
    EXPECT_TRUE(only.empty());

    std::vector<std::wstring> more{kExe, L"OD: 0:0:5", L"/alarm-po-starcie", L"Domyślne okno"};
    EXPECT_TRUE(TakeAfterStartMarker(more));
    EXPECT_EQ(more, (std::vector<std::wstring>{kExe, L"OD: 0:0:5", L"Domyślne okno"}));

    std::vector<std::wstring> none{kExe, L"OD: 0:0:5"};
    EXPECT_FALSE(TakeAfterStartMarker(none));
    EXPECT_EQ(none.size(), 2u);
}

}  // namespace
}  // namespace klaxora
