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

// Presses Start in the window a definition on the command line filled; true once it is kept.
bool PressStart(RunningProgram& program) {
    const HWND window = program.FindVisibleWindowOf(L"TF_Alarm");
    if (!window || !program.WaitIdle())
        return false;
    HWND start = nullptr;
    for (HWND c : Descendants(window)) {
        if (ClassName(c) == L"Button" && WindowText(c) == L"Rozpocznij odliczanie czasu")
            start = c;
    }
    if (!start || !WaitFor([&] { return IsWindowEnabled(start) != FALSE; }))
        return false;
    const size_t before = KeptRecords();
    PostMessageW(start, BM_CLICK, 0, 0);
    return WaitFor([&] { return KeptRecords() == before + 1; });
}

std::wstring Arguments(const std::wstring& trigger, const std::wstring& text) {
    return L"\"" + trigger + L"\" \"Komunikat\" \"UWAGA !!!|" + text + L"\"";
}

// The due moment of the one record, UTC.
int64_t DueOfOnlyRecord() {
    const std::vector<std::wstring> ids = SubkeyNames(kRecords);
    if (ids.size() != 1)
        return 0;
    for (const StoredValue& v :
         ReadKey(kRecords + L"\\" + ids[0]).value_or(std::vector<StoredValue>{}))
        if (v.name == L"Termin")
            return _wtoi64(v.text.c_str());
    return 0;
}

// The message boxes of the process showing `text`, each answered; their count after `ms`.
int AnswerBoxes(const RunningProgram& program, const std::wstring& text, DWORD ms,
                int64_t* firstAt = nullptr) {
    int seen = 0;
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        for (HWND w : WindowsOfProcess(program.Id())) {
            if (ClassName(w) == L"#32770" && IsWindowVisible(w) && MessageBoxText(w) == text) {
                if (seen++ == 0 && firstAt)
                    *firstAt = UtcMs();
                PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                WaitFor([&] { return !IsWindow(w) || !IsWindowVisible(w); }, 5000);
            }
        }
        Sleep(20);
    }
    return seen;
}

class KeptAlarm : public ::testing::Test {
  protected:
    void SetUp() override { DeleteSettings(); }
    void TearDown() override { DeleteSettings(); }
};

TEST_F(KeptAlarm, EndedHardItComesBackArmedAndFiresAtItsOriginalMoment) {
    {
        RunningProgram first(Arguments(L"OD: 0:0:12", L"Pierwszy"));
        ASSERT_TRUE(PressStart(first));
        first.Kill();
    }
    const int64_t due = DueOfOnlyRecord();
    ASSERT_GT(due, 0);
    RunningProgram again;
    const HWND window = again.FindVisibleWindowOf(L"TF_Alarm");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(again.WaitIdle());
    // Armed as it was: the definition shown, Stop offered in the place of Start.
    EXPECT_EQ(WindowText(ComboListing(window, L"Odlicz w dół i uruchom")),
              L"Odlicz w dół i uruchom");
    for (HWND c : Descendants(window)) {
        if (WindowText(c) == L"Rozpocznij odliczanie czasu") {
            EXPECT_FALSE(IsWindowVisible(c));
        }
    }
    RunningProgram idle(L"/przejmij");  // a copy started to take a record finds none and ends
    EXPECT_TRUE(idle.WaitExit());
    int64_t firedAt = 0;
    EXPECT_EQ(AnswerBoxes(again, L"Pierwszy", static_cast<DWORD>(due - UtcMs() + 4000), &firedAt),
              1);
    EXPECT_NEAR(static_cast<double>(firedAt - due), 0.0, 1000.0);
    EXPECT_TRUE(SubkeyNames(kRecords).empty());  // fired without a repeat: given up
    EXPECT_TRUE(again.Close());
}

TEST_F(KeptAlarm, AMomentThatPassedWhileNoCopyRanFiresOnceAtOnce) {
    {
        RunningProgram first(Arguments(L"OD: 0:0:5", L"Spóźniony"));
        ASSERT_TRUE(PressStart(first));
        first.Kill();
    }
    const int64_t due = DueOfOnlyRecord();
    ASSERT_GT(due, 0);  // ended before its moment, so still kept
    ASSERT_TRUE(WaitFor([&] { return UtcMs() > due + 1500; }));
    RunningProgram again;
    int64_t firedAt = 0;
    EXPECT_EQ(AnswerBoxes(again, L"Spóźniony", 8000, &firedAt), 1);
    EXPECT_LT(firedAt - due, 8000);
    EXPECT_TRUE(again.Close());
}

TEST_F(KeptAlarm, ClosedWithZamknijNothingComesBack) {
    const std::vector<HWND> iconsBefore = TrayIcons();
    RunningProgram first(Arguments(L"OD: 0:0:5", L"Zamknięty"));
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
    RunningProgram again;
    EXPECT_EQ(AnswerBoxes(again, L"Zamknięty", 7000), 0);
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
        // Its moment passed ten minutes ago, as if the computer had been off since.
        const std::wstring record = kRecords + L"\\" + SubkeyNames(kRecords).at(0);
        WriteString(record, L"Termin", std::to_wstring(UtcMs() - 10 * 60'000));
        WriteString(record, L"Uzbrojono", std::to_wstring(UtcMs() - 20 * 60'000));
        // Left alone, the question's minute passes on a clock twenty times faster.
        SetEnvironmentVariableW(L"KLAXORA_CLOCK_SCALE", leftAlone ? L"20" : nullptr);
        RunningProgram again;
        SetEnvironmentVariableW(L"KLAXORA_CLOCK_SCALE", nullptr);
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
    EXPECT_EQ(AnswerBoxes(logonRun, L"Dwa", 8000), 1);
    EXPECT_TRUE(SubkeyNames(kRecords).empty());
    EXPECT_TRUE(logonRun.Close());
}

}  // namespace
}  // namespace klaxora::e2e

namespace klaxora::e2e {
namespace {

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
    SetEnvironmentVariableW(L"KLAXORA_CLOCK_SCALE", L"20");
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
    const int64_t due = DueOfOnlyRecord();
    first.Kill();

    RunningProgram again;
    SetEnvironmentVariableW(L"KLAXORA_CLOCK_SCALE", nullptr);
    EXPECT_NE(SnoozeButtonOnPopup(again, 15000), nullptr);  // the snooze's action, taken over
    EXPECT_GT(due, 0);
    EXPECT_TRUE(again.Close());
    EXPECT_TRUE(SubkeyNames(kRecords).empty());
}

}  // namespace
}  // namespace klaxora::e2e
