#include "app/watch_loop.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

#include "app/connectivity.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_processes.h"
#include "fakes/memory_files.h"
#include "fakes/memory_registry.h"

namespace klaxora::testing {
namespace {

// Between two looks: real time passes, then perhaps the wall clock is set.
struct Move {
    int64_t passMs = 1000;
    std::optional<LocalDateTime> setTo;
    bool connected = true;
};
Move P(int64_t ms) {
    return {ms, std::nullopt, true};
}
Move Set(LocalDateTime local, int64_t ms = 0) {
    return {ms, local, true};
}
Move Off(int64_t ms = 1000) {
    return {ms, std::nullopt, false};
}
Move On(int64_t ms = 1000) {
    return {ms, std::nullopt, true};
}

struct Watch {
    FakeClock clock;
    FakeProcessWatch processes;
    MemoryFiles files;
    MemoryRegistry registry;
    WatchState state;

    explicit Watch(LocalDateTime start = At(12, 0, 0)) : clock(start) {}

    void Arm(std::wstring code, int32_t secondsLeft = 0) {
        state.TriggerCode = std::move(code);
        state.SecondsLeft = secondsLeft;
        state.Armed = true;
        ArmWatch(state, clock.Now());
    }
    TickOutcome Look() { return WatchTick(state, clock.Now(), {processes, files, registry}); }

