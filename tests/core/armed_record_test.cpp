#include <gtest/gtest.h>

#include "app/armed_record.h"
#include "app/watch_loop.h"
#include "fakes/memory_registry.h"

namespace klaxora {
namespace {

using testing::MemoryRegistry;

constexpr int64_t kHour = 3600 * 1000;
constexpr int64_t kArmedAt = 1'700'000'000'000;  // UTC

ArmedRecord Record(std::wstring code, std::optional<int64_t> dueIn, int32_t repeat = 0) {
    ArmedRecord r;
    r.definition = L" \"OD: 3:0:0\" \"Komunikat\" \"UWAGA !!!|Już czas !!!\"";
    r.watch.TriggerCode = std::move(code);
    r.watch.SecondsLeft = 3 * 3600;
    r.watch.AtHour = 6;
    r.watch.AtMinute = 30;
    r.watch.ActionCaption = L"Komunikat";
    r.watch.ActionParameter = std::wstring(L"UWAGA !!!") + kMessageSeparator + L"Już czas !!!";
    r.watch.RepeatSeconds = repeat;
    r.armedUtcMs = kArmedAt;
    if (dueIn)
        r.dueUtcMs = kArmedAt + *dueIn;
    return r;
}

TEST(ArmedRecordResumption, AMomentAheadWaitsForItAPassedOneFiresOnceAtOnce) {
    struct Case {
        const wchar_t* what;
        ArmedRecord record;
        int64_t nowAfterArming;
        bool fireNow;
        std::optional<int64_t> remainingMs;
    } cases[] = {
        {L"count-down ahead", Record(L"OD", 3 * kHour), kHour, false, 2 * kHour},
        {L"count-down just passed", Record(L"OD", 3 * kHour), 3 * kHour + 1, true, {}},
        {L"count-down due this very moment", Record(L"OD", 3 * kHour), 3 * kHour, true, {}},
        {L"passed by days, still once", Record(L"OD", 3 * kHour, 60), 72 * kHour, true, {}},
        {L"clock set back: no longer than set", Record(L"OD", 3 * kHour), -5 * kHour, false,
         3 * kHour},
        {L"time of day ahead: awaited as usual", Record(L"UG", 8 * kHour), kHour, false, {}},
        {L"time of day missed", Record(L"UG", 8 * kHour), 9 * kHour, true, {}},
        {L"a program trigger has no moment", Record(L"PU", {}), 99 * kHour, false, {}},
        {L"after Windows start has no moment", Record(L"PW", {}), 99 * kHour, false, {}},
    };
    for (const Case& c : cases) {
        const Resumption r = PlanResumption(c.record, kArmedAt + c.nowAfterArming);
        EXPECT_EQ(r.fireNow, c.fireNow) << c.what;
        EXPECT_EQ(r.remainingMs, c.remainingMs) << c.what;
    }
    // The resumed count-down's deadline lies what is left ahead of the monotonic clock.
    WatchState w = Record(L"OD", 3 * kHour).watch;
    ResumeWatch(w, {.fireNow = false, .remainingMs = 2 * kHour},
                ClockReading{5000, {}, kArmedAt + kHour});
    EXPECT_EQ(w.Timing.DueMs, 5000 + 2 * kHour);
}

TEST(ArmedRecordStore, RoundTripsAndADamagedOrNewerRecordReadsAsNothing) {
    MemoryRegistry reg;
    ArmedRecord written = Record(L"OD", 3 * kHour, 30);
    written.watch.KillCreated = 133'000'000'000'000'000;
    WriteArmedRecord(reg, L"a1", written);
    WriteArmedRecord(reg, L"b2", Record(L"PW", {}));
    EXPECT_EQ(ReadArmedRecord(reg, L"a1"), written);
    EXPECT_EQ(ArmedRecordIds(reg), (std::vector<std::wstring>{L"a1", L"b2"}));

    const std::wstring key = std::wstring(kArmedRecordsKey) + L"\\a1";
    struct Damage {
        const wchar_t* name;
        RegistryValue value;
    } damages[] = {
        {L"Wersja", {RegistryType::Dword, L"", kArmedRecordVersion + 1}},
        {L"Kod", {RegistryType::String, L"XX", 0}},
        {L"Termin", {RegistryType::String, L"jutro", 0}},
        {L"Termin", {RegistryType::String, L"", 0}},  // a count-down without its moment
        {L"Powtorka", {RegistryType::String, L"30", 0}},
        {L"ZabijStart", {RegistryType::String, L"-1", 0}},
    };
    for (const Damage& d : damages) {
        WriteArmedRecord(reg, L"a1", written);
        reg.Set(key, d.name, d.value);
        EXPECT_FALSE(ReadArmedRecord(reg, L"a1")) << d.name;
    }
    DeleteArmedRecord(reg, L"a1");
    EXPECT_EQ(ArmedRecordIds(reg), std::vector<std::wstring>{L"b2"});
    // A write that fails half-way leaves no record behind.
    reg.FailWrites(true);
    EXPECT_THROW(WriteArmedRecord(reg, L"c3", written), UserError);
    EXPECT_EQ(ArmedRecordIds(reg), std::vector<std::wstring>{L"b2"});
}

TEST(ArmedRecordDue, ACountDownAndATimeOfDayFallDueAtTheirUtcMoment) {
    WatchState w;
    w.TriggerCode = L"OD";
    w.SecondsLeft = 90;
    const ClockReading now{1000, {2026, 3, 14, 23, 0, 0, 250}, kArmedAt};
    ArmWatch(w, now);
    EXPECT_EQ(DueUtcMs(w, now), kArmedAt + 90'000);
    w.TriggerCode = L"UG";
    w.AtHour = 6;
    w.AtMinute = 30;
    ArmWatch(w, now);
    EXPECT_EQ(DueUtcMs(w, now), kArmedAt + 7 * kHour + kHour / 2 - 250);  // tomorrow morning
    w.TriggerCode = L"PW";
    EXPECT_EQ(DueUtcMs(w, now), std::nullopt);
}

}  // namespace
}  // namespace klaxora
