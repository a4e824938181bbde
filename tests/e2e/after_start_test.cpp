// The one-time run at logon of an alarm "Po uruchomieniu Windows" that an earlier version
// stored: the program started with the marker still performs it, once.
#include <gtest/gtest.h>

#include "e2e/program.h"

namespace klaxora::e2e {
namespace {

const std::wstring kStored = L"Software\\Vantrelix\\Klaxora\\PoStarcie";
const std::wstring kText = L"Już czas po starcie !!!";

void StoreAlarm() {
    WriteString(kStored, L"ActionCaption", L"Komunikat");
    WriteString(kStored, L"ActionParameter", std::wstring(L"UWAGA !!!") + L'\u00B6' + kText);
    WriteString(kStored, L"ActionDetail", L"");
    WriteDword(kStored, L"RepeatSeconds", 0);
    WriteString(kStored, L"KillImage", L"");
}

// The message box of the process with the text, pressed OK; false when none came.
bool AnswerBox(const RunningProgram& program) {
    for (int i = 0; i < 300; ++i) {
        for (HWND w : WindowsOfProcess(program.Id())) {
            if (ClassName(w) == L"#32770" && IsWindowVisible(w) && MessageBoxText(w) == kText) {
                PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                return true;
            }
        }
        Sleep(100);
    }
    return false;
}

// Every test starts and leaves the settings empty, so no later test finds this program's path
// and takes its own start for a repeated one.
class AfterWindowsStart : public ::testing::Test {
  protected:
    void SetUp() override { DeleteSettings(); }
    void TearDown() override { DeleteSettings(); }
};

TEST_F(AfterWindowsStart, TheLogonRunPerformsTheStoredAlarmOnce) {
    StoreAlarm();
    RunningProgram program(L"/alarm-po-starcie");
    ASSERT_TRUE(AnswerBox(program));
    EXPECT_FALSE(ReadKey(kStored).has_value() && !ReadKey(kStored)->empty());
    EXPECT_TRUE(program.Running());  // it stays in the notification area
    program.Close();
}

}  // namespace
}  // namespace klaxora::e2e