    // Makes the moves, one look after each; the index of the look that fires (-1: none), and
    // SecondsLeft after every look.
    int Run(const std::vector<Move>& moves, std::vector<int32_t>* secondsLeft = nullptr) {
        for (size_t i = 0; i < moves.size(); ++i) {
            clock.Pass(moves[i].passMs);
            if (moves[i].setTo)
                clock.SetLocal(*moves[i].setTo);
            processes.connected = moves[i].connected;
            const TickOutcome outcome = Look();
            if (secondsLeft)
                secondsLeft->push_back(state.SecondsLeft);
            if (outcome.verdict == TickVerdict::Fire)
                return static_cast<int>(i);
        }
        return -1;
    }
};

TEST(CivilSeconds, RoundTripsAcrossLeapDaysAndYears) {
    for (const LocalDateTime t :
         {LocalDateTime{2024, 2, 29, 23, 59, 59, 0}, LocalDateTime{2000, 3, 1, 0, 0, 0, 0},
          LocalDateTime{1969, 12, 31, 12, 30, 1, 0}, LocalDateTime{2100, 12, 31, 7, 0, 0, 0}}) {
        const LocalDateTime back = FromCivilSeconds(CivilSeconds(t));
        EXPECT_EQ(CivilSeconds(back), CivilSeconds(t));
        EXPECT_EQ(back.day, t.day);
        EXPECT_EQ(back.month, t.month);
    }
    EXPECT_EQ(CivilSeconds({2024, 3, 1, 0, 0, 0, 0}) - CivilSeconds({2024, 2, 28, 0, 0, 0, 0}),
              2 * 86400);
}

TEST(ScaledClock, BothClocksRunScaleTimesFasterAndTimersWaitTheRealShare) {
    FakeClock real({2026, 12, 31, 23, 59, 51, 500});
    real.Pass(7000);  // an origin that is not zero
    ScaledClock fast(real, 100);
    const ClockReading first = fast.Now();
    EXPECT_EQ(first.monotonicMs, 7000);
    real.Pass(15);
    const ClockReading later = fast.Now();
    EXPECT_EQ(later.monotonicMs - first.monotonicMs, 1500);
    // The wall clock crosses midnight and the year with the scaled time (23:59:58.5 + 1.5 s).
    EXPECT_EQ(CivilSeconds(later.local), CivilSeconds({2027, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(later.local.millisecond, 0);
    for (const auto& [ms, realMs] :
         {std::pair<int64_t, int64_t>{1000, 10}, {1001, 11}, {1, 1}, {0, 0}, {-5, 0}})
        EXPECT_EQ(fast.RealMs(ms), realMs) << ms;

    // Real time passes readings and delays through unchanged.
    ScaledClock same(real, 1);
    EXPECT_EQ(same.Now().monotonicMs, real.Now().monotonicMs);
    EXPECT_EQ(same.RealMs(999), 999);
}

TEST(ScaledClock, ASettingOutsideOneToAThousandMeansRealTime) {
    for (const auto& [text, scale] : {std::pair<std::wstring_view, int32_t>{L"100", 100},
                                      {L"1000", 1000},
                                      {L"1", 1},
                                      {L"0", 1},
                                      {L"1001", 1},
                                      {L"", 1},
                                      {L"-5", 1},
                                      {L"10x", 1},
                                      {L" 10", 1},
                                      {L"99999999999999999999", 1}})
        EXPECT_EQ(ParseClockScale(text), scale) << std::wstring(text);
    FakeClock real;
    EXPECT_EQ(ScaledClock(real, 0).Scale(), 1);
    EXPECT_EQ(ScaledClock(real, 5000).Scale(), 1);
}

struct AtTimeCase {
    const char* name;
    LocalDateTime start;
    LocalDateTime alarm;
    std::vector<Move> moves;
    int firesAt;
};

TEST(AtTime, FiresOnceWhenTheWallClockPassesTheTime) {
    const AtTimeCase cases[] = {
        {"ticks out of phase with the clock's seconds",
         At(6, 59, 57, 500),
         At(7, 0, 0),
         {P(1000), P(1000), P(1000), P(1000)},
         2},
        {"a second that no tick falls into",
         At(6, 59, 58, 900),
         At(7, 0, 0),
         {P(1000), P(1200), P(1000)},
         1},
        {"merged ticks twenty seconds late", At(6, 59, 50), At(7, 0, 0), {P(20000)}, 0},
        {"the second of Start itself", At(7, 0, 0, 300), At(7, 0, 0), {P(700)}, 0},
        {"just passed at Start waits for the next day",
         At(7, 0, 1),
         At(7, 0, 0),
         {P(1000), P(1000), P(86396000), P(1000)},
         3},
        {"across midnight", At(23, 59, 58, 500), At(0, 0, 0), {P(1000), P(1000), P(1000)}, 1},
        {"asleep through it: once, on resume", At(6, 0, 0), At(7, 0, 0), {P(3 * 3600000)}, 0},
        {"asleep for days: once, on resume", At(6, 0, 0), At(5, 0, 0), {P(3 * 86400000LL)}, 0},
        {"clock or zone moved forward over it",
         At(6, 50, 0),
         At(7, 0, 0),
         {Set(At(7, 30, 0), 1000)},
         0},
        {"clock or zone moved back: waits for the clock to show it",
         At(6, 59, 50),
         At(7, 0, 0),
         {Set(At(6, 30, 0), 1000), P(1000), P(1797000), P(2000)},
         3},
        {"summer time skips the hour holding it",
         At(1, 59, 58, 0, 29),
         At(2, 30, 0),
         {P(1000), Set(At(3, 0, 0, 0, 29), 1000)},
         1},
        {"winter time repeats the hour: met when the clock shows it again",
         At(2, 45, 0, 0, 25),
         At(2, 30, 0),
         {P(899000), Set(At(2, 0, 0, 0, 25), 1000), P(1799000), P(1000)},
         3},
    };
    for (const AtTimeCase& c : cases) {
        Watch watch(c.start);
        watch.state.AtHour = c.alarm.hour;
        watch.state.AtMinute = c.alarm.minute;
        watch.state.AtSecond = c.alarm.second;
        watch.Arm(L"UG");
        EXPECT_EQ(watch.Run(c.moves), c.firesAt) << c.name;
    }
}

TEST(AtTime, LooksJustAfterEachSecondOfTheWallClock) {
    Watch watch(At(6, 0, 0, 250));
    watch.state.AtHour = 7;
    watch.Arm(L"UG");
    EXPECT_EQ(watch.Look().next->ms, 750);
    watch.clock.Pass(760);
    EXPECT_EQ(watch.Look().next->ms, 990);
}

struct CountdownCase {
    const char* name;
    int32_t seconds;
    std::vector<Move> moves;
    int firesAt;
    std::vector<int32_t> secondsLeft;
};

TEST(Countdown, FiresAtItsMonotonicDeadline) {
    const CountdownCase cases[] = {
        {"ticks on time", 3, {P(1000), P(1000), P(1000)}, 2, {2, 1, 0}},
        {"one second fires at the first look", 1, {P(1000)}, 0, {0}},
        {"late and merged ticks do not stretch it",
         10,
         {P(1700), P(6900), P(1300), P(100)},
         3,
         {9, 2, 1, 0}},
        {"asleep past the deadline: at once on resume", 60, {P(3600000)}, 0, {0}},
        {"the wall clock set back and forward moves nothing",
         4,
         {Set(At(3, 0, 0), 1000), Set(At(23, 0, 0, 0, 13), 1000), P(1000), P(1000)},
         3,
         {3, 2, 1, 0}},
    };
    for (const CountdownCase& c : cases) {
        Watch watch;
        watch.Arm(L"OD", c.seconds);
        std::vector<int32_t> left;
        EXPECT_EQ(watch.Run(c.moves, &left), c.firesAt) << c.name;
        EXPECT_EQ(left, c.secondsLeft) << c.name;
    }
}

TEST(Countdown, LooksFallOnTheDeadlinesWholeSeconds) {
    Watch watch;
    watch.Arm(L"OD", 3);
    watch.clock.Pass(300);
    EXPECT_EQ(watch.Look().next->ms, 700);
    watch.clock.Pass(2650);
    EXPECT_EQ(watch.Look().next->ms, 50);
    // A resumed count-down's deadline lies between whole seconds: the first look is on it.
    WatchState resumed;
    resumed.TriggerCode = L"OD";
    const ClockReading now{10'000, {}, 0};
    for (const auto& [leftMs, firstMs] : {std::pair{300, 300}, {2300, 300}, {3000, 1000}}) {
        resumed.Timing.DueMs = now.monotonicMs + leftMs;
        EXPECT_EQ(FirstLook(resumed, now).ms, firstMs) << leftMs;
    }
}

TEST(Countdown, ARepeatCountsFromTheMomentItIsRearmed) {
    Watch watch(At(7, 0, 0));
    watch.state.RepeatSeconds = 5;
    watch.Arm(L"UG");
    watch.clock.Pass(60000);  // the message box stood open for a minute
    EXPECT_TRUE(RearmForRepeat(watch.state, watch.clock.Now()));
    EXPECT_EQ(watch.state.TriggerCode, L"OD");
    EXPECT_EQ(watch.state.SecondsLeft, 5);
    EXPECT_EQ(watch.Run({P(4999), P(1)}), 1);

    // Stopped while the action ran: stays stopped, its trigger untouched.
    Watch stopped;
    stopped.state.RepeatSeconds = 5;
    stopped.Arm(L"PU", 100);
    stopped.state.Armed = false;
    EXPECT_FALSE(RearmForRepeat(stopped.state, stopped.clock.Now()));
    EXPECT_EQ(stopped.state.TriggerCode, L"PU");
}

struct NoInternetCase {
    const char* name;
    int32_t limit;
    std::vector<Move> moves;
    int firesAt;
    std::vector<int32_t> secondsLeft;
};

TEST(NoInternet, FiresAfterThatManySecondsWithoutAConnection) {
    const NoInternetCase cases[] = {
        {"timed from the first look without a connection",
         3,
         {Off(), Off(), Off(), Off()},
         3,
         {3, 2, 1, 0}},
        {"a flicker of connection restores the full time",
         3,
         {Off(), Off(), On(), Off(), Off(), Off(), Off()},
         6,
         {3, 2, 3, 3, 2, 1, 0}},
        {"no seconds: the first look without a connection", 0, {On(), Off()}, 1, {0, 0}},
        {"merged looks count the time between them", 5, {Off(), Off(4000), Off()}, 2, {5, 1, 0}},
        {"an unwatched gap (sleep) times the loss afresh",
         3,
         {Off(), Off(60000), Off(), Off(), Off()},
         4,
         {3, 3, 2, 1, 0}},
    };
    for (const NoInternetCase& c : cases) {
        Watch watch;
        watch.registry.Set(kSettingsKey, kNoInternetValue,
                           {RegistryType::Dword, {}, static_cast<uint32_t>(c.limit)});
        watch.Arm(L"BI", c.limit);
        std::vector<int32_t> left;
        EXPECT_EQ(watch.Run(c.moves, &left), c.firesAt) << c.name;
        EXPECT_EQ(left, c.secondsLeft) << c.name;
    }
}

struct ProgramCase {
    const wchar_t* code;
    bool fileExists;
    bool running;
    bool hung;
    TickVerdict verdict;
    std::wstring_view message;
};

TEST(ProgramTriggers, FireOnTheirConditionAndAbortWhenTheFileIsGone) {
    const ProgramCase cases[] = {
        {L"PU", true, true, false, TickVerdict::Fire, {}},
        {L"PU", true, false, false, TickVerdict::Wait, {}},
        {L"PU", false, false, false, TickVerdict::Abort, kProgramStartedMissing},
        {L"PZ", true, true, false, TickVerdict::Wait, {}},
        {L"PZ", true, false, false, TickVerdict::Fire, {}},
        {L"PZ", false, true, false, TickVerdict::Abort, kProgramClosedMissing},
        {L"PO", true, false, true, TickVerdict::Wait, {}},
        {L"PO", true, true, false, TickVerdict::Wait, {}},
        {L"PO", true, true, true, TickVerdict::Fire, {}},
        {L"PO", false, true, true, TickVerdict::Abort, kProgramNotRespondingMissing},
    };
    const std::wstring path = L"C:\\Programy\\Edytor.exe";
    for (const ProgramCase& c : cases) {
        Watch watch;
        if (c.fileExists)
            watch.files.AddFile(path);
        if (c.running)
            watch.processes.Run(L"c:\\programy\\EDYTOR.EXE", 42, 0x500);
        if (c.hung)
            watch.processes.hung.insert(0x500);
        watch.state.WatchedProgramPath = path;
        watch.Arm(c.code, 100);
        const TickOutcome outcome = watch.Look();
        const std::string name = ToUtf8(c.code) + " exists=" + std::to_string(c.fileExists) +
                                 " running=" + std::to_string(c.running);
        EXPECT_EQ(outcome.verdict, c.verdict) << name;
        EXPECT_EQ(outcome.message, c.message) << name;
        EXPECT_EQ(outcome.message.empty(), c.verdict != TickVerdict::Abort) << name;
    }
}

// Only the look that meets the trigger is due: that one is woken precisely and favoured.
TEST(NextLook, IsDueOnlyWhenItMeetsTheTrigger) {
    using Looks = std::vector<std::pair<int32_t, bool>>;  // the first look's, then each look's
    const std::tuple<LocalDateTime, const wchar_t*, int32_t, bool, std::vector<int64_t>, Looks>
        cases[] = {
            {At(12, 0, 0), L"OD", 3, true, {1000, 1000}, {{1000, 0}, {1000, 0}, {1000, 1}}},
            {At(12, 0, 0), L"OD", 2, true, {1000, 998}, {{1000, 0}, {1000, 1}, {2, 1}}},  // early
            {At(6, 59, 58, 250), L"UG", 0, true, {760}, {{750, 0}, {990, 1}}},
            {At(7, 0, 0, 400), L"UG", 0, true, {}, {{600, 1}}},  // its own second: still to come
            {At(7, 0, 1, 400), L"UG", 0, true, {600}, {{600, 0}, {1000, 0}}},  // tomorrow
            {At(12, 0, 0), L"BI", 1, false, {0}, {{1000, 0}, {1000, 1}}},
        };
    for (const auto& [start, code, seconds, connected, passes, looks] : cases) {
        Watch watch(start);
        watch.state.AtHour = 7;
        watch.processes.connected = connected;
        watch.Arm(code, seconds);
        const NextLook first = FirstLook(watch.state, watch.clock.Now());
        Looks next{{first.ms, first.due}};
        for (const int64_t ms : passes) {
            watch.clock.Pass(ms);
            const auto outcome = watch.Look().next.value_or(NextLook{-1});
            next.emplace_back(outcome.ms, outcome.due);
        }
        EXPECT_EQ(next, looks) << ToUtf8(code) << " " << start.second;
    }
}

TEST(WatchTick, LooksAtNothingWhileDisarmedFiringOrAfterLogon) {
    Watch watch;
    watch.processes.connected = false;
    watch.Arm(L"BI", 0);
    watch.state.Firing = true;  // an earlier firing is still being performed
    EXPECT_EQ(watch.Look().verdict, TickVerdict::Wait);
    watch.state.Firing = false;
    watch.state.Armed = false;
    EXPECT_EQ(watch.Look().verdict, TickVerdict::Wait);
    EXPECT_EQ(watch.processes.connectionChecks, 0);

    for (const wchar_t* code : {L"PW", L"", L"od"}) {
        Watch other;
        other.Arm(code, 0);
        const TickOutcome outcome = other.Look();
        EXPECT_EQ(outcome.verdict, TickVerdict::Wait) << ToUtf8(code);
        EXPECT_FALSE(outcome.next) << ToUtf8(code);  // no timer needed
    }
}

TEST(WakeTimer, SetForTimedAlarmsOnly) {
    Watch countdown;
    countdown.Arm(L"OD", 90);
    countdown.clock.Pass(30000);
    WakePlan plan = PlanWake(countdown.state, countdown.clock.Now());
    EXPECT_EQ(plan.kind, WakePlan::Kind::AfterMs);
    EXPECT_EQ(plan.afterMs, 60000);
    countdown.clock.Pass(3600000);
    EXPECT_EQ(PlanWake(countdown.state, countdown.clock.Now()).afterMs, 0);
    countdown.state.Firing = true;  // fired: cancel
    EXPECT_EQ(PlanWake(countdown.state, countdown.clock.Now()).kind, WakePlan::Kind::None);

    // A time of day wakes at its next showing on the wall clock, today or tomorrow.
    for (const auto& [armedAt, due] :
         {std::pair{At(6, 0, 0), At(7, 15, 0)}, std::pair{At(8, 0, 0), At(7, 15, 0, 0, 15)}}) {
        Watch atTime(armedAt);
        atTime.state.AtHour = 7;
        atTime.state.AtMinute = 15;
        atTime.Arm(L"UG");
        plan = PlanWake(atTime.state, atTime.clock.Now());
        EXPECT_EQ(plan.kind, WakePlan::Kind::AtLocal);
        EXPECT_EQ(CivilSeconds(plan.at), CivilSeconds(due));
        atTime.state.Armed = false;  // stopped: cancel
        EXPECT_EQ(PlanWake(atTime.state, atTime.clock.Now()).kind, WakePlan::Kind::None);
    }

    for (const wchar_t* code : {L"BI", L"PU", L"PO", L"PZ", L"PW"}) {
        Watch other;
        other.Arm(code, 100);
        EXPECT_EQ(PlanWake(other.state, other.clock.Now()).kind, WakePlan::Kind::None);
    }
}

// Only the manager's Internet counts (not a LAN's: 0x31); the older question only without it.
TEST(Connectivity, TheManagersInternetDecidesAndTheOlderAnswerOnlyWithoutIt) {
    using Case = std::tuple<std::optional<uint32_t>, bool, bool>;
    for (const auto& [manager, older, connected] : std::vector<Case>{
             {{}, true, true}, {{}, false, false}, {0x31, true, false}, {0x402, false, true}}) {
        int asked = 0;
        EXPECT_EQ(InternetConnected(manager, [&, o = older] { return ++asked, o; }), connected);
        EXPECT_EQ(asked, manager ? 0 : 1);
    }
}

}  // namespace
}  // namespace klaxora::testing
