#include <gtest/gtest.h>

#include "app/armed_record.h"
#include "app/snooze.h"
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

// The local moment kept for a time of day, `hours` after the local clock's arming.
constexpr int64_t kLocalArmedAt = 63'900'000'000;  // CivilSeconds, some day in 2025
ArmedRecord InLocal(ArmedRecord r, int64_t hours) {
    r.dueLocalSeconds = kLocalArmedAt + hours * 3600;
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
        {L"time of day ahead on the local clock, passed by UTC (daylight saving ended)",
         InLocal(Record(L"UG", 8 * kHour), 8),
         8 * kHour + kHour / 2,
         false,
         {}},
        {L"time of day passed on the local clock",
         InLocal(Record(L"UG", 8 * kHour), 8),
         12 * kHour,
         true,
         {}},
        {L"a program trigger has no moment", Record(L"PU", {}), 99 * kHour, false, {}},
        {L"after Windows start has no moment", Record(L"PW", {}), 99 * kHour, false, {}},
    };
    for (const Case& c : cases) {
        // The local clock shows an hour less than the UTC distance says, as after a change.
        const ClockReading now{0, FromCivilSeconds(kLocalArmedAt + c.nowAfterArming / 1000 - 3600),
                               kArmedAt + c.nowAfterArming};
        const Resumption r = PlanResumption(c.record, now);
        EXPECT_EQ(r.fireNow, c.fireNow) << c.what;
        EXPECT_EQ(r.remainingMs, c.remainingMs) << c.what;
    }
    // The resumed count-down's deadline lies what is left ahead of the monotonic clock.
    WatchState w = Record(L"OD", 3 * kHour).watch;
    ResumeWatch(w, {.fireNow = false, .remainingMs = 2 * kHour},
                ClockReading{5000, {}, kArmedAt + kHour});
    EXPECT_EQ(w.Timing.DueMs, 5000 + 2 * kHour);
}

TEST(ArmedRecordStore, RoundTripsAndOnlyWhatIsThereAndGarbledIsDamaged) {
    MemoryRegistry reg;
    ArmedRecord written = Record(L"OD", 3 * kHour, 30);
    written.watch.KillCreated = 133'000'000'000'000'000;
    written.computer = L"BIURO";
    WriteArmedRecord(reg, L"a1", written);
    WriteArmedRecord(reg, L"b2", Record(L"PW", {}));
    EXPECT_EQ(ReadArmedRecord(reg, L"a1", L"biuro").record, written);
    EXPECT_EQ(ArmedRecordIds(reg), (std::vector<std::wstring>{L"a1", L"b2"}));

    const std::wstring key = std::wstring(kArmedRecordsKey) + L"\\a1";
    const auto text = [](std::wstring t) { return RegistryValue{RegistryType::String, t, 0}; };
    struct Change {
        const wchar_t* name;
        RegistryValue value;
        RecordState state;
        const wchar_t* code = L"OD";
    } changes[] = {
        {L"Wersja", {RegistryType::Dword, L"", kArmedRecordVersion + 1}, RecordState::OtherVersion},
        {L"Komputer", text(L"DOM"), RecordState::OtherComputer},
        {L"Komputer", text(L""), RecordState::Whole},  // written before the name was kept
        {L"Kod", text(L"XX"), RecordState::Damaged},
        {L"Termin", text(L"jutro"), RecordState::Damaged},
        {L"Termin", text(L""), RecordState::Damaged},  // a count-down without its moment
        {L"Powtorka", text(L"30"), RecordState::Damaged},
        {L"ZabijStart", text(L"-1"), RecordState::Damaged},
        {L"Termin", text(std::to_wstring(kArmedAt - 5000)), RecordState::Damaged},       // before
        {L"Termin", text(std::to_wstring(kArmedAt + 4 * kHour)), RecordState::Damaged},  // beyond
        {L"Termin", text(L"253402300800000"), RecordState::Damaged},  // after year 9999
        {L"Uzbrojono", text(L"-9223372036854775808"), RecordState::Damaged},
        {L"Godzina", {RegistryType::Dword, L"", 23}, RecordState::Whole, L"UG"},
        {L"Godzina", {RegistryType::Dword, L"", 99}, RecordState::Damaged, L"UG"},
    };
    for (const Change& c : changes) {
        ArmedRecord base = written;
        base.watch.TriggerCode = c.code;
        WriteArmedRecord(reg, L"a1", base);
        reg.Set(key, c.name, c.value);
        EXPECT_EQ(ReadArmedRecord(reg, L"a1", L"BIURO").state, c.state) << c.name;
    }
    // Gone after it was listed (another copy finished it): nothing to say, nothing created.
    DeleteArmedRecord(reg, L"a1");
    EXPECT_EQ(ReadArmedRecord(reg, L"a1", L"BIURO").state, RecordState::Gone);
    EXPECT_FALSE(reg.KeyExists(key));
    EXPECT_EQ(ArmedRecordIds(reg), std::vector<std::wstring>{L"b2"});
    // A write that fails half-way leaves no record behind.
    reg.FailWrites(true);
    EXPECT_THROW(WriteArmedRecord(reg, L"c3", written), UserError);
    EXPECT_EQ(ArmedRecordIds(reg), std::vector<std::wstring>{L"b2"});
}

