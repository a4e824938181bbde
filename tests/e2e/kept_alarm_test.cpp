// Armed alarms outlive their copy: ended hard, a copy's alarm is taken over by the next one at
// its original moment; closed by the user, it is gone; each copy's alarm is its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/program.h"

namespace klaxora::e2e {
namespace {

const std::wstring kRecords = L"Software\\Vantrelix\\Klaxora\\Uzbrojone";
const std::wstring kRunOnce = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

int64_t UtcMs() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return static_cast<int64_t>(
               ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000) -
           11644473600000LL;
}

// The records written whole: the version is the last value a record gets.
size_t KeptRecords() {
    size_t whole = 0;
    for (const std::wstring& id : SubkeyNames(kRecords)) {
        for (const std::wstring& name : ValueNames(kRecords + L"\\" + id))
            whole += name == L"Wersja";
    }
    return whole;
}

HWND StartButton(HWND window) {
    for (HWND c : Descendants(window)) {
        if (ClassName(c) == L"Button" && WindowText(c) == L"Rozpocznij odliczanie czasu")
            return c;
    }
    return nullptr;
}

// Presses Start in the window a definition on the command line filled; true once it is kept.
bool PressStart(RunningProgram& program) {
    const HWND window = program.FindVisibleWindowOf(L"TF_Alarm");
    if (!window || !program.WaitIdle())
        return false;
    const HWND start = StartButton(window);
    if (!start || !WaitFor([&] { return IsWindowEnabled(start) != FALSE; }))
        return false;
    const size_t before = KeptRecords();
    PostMessageW(start, BM_CLICK, 0, 0);
    return WaitFor([&] { return KeptRecords() == before + 1; });
}

std::wstring Arguments(const std::wstring& trigger, const std::wstring& text) {
    return L"\"" + trigger + L"\" \"Komunikat\" \"UWAGA !!!|" + text + L"\"";
}

// The one kept record, its moment moved to `dueUtcMs` and armed `armedMs` before it, as if its
// copy had been ended long before that moment or the computer had been off since.
void MoveOnlyRecord(int64_t dueUtcMs, int64_t armedMs) {
    const std::wstring record = kRecords + L"\\" + SubkeyNames(kRecords).at(0);
    WriteString(record, L"Termin", std::to_wstring(dueUtcMs));
    WriteString(record, L"Uzbrojono", std::to_wstring(dueUtcMs - armedMs));
}

// The copies started while it lives run their clocks `scale` times faster (null: real time).
struct ClockScale {
    explicit ClockScale(const wchar_t* scale) { SetEnvironmentVariableW(kScale, scale); }
    ~ClockScale() { SetEnvironmentVariableW(kScale, nullptr); }
    static constexpr const wchar_t* kScale = L"KLAXORA_CLOCK_SCALE";
};

// The message boxes of the process showing `text`, each answered: the first awaited up to
// `firstMs`, then any further one until none came for `quietMs`.
struct Answered {
    int count = 0;
    int64_t firstAt = 0;  // UTC
};
Answered AnswerBoxes(const RunningProgram& program, const std::wstring& text, DWORD firstMs,
                     DWORD quietMs) {
    Answered answered;
    ULONGLONG end = GetTickCount64() + firstMs;
    while (GetTickCount64() < end) {
        for (HWND w : WindowsOfProcess(program.Id())) {
            if (ClassName(w) == L"#32770" && IsWindowVisible(w) && MessageBoxText(w) == text) {
                if (answered.count++ == 0)
                    answered.firstAt = UtcMs();
                PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                WaitFor([&] { return !IsWindow(w) || !IsWindowVisible(w); }, 5000);
                end = GetTickCount64() + quietMs;
            }
        }
        Sleep(20);
    }
    return answered;
}

class KeptAlarm : public ::testing::Test {
  protected:
    void SetUp() override { DeleteSettings(); }
    void TearDown() override { DeleteSettings(); }
};

// The copy that takes the record over runs its clock twenty times faster, from ours at its
// first reading on: the minute and a half left of the count-down passes in four and a half
// seconds, where counting it down again from the start would take thirty and firing at once
// none. A moment that passed while no copy ran is the late log-off's case below.
TEST_F(KeptAlarm, EndedHardItComesBackArmedAndFiresAtItsOriginalMoment) {
    {
        RunningProgram first(Arguments(L"OD: 0:10:0", L"Pierwszy"));
        ASSERT_TRUE(PressStart(first));
        first.Kill();
    }
    const int64_t due = UtcMs() + 90'000;
    MoveOnlyRecord(due, 10 * 60'000);  // ended eight and a half minutes into its ten
    const ClockScale fast(L"20");
    const int64_t launchedAt = UtcMs();
    RunningProgram again;
    const HWND window = again.FindVisibleWindowOf(L"TF_Alarm");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(again.WaitIdle());
    // Armed as it was: the definition shown, Stop offered in the place of Start.
    EXPECT_EQ(WindowText(ComboListing(window, L"Odlicz w dół i uruchom")),
              L"Odlicz w dół i uruchom");
    const HWND start = StartButton(window);
    ASSERT_TRUE(WaitFor([&] { return start && !IsWindowVisible(start); }));
    const int64_t armedAt = UtcMs();
    RunningProgram idle(L"/przejmij");  // a copy started to take a record finds none and ends
    EXPECT_TRUE(idle.WaitExit());
    const Answered fired = AnswerBoxes(again, L"Pierwszy", 15000, 1000);
    EXPECT_EQ(fired.count, 1);
    EXPECT_GE(fired.firstAt, launchedAt + (due - launchedAt) / 20 - 300);
    EXPECT_LE(fired.firstAt, armedAt + (due - armedAt) / 20 + 1000);
    EXPECT_TRUE(SubkeyNames(kRecords).empty());  // fired without a repeat: given up
    EXPECT_TRUE(again.Close());
}

TEST_F(KeptAlarm, ClosedWithZamknijNothingComesBack) {
    const std::vector<HWND> iconsBefore = TrayIcons();
    RunningProgram first(Arguments(L"OD: 0:1:0", L"Zamknięty"));
    ASSERT_TRUE(PressStart(first));
    const HWND icon = WaitNewTrayIcon(iconsBefore);
    ASSERT_NE(icon, nullptr);
    ClickTrayIcon(icon, true);
    const HWND menu = WaitPopupMenu(first.Id());
    ASSERT_NE(menu, nullptr);
    PressKeyInMenu(menu, VK_UP);  // the last item, "Zamknij"
    PressKeyInMenu(menu, VK_RETURN);
    ASSERT_TRUE(first.WaitExit());
    EXPECT_TRUE(SubkeyNames(kRecords).empty());
    EXPECT_TRUE(ValueNames(kRunOnce).empty());
    // Four seconds of a clock a hundred times faster hold the minute many times over.
    const ClockScale fast(L"100");
    RunningProgram again;
    EXPECT_EQ(AnswerBoxes(again, L"Zamknięty", 4000, 0).count, 0);
    EXPECT_TRUE(again.Close());
}

// A log-off whose moment passed while no copy ran is not performed on its own: the copy that
// takes it over asks, and "Nie" (pressed, or given by the question itself after its minute)
// ends the alarm with nobody logged off.
TEST_F(KeptAlarm, ALateLogOffAsksFirstAndNoOrNoAnswerLogsNobodyOff) {
    for (const bool leftAlone : {false, true}) {
        {
            RunningProgram first(
                L"\"OD: 0:10:0\" \"Zamknij system/Wyłącz komputer\" "
                L"\"Wyloguj aktualnego użytkownika\"");
            ASSERT_TRUE(PressStart(first));
            first.Kill();
        }
        MoveOnlyRecord(UtcMs() - 10 * 60'000, 10 * 60'000);  // due ten minutes ago
        // Left alone, the question's minute passes on a clock twenty times faster.
        const ClockScale fast(leftAlone ? L"20" : nullptr);
        RunningProgram again;
        HWND question = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            for (HWND w : WindowsOfProcess(again.Id())) {
                if (ClassName(w) == L"#32770" && IsWindowVisible(w) &&
                    MessageBoxText(w).find(L"Wykonać teraz?") != std::wstring::npos)
                    question = w;
            }
            return question != nullptr;
        }));
        EXPECT_NE(MessageBoxText(question).find(L"Wyloguj aktualnego użytkownika"),
                  std::wstring::npos);
        if (!leftAlone)
            PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
        EXPECT_TRUE(
            WaitFor([&] { return !IsWindow(question) || !IsWindowVisible(question); }, 10000));
        // Ended as Stop ends it: nothing kept, no logon run, the program still there.
        EXPECT_TRUE(WaitFor([] { return SubkeyNames(kRecords).empty(); }));
        EXPECT_TRUE(ValueNames(kRunOnce).empty());
        EXPECT_TRUE(again.Running());
        EXPECT_TRUE(again.Close());
    }
}

