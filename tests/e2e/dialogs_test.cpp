// The options dialog and the about box of the running program, reached through the
// notification-area menu as a user reaches them; the update check served from 127.0.0.1.
#include <gtest/gtest.h>

#include <chrono>

#include "e2e/program.h"
#include "win/local_http_server.h"

namespace klaxora::e2e {
namespace {

using klaxora::testing::LocalHttpServer;

const std::wstring kKey = L"Software\\Vantrelix\\Klaxora";
const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A child window of `parent` with this text, waiting for it up to `ms`.
HWND ChildWithText(HWND parent, const std::wstring& text, DWORD ms = 5000) {
    const ULONGLONG end = GetTickCount64() + ms;
    do {
        for (HWND hwnd : Descendants(parent)) {
            if (WindowText(hwnd) == text)
                return hwnd;
        }
        Sleep(20);
    } while (GetTickCount64() < end);
    return nullptr;
}

bool Responds(HWND hwnd, UINT ms) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &ignored) != 0;
}

class Dialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteSettings();
        DeleteValue(kRun, L"Alarm");
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"KLAXORA_UPDATE_BASE", nullptr);
        DeleteSettings();
        DeleteValue(kRun, L"Alarm");
    }
    // Opens a menu item counted from the end of the menu ("Zamknij" is 1).
    void ChooseFromMenu(RunningProgram& program, int fromEnd) {
        const HWND icon = WaitNewTrayIcon(iconsBefore_);
        ASSERT_NE(icon, nullptr);
        ASSERT_TRUE(program.WaitIdle());
        ASSERT_NE(program.FindVisibleWindowOf(L"TF_Alarm"), nullptr);
        ClickTrayIcon(icon, true);
        const HWND menu = WaitPopupMenu(program.Id());
        ASSERT_NE(menu, nullptr);
        for (int i = 0; i < fromEnd; ++i)
            PressKeyInMenu(menu, VK_UP);
        PressKeyInMenu(menu, VK_RETURN);
    }
    // The about box of a program whose update check asks the given server.
    HWND OpenAbout(RunningProgram& program) {
        ChooseFromMenu(program, 2);
        return program.FindVisibleWindowOf(L"TF_About", 5000);
    }
    static void UseServer(const LocalHttpServer& server) {
        SetEnvironmentVariableW(L"KLAXORA_UPDATE_BASE", server.Base().c_str());
    }

    std::vector<HWND> iconsBefore_ = TrayIcons();
};

TEST_F(Dialogs, OptionsAreWrittenOnOkAndTakeEffectAtTheNextStart) {
    {
        RunningProgram program;
        ChooseFromMenu(program, 3);
        const HWND options = program.FindVisibleWindowOf(L"TF_Opcje", 5000);
        ASSERT_NE(options, nullptr);
        const HWND autoMinimize = ChildWithText(options, L"&Po uruchomieniu minimalizuj do traya");
        const HWND atStartup = ChildWithText(options, L"Uruchamiaj przy starcie &Windows");
        ASSERT_TRUE(autoMinimize && atStartup);
        SendMessageW(autoMinimize, BM_CLICK, 0, 0);
        SendMessageW(atStartup, BM_CLICK, 0, 0);
        SendMessageW(ChildWithText(options, L"OK"), BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowVisible(options));
        ASSERT_TRUE(program.Close());
    }
    const auto values = ReadKey(kKey).value_or(std::vector<StoredValue>{});
    const auto stored = [&](const std::wstring& name) {
        for (const auto& v : values) {
            if (v.name == name && v.type == REG_DWORD)
                return static_cast<int>(v.number);
        }
        return -1;
    };
    EXPECT_EQ(stored(L"AutoMinimize"), 1);
    EXPECT_EQ(stored(L"PlayBeep"), 0);
    std::wstring alarm;
    for (const auto& v : ReadKey(kRun).value_or(std::vector<StoredValue>{})) {
        if (v.name == L"Alarm" && v.type == REG_SZ)
            alarm = v.text;
    }
    EXPECT_EQ(alarm, L"\"" + ProgramPath() + L"\"");

    // Started again, only the icon shows.
    RunningProgram again;
    ASSERT_NE(WaitNewTrayIcon(iconsBefore_), nullptr);
    ASSERT_TRUE(again.WaitIdle());
    EXPECT_EQ(again.FindVisibleWindowOf(L"TF_Alarm", 1500), nullptr);
    EXPECT_TRUE(again.Close());
}

TEST_F(Dialogs, ANewerPublishedVersionOffersTheUpdateButton) {
    LocalHttpServer server(
        "[Klaxora]\r\nversion=99.0.0.0\r\nurl=https://www.vantrelix.pl/k.exe\r\nnew=Opis\r\n");
    UseServer(server);
    RunningProgram program;
    const HWND about = OpenAbout(program);
    ASSERT_NE(about, nullptr);
    const HWND button = ChildWithText(about, L"Dostępna jest nowa wersja programu");
    ASSERT_NE(button, nullptr);
    const ULONGLONG end = GetTickCount64() + 15000;
    while (!IsWindowVisible(button) && GetTickCount64() < end)
        Sleep(20);
    EXPECT_TRUE(IsWindowVisible(button));
    EXPECT_EQ(server.Requests(), 1);
    EXPECT_TRUE(program.Close());
}

TEST_F(Dialogs, AFileAddressOffersNothing) {
    LocalHttpServer server(
        "[dane]\r\nVantrelixHomePage=http://inna.example/\r\n"
        "[Klaxora]\r\nversion=99.0.0.0\r\nurl=file:///C:/windows/notepad.exe\r\n");
    UseServer(server);
    RunningProgram program;
    const HWND about = OpenAbout(program);
    ASSERT_NE(about, nullptr);
    // The new home page shows once the answer is in; the file address offers no button.
    ASSERT_NE(ChildWithText(about, L"http://inna.example/", 15000), nullptr);
    EXPECT_FALSE(IsWindowVisible(ChildWithText(about, L"Dostępna jest nowa wersja programu")));
    EXPECT_TRUE(program.Close());
}

TEST_F(Dialogs, AServerThatNeverAnswersLeavesTheBoxResponsiveAndTheProgramClosable) {
    LocalHttpServer server("", LocalHttpServer::Mode::Silent);
    UseServer(server);
    {
        RunningProgram program;
        const HWND about = OpenAbout(program);
        ASSERT_NE(about, nullptr);
        const HWND button = ChildWithText(about, L"Dostępna jest nowa wersja programu");
        // Through the whole wait and past the check's deadline, the box answers at once.
        const ULONGLONG end = GetTickCount64() + 7000;
        while (GetTickCount64() < end) {
            ASSERT_TRUE(Responds(about, 500));
            Sleep(100);
        }
        EXPECT_FALSE(IsWindowVisible(button));
        EXPECT_TRUE(program.Close());
    }
    // Closed while the check still waits, the program ends cleanly.
    RunningProgram program;
    ASSERT_NE(OpenAbout(program), nullptr);
    const ULONGLONG end = GetTickCount64() + 10000;
    while (server.Requests() < 2 && GetTickCount64() < end)
        Sleep(20);
    ASSERT_EQ(server.Requests(), 2);
    ASSERT_TRUE(program.Close());
    EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
}  // namespace klaxora::e2e
