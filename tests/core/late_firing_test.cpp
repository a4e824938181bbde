#include "app/late_firing.h"

#include <gtest/gtest.h>

#include "app/armed_record.h"
#include "app/watch_loop.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_processes.h"
#include "fakes/memory_files.h"
#include "fakes/memory_registry.h"
#include "util/text.h"

namespace klaxora::testing {
namespace {

constexpr int64_t kMinute = 60'000;

// What a firing look does, from the moment the alarm was due to how late the look says it is:
// a count-down across a sleep, a time of day with the clock set forward, a record taken over.
TEST(LateFiring, OnlyWhatMerelyTellsTheUserIsDoneLateWithoutAskingOnce) {
    struct Case {
        const wchar_t* action;
        int64_t lateMs;
        FiringVerdict verdict;
    } cases[] = {
        {L"Zamknij system/Wyłącz komputer", kLateGraceMs, FiringVerdict::Fire},
        {L"Zamknij system/Wyłącz komputer", kLateGraceMs + 1, FiringVerdict::Ask},
        {L"Zabij proces", 5 * kMinute, FiringVerdict::Ask},
        {L"Inne możliwości", 5 * kMinute, FiringVerdict::Ask},
        {L"Odegraj dźwięk", 600 * kMinute, FiringVerdict::Fire},
        {L"zamknij system/wyłącz komputer", 5 * kMinute, FiringVerdict::Drop},
        {L"", 0, FiringVerdict::Fire},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideFiring(c.action, c.lateMs), c.verdict) << ToUtf8(c.action) << c.lateMs;

    // How late each way of missing the moment reports it, whatever the number of missed repeats.
    FakeClock clock(LocalDateTime{2026, 12, 8, 7, 0, 0});
    FakeProcessWatch processes;
    MemoryFiles files;
    MemoryRegistry registry;
    WatchState countdown;
    countdown.Armed = true;
    countdown.TriggerCode = L"OD";
    countdown.SecondsLeft = 10;
    ArmWatch(countdown, clock.Now());
    clock.Pass(3 * 3600'000);  // asleep for three hours
    EXPECT_EQ(WatchTick(countdown, clock.Now(), {processes, files, registry}).lateMs,
              3 * 3600'000 - 10'000);
    WatchState atTime = countdown;
    atTime.TriggerCode = L"UG";
    atTime.AtHour = 10;
    atTime.AtMinute = 5;
    ArmWatch(atTime, clock.Now());
    clock.SetLocal(LocalDateTime{2026, 12, 8, 12, 5, 0, 250});  // set two hours forward
    EXPECT_EQ(WatchTick(atTime, clock.Now(), {processes, files, registry}).lateMs,
              2 * 3600'000 + 250);
    ArmedRecord kept;
    kept.watch = countdown;
    kept.dueUtcMs = 1'000'000;
    kept.armedUtcMs = 1'000'000 - 10'000;
    EXPECT_EQ(PlanResumption(kept, {0, {}, 1'000'000 + 7 * kMinute}).lateMs, 7 * kMinute);
}

// Taken over after a restart, a trigger that watches a state first has to see the state it
// waits to change: a program not running yet has not closed, a network not up yet is not lost.
TEST(LateFiring, TakenOverStateTriggersFirstSeeWhatTheyWatch) {
    struct Case {
        const wchar_t* code;
        std::vector<bool> seen;  // at each look: the program runs (hung for "PO"), or the net is up
        int firesAtLook;         // -1: none
    } cases[] = {
        {L"PZ", {false, false}, -1}, {L"PZ", {true, false}, 1}, {L"BI", {false, false}, -1},
        {L"BI", {true, false}, 1},   {L"PU", {false, true}, 1}, {L"PO", {false, true}, 1},
    };
    const std::wstring path = L"C:\\Programy\\Edytor.exe";
    for (const Case& c : cases) {
        FakeClock clock;
        FakeProcessWatch processes;
        MemoryFiles files;
        MemoryRegistry registry;
        files.AddFile(path);
        WatchState state;
        state.Armed = true;
        state.TriggerCode = c.code;
        state.WatchedProgramPath = path;
        ResumeWatch(state, {}, clock.Now());
        int fired = -1;
        for (size_t look = 0; look < c.seen.size() && fired < 0; ++look) {
            processes.connected = c.seen[look];
            processes.Close(path);
            processes.hung = {0x500};
            if (c.seen[look])
                processes.Run(path, 42, 0x500);
            clock.Pass(1000);
            if (WatchTick(state, clock.Now(), {processes, files, registry}).verdict ==
                TickVerdict::Fire)
                fired = static_cast<int>(look);
        }
        EXPECT_EQ(fired, c.firesAtLook) << ToUtf8(c.code) << c.seen[0];
    }
}

}  // namespace
}  // namespace klaxora::testing