TEST_F(KeptAlarm, TwoCopiesKeepTheirOwnAlarmsAfterWindowsStart) {
    const std::vector<HWND> iconsBefore = TrayIcons();
    RunningProgram one(Arguments(L"PW:", L"Jeden"));
    ASSERT_TRUE(PressStart(one));
    const HWND icon = WaitNewTrayIcon(iconsBefore);
    ASSERT_NE(icon, nullptr);
    RunningProgram two(Arguments(L"PW:", L"Dwa"));
    ASSERT_TRUE(PressStart(two));
    ASSERT_EQ(ValueNames(kRunOnce).size(), 2u);  // one logon run each
    // The first copy is stopped from its menu; the second's alarm stays.
    ClickTrayIcon(icon, true);
    const HWND menu = WaitPopupMenu(one.Id());
    ASSERT_NE(menu, nullptr);
    PressKeyInMenu(menu, VK_DOWN);  // the first item, "Zatrzymaj odliczanie"
    PressKeyInMenu(menu, VK_RETURN);
    ASSERT_TRUE(WaitFor([] { return SubkeyNames(kRecords).size() == 1; }));
    EXPECT_EQ(ValueNames(kRunOnce).size(), 1u);
    // The session ends; at the next logon Windows starts the one-time run.
    EXPECT_TRUE(one.Close());
    EXPECT_TRUE(two.Close());
    ASSERT_EQ(SubkeyNames(kRecords).size(), 1u);
    RunningProgram logonRun(L"/alarm-po-starcie");
    EXPECT_EQ(AnswerBoxes(logonRun, L"Dwa", 15000, 1000).count, 1);
    EXPECT_TRUE(SubkeyNames(kRecords).empty());
    EXPECT_TRUE(logonRun.Close());
}

