// An alarm set up, started and stopped as a user does it, and brought back by the next run.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "e2e/program.h"

namespace klaxora::e2e {
namespace {

HWND ButtonNamed(HWND window, const std::wstring& name) {
    for (HWND c : Descendants(window)) {
        if (ClassName(c) == L"Button" && WindowText(c) == name)
            return c;
    }
    return nullptr;
}

class StartStop : public ::testing::Test {
  protected:
    void SetUp() override { DeleteSettings(); }
    void TearDown() override { DeleteSettings(); }
};

TEST_F(StartStop, StartedFromTheWindowStoppedFromTheTrayAndRestoredByTheNextRun) {
    const std::vector<HWND> iconsBefore = TrayIcons();
    {
        RunningProgram program;
        const HWND icon = WaitNewTrayIcon(iconsBefore);
        ASSERT_NE(icon, nullptr);
        const HWND window = program.FindVisibleWindowOf(L"TF_Alarm");
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(program.WaitIdle());

        // A count-down of one hour, taken from the recent list, and the default alarm window.
        const HWND trigger = ComboListing(window, L"Odlicz w dół i uruchom");
        ASSERT_NE(trigger, nullptr);
        Pick(trigger, L"Odlicz w dół i uruchom");
        const HWND recent = ButtonNamed(window, L"Lista ostatnio odliczanych czasów");
        ASSERT_NE(recent, nullptr);
        ASSERT_TRUE(IsWindowVisible(recent));  // the seeded list has ten names
        PostMessageW(recent, BM_CLICK, 0, 0);
        HWND menu = WaitPopupMenu(program.Id());
        ASSERT_NE(menu, nullptr);
        for (int i = 0; i < 6; ++i)  // 00:00:30 ... 01:00:00, in the order they were seeded
            PressKeyInMenu(menu, VK_DOWN);
        PressKeyInMenu(menu, VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
        const HWND action = ComboListing(window, L"Domyślne okno");
        ASSERT_NE(action, nullptr);
        Pick(action, L"Domyślne okno");

        const HWND start = ButtonNamed(window, L"Rozpocznij odliczanie czasu");
        ASSERT_NE(start, nullptr);
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(start) != FALSE; }));
        PostMessageW(start, BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(window); }));

        // Armed: the tray menu offers one item more, the stop, as its first item.
        const int armedHeight = TrayMenuHeight(program, icon);
        ClickTrayIcon(icon, true);
        menu = WaitPopupMenu(program.Id());
        ASSERT_NE(menu, nullptr);
        PressKeyInMenu(menu, VK_DOWN);
        PressKeyInMenu(menu, VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
        ASSERT_TRUE(program.WaitIdle());
        EXPECT_LT(TrayMenuHeight(program, icon), armedHeight);
        // Stopped: the window, shown again, is unlocked (what else Stop undoes is the window's
        // own test's).
        ClickTrayIcon(icon, false);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }));
        EXPECT_TRUE(IsWindowEnabled(trigger));
        ASSERT_TRUE(program.Close());
    }

    RunningProgram again;
    const HWND window = again.FindVisibleWindowOf(L"TF_Alarm");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(again.WaitIdle());
    EXPECT_EQ(WindowText(ComboListing(window, L"Odlicz w dół i uruchom")),
              L"Odlicz w dół i uruchom");
    EXPECT_EQ(WindowText(ComboListing(window, L"Domyślne okno")), L"Domyślne okno");
    EXPECT_TRUE(again.Close());
}

// A sound loaded into the preview panel is let go while the system's media libraries are still
// there: closing the program then ends it cleanly instead of with a fault.
TEST_F(StartStop, ClosingWithASoundLoadedEndsCleanly) {
    std::wstring sound = ProgramPath();
    sound.resize(sound.find_last_of(L'\\') + 1);
    sound += L"sound\\Telefon.wav";
    ASSERT_NE(GetFileAttributesW(sound.c_str()), INVALID_FILE_ATTRIBUTES);
    RunningProgram program(L"\"OD: 0:1:0\" \"Odegraj dźwięk\" \"" + sound + L"\"");
    ASSERT_TRUE(program.WaitIdle());
    ASSERT_NE(program.FindVisibleWindowOf(L"TF_Alarm"), nullptr);
    ASSERT_TRUE(program.Close());
    EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
}  // namespace klaxora::e2e