TEST(ArmedRecordTakeOver, APlainStartStartsAtMostEightCopiesAndSaysWhatWaits) {
    EXPECT_EQ(PlanTakeOver(0).copies, 0u);
    EXPECT_FALSE(PlanTakeOver(8).message);
    const TakeOverPlan many = PlanTakeOver(11);
    EXPECT_EQ(many.copies, 8u);
    EXPECT_EQ(*many.message,
              L"Przywrócono zapamiętane alarmy: 9. Pozostałe (3) zostaną "
              L"przywrócone przy następnym uruchomieniu programu.");
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

namespace klaxora {
namespace {

// The moment as the icon's tip and the armed window name it, and the snooze that arms one.
TEST(ArmedMoment, TheDayIsNamedWhenItIsNotTodayAndASnoozeIsACountDownOfItsAction) {
    const ClockReading now{1000, {2026, 12, 30, 23, 0, 0, 0}, kArmedAt};
    struct Case {
        std::wstring code;
        int32_t seconds, hour;
        std::optional<std::wstring> text;
    } cases[] = {
        {L"OD", 1800, 0, L"o 23:30:00"},
        {L"OD", 7200, 0, L"jutro o 01:00:00"},  // past midnight, and the year's end
        {L"OD", 50 * 3600, 0, L"2.01 o 01:00:00"},
        {L"UG", 0, 22, L"jutro o 22:00:00"},  // an hour that passed comes tomorrow
        {L"UG", 0, 6, L"jutro o 06:00:00"},
        {L"PU", 0, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        WatchState w;
        w.TriggerCode = c.code;
        w.SecondsLeft = c.seconds;
        w.AtHour = c.hour;
        ArmWatch(w, now);
        EXPECT_EQ(DueMomentText(w, now), c.text) << c.code << c.seconds;
    }

    WatchState fired;
    fired.TriggerCode = L"UG";
    fired.ActionCaption = L"Domyślne okno";
    fired.Timing.LastLocalSeconds = 12345;
    EXPECT_TRUE(SnoozeOffered(fired));
    const WatchState snooze = PlanSnooze(fired, 10);
    EXPECT_EQ(snooze.TriggerCode, L"OD");
    EXPECT_EQ(snooze.SecondsLeft, 600);
    EXPECT_EQ(snooze.ActionCaption, fired.ActionCaption);
    EXPECT_EQ(snooze.Timing.LastLocalSeconds, 0);
    EXPECT_EQ(snooze.RepeatSeconds, 0);
    for (const auto& [stored, minutes] : {std::pair{1, 1}, {60, 60}, {0, 5}, {61, 5}, {-3, 5}})
        EXPECT_EQ(SnoozeMinutes(stored), minutes) << stored;
    fired.RepeatSeconds = 30;  // a repeat goes on: no snooze would replace it
    EXPECT_FALSE(SnoozeOffered(fired));
    WatchState armed = snooze;
    armed.Armed = true;
    EXPECT_NE(TrayTip(L"Klaxora", armed, L"o 07:05:00").find(L"\no 07:05:00"), std::wstring::npos);
}

}  // namespace
}  // namespace klaxora
