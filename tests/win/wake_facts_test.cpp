// The wake timer's answer and the power options, which Wine never gives, through recorded calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "win/sys/power_facts_win.h"

namespace klaxora::win {
namespace {

struct Row {
    BOOL setResult;
    DWORD setError;
    bool scheme;
    std::optional<DWORD> mains, battery;
    BOOLEAN capabilities, aoac, batteries;
    WakeFacts facts;
} const* g;
GUID g_scheme;
std::wstring g_calls;
const GUID kSleep{0x238c9fa8, 0x0aad, 0x41ed, {0x83, 0xf4, 0x97, 0xbe, 0x24, 0x2c, 0x8f, 0x20}};
const GUID kAllow{0xbd3b718a, 0x0680, 0x4d9d, {0x8a, 0xb2, 0xe1, 0xd2, 0xb4, 0xac, 0x80, 0x6d}};

BOOL WINAPI FakeSet(HANDLE, const LARGE_INTEGER*, LONG, PTIMERAPCROUTINE, LPVOID, BOOL) {
    if (g->setError)
        SetLastError(g->setError);
    return g->setResult;
}
DWORD WINAPI FakeActive(HKEY, GUID** scheme) {
    g_calls += L"active ";
    return g->scheme ? (*scheme = &g_scheme, ERROR_SUCCESS) : ERROR_ACCESS_DENIED;
}
// Answers for the active scheme's "Allow wake timers" alone.
template <std::optional<DWORD> Row::*value>
DWORD WINAPI FakeRead(HKEY root, const GUID* scheme, const GUID* group, const GUID* id, DWORD* at) {
    g_calls += value == &Row::mains ? L"AC " : L"DC ";
    if (root || scheme != &g_scheme || *group != kSleep || *id != kAllow || !(g->*value))
        return ERROR_FILE_NOT_FOUND;
    *at = *(g->*value);
    return ERROR_SUCCESS;
}
HLOCAL WINAPI FakeFree(HLOCAL memory) {
    g_calls += memory == &g_scheme ? L"free" : L"free-other";
    return nullptr;
}
BOOLEAN WINAPI FakeCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities) {
    capabilities->SystemBatteriesPresent = g->batteries;
    reinterpret_cast<BYTE*>(capabilities)[20] = g->aoac;  // AoAc: after Hiberboot, WakeAlarmPresent
    return g->capabilities;
}

TEST(WakeFacts, TheTimersAnswerAndTheActiveSchemesOptions) {
    static const WakeTimerApi timerApi{&CreateWaitableTimerW, &FakeSet, &CancelWaitableTimer,
                                       &TzSpecificLocalTimeToSystemTime, &GetSystemTimeAsFileTime};
    static const PowerApi powerApi{&FakeActive, &FakeRead<&Row::mains>, &FakeRead<&Row::battery>,
                                   &FakeFree, &FakeCapabilities};
    const Row cases[] = {
        {TRUE, 0, true, 1, 0, true, 0, 1, {true, false, 1, 0, true, false}},
        {TRUE, ERROR_NOT_SUPPORTED, true, 2, {}, true, 1, 0, {true, true, 2, {}, false, true}},
        {TRUE, 0, true, 0, 0, false, 1, 1, {true, false, 0, 0, false, false}},
        {FALSE, 0, false, 1, 1, true, 0, 0, {false, false, {}, {}, false, false}},
    };
    WakeTimer timer(timerApi);
    WakePlan plan;
    plan.kind = WakePlan::Kind::AfterMs;
    for (const Row& row : cases) {
        g = &row;
        g_calls.clear();
        SetLastError(ERROR_NOT_SUPPORTED);  // left by an earlier call: not this timer's answer
        EXPECT_EQ(ReadWakeFacts(timer.Apply(plan), powerApi), row.facts) << &row - cases;
        EXPECT_EQ(g_calls, row.scheme ? L"active AC DC free" : L"active ") << &row - cases;
    }
    // Wine has no power scheme: nothing known, so no warning, and no crash on the missing exports.
    EXPECT_FALSE(WakeWarning(ReadWakeFacts(WakeTimer::Set)));
}

}  // namespace
}  // namespace klaxora::win