// The popup's "Drzemka" button, once the popup of `program` shows.
HWND SnoozeButtonOnPopup(const RunningProgram& program, DWORD ms) {
    HWND button = nullptr;
    WaitFor(
        [&] {
            const HWND popup = program.FindWindowOf(L"TF_ALARMUJ", L"", 0);
            if (!popup || !IsWindowVisible(popup))
                return false;
            for (HWND c : Descendants(popup)) {
                if (WindowText(c) == L"&Drzemka" && IsWindowVisible(c))
                    button = c;
            }
            return button != nullptr;
        },
        ms);
    return button;
}

// A snooze of one minute on a clock twenty times faster: three seconds.
TEST_F(KeptAlarm, ASnoozeFiresAgainAtItsMomentAndAfterAKillComesBackArmedForIt) {
    WriteDword(L"Software\\Vantrelix\\Klaxora", L"Drzemka", 1);
    const ClockScale fast(L"20");
    RunningProgram first(L"\"OD: 0:0:20\" \"Domyślne okno\"");
    ASSERT_TRUE(PressStart(first));
    HWND snooze = SnoozeButtonOnPopup(first, 10000);
    ASSERT_NE(snooze, nullptr);
    ASSERT_TRUE(WaitFor([&] { return KeptRecords() == 0; }));  // fired: nothing armed
    PostMessageW(snooze, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return KeptRecords() == 1; }));  // armed and kept again
    const ULONGLONG snoozedAt = GetTickCount64();
    snooze = SnoozeButtonOnPopup(first, 10000);
    ASSERT_NE(snooze, nullptr);
    EXPECT_NEAR(static_cast<double>(GetTickCount64() - snoozedAt), 3000.0, 1500.0);
    ASSERT_TRUE(WaitFor([&] { return KeptRecords() == 0; }));
    PostMessageW(snooze, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return KeptRecords() == 1; }));
    first.Kill();

    // The kept moment is on the first copy's clock, ahead of ours by all that clock gained; a
    // clock a hundred times faster reaches it in a few seconds.
    const ClockScale faster(L"100");
    RunningProgram again;
    EXPECT_NE(SnoozeButtonOnPopup(again, 15000), nullptr);  // the snooze's action, taken over
    EXPECT_TRUE(again.Close());
    EXPECT_TRUE(SubkeyNames(kRecords).empty());
}

}  // namespace
}  // namespace klaxora::e2e
