// The options dialog, the time-entry wizard and the about box created for real: the options
// against the real registry, the wizard's result handed over, and the update check against a
// version file served on 127.0.0.1.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>

#include "win/box_answerer.h"
#include "win/dialogs/about_window.h"
#include "win/dialogs/options_window.h"
#include "win/dialogs/time_wizard_window.h"
#include "win/local_http_server.h"
#include "win/sys/file_system_win.h"
#include "win/sys/registry_win.h"
#include "win/pump.h"
#include "win/test_ports.h"

namespace klaxora::win {
namespace {

using testing::BoxAnswerer;
using testing::LocalHttpServer;

using testing::PumpUntil;
void PumpOnce() {
    testing::Drain();
}

bool Checked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
bool Shown(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}
void Click(HWND control) {
    SendMessageW(control, BM_CLICK, 0, 0);
}
std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

const std::wstring kSettings = L"Software\\Vantrelix\\Klaxora";
const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettings.c_str());
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun.c_str(), L"Alarm");
        otherCopy = files.ExecutableDirectory() + L"options_test_other_copy.exe";
        std::ofstream(otherCopy.c_str()) << "x";
        dialog.Beep = [this] { ++beeps; };
        dialog.Connect({.options = &options});
        dialog.Create();
    }
    void TearDown() override {
        dialog.Close();
        DeleteFileW(otherCopy.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettings.c_str());
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun.c_str(), L"Alarm");
    }
    void SetDword(const std::wstring& key, const wchar_t* name, DWORD value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof(value));
    }
    void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    // The stored value: its type and, for a DWORD, its number; type 0 when it is missing.
    std::pair<DWORD, DWORD> Stored(const std::wstring& key, const wchar_t* name) {
        DWORD type = 0, value = 0, size = sizeof(value);
        if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY, &type, &value, &size) !=
            ERROR_SUCCESS) {
            return {0, 0};
        }
        return {type, value};
    }
    std::wstring StoredText(const std::wstring& key, const wchar_t* name) {
        wchar_t text[512] = {};
        DWORD size = sizeof(text);
        RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size);
        return text;
    }
    void Open() {
        dialog.ShowOver();
        PumpOnce();
    }

    Win32FileSystem files;
    AppOptions options;
    testing::DialogPorts ports{{ExecutablePath(), L"1.0.0.0", L""}};
    TF_Opcje dialog{ports.Ports()};
    int beeps = 0;
    std::wstring otherCopy;
};

TEST_F(OptionsTest, ShowReadsTheRegistryAndOkWritesItBackIntoTheRunningOptions) {
    SetDword(kSettings, L"AutoMinimize", 1);
    SetText(kSettings, L"Wyg_Off", L"1");  // text does not count
    SetDword(kSettings, L"MinimizeProg", 5);
    SetText(kRun, L"Alarm", otherCopy);  // any existing file counts
    Open();
    EXPECT_TRUE(Checked(dialog.cb_StartWithWindows));
    EXPECT_TRUE(Checked(dialog.cb_StartMinimized));
    EXPECT_FALSE(Checked(dialog.cb_ScreenSaverOff));
    EXPECT_FALSE(Checked(dialog.cb_MinimizeAll));
    EXPECT_TRUE(Checked(dialog.cb_MinimizeOnPreview));
    EXPECT_FALSE(Checked(dialog.cb_Beep));
    EXPECT_FALSE(Shown(dialog.b_Pomoc));  // no help file

    Click(dialog.cb_ScreenSaverOff);
    Click(dialog.cb_Beep);
    Click(dialog.b_Ok);
    EXPECT_FALSE(dialog.Visible());
    for (const auto& [name, value] : {std::pair{L"AutoMinimize", 1u},
                                      {L"Wyg_Off", 1u},
                                      {L"MinimizeAll", 0u},
                                      {L"MinimizeProg", 1u},
                                      {L"PlayBeep", 1u}}) {
        EXPECT_EQ(Stored(kSettings, name), std::make_pair(DWORD(REG_DWORD), DWORD(value))) << name;
    }
    EXPECT_TRUE(options.AutoMinimize && options.Wyg_Off && options.MinimizeProg &&
                options.PlayBeep && !options.MinimizeAll);
    EXPECT_EQ(StoredText(kRun, L"Alarm"), L"\"" + ExecutablePath() + L"\"");
}

TEST_F(OptionsTest, UncheckingStartWithWindowsDeletesOnlyAnEntryNamingAFile) {
    SetText(kRun, L"Alarm", L"C:\\nie\\ma\\Klaxora.exe");
    Open();
    EXPECT_FALSE(Checked(dialog.cb_StartWithWindows));
    Click(dialog.b_Ok);
    EXPECT_EQ(StoredText(kRun, L"Alarm"), L"C:\\nie\\ma\\Klaxora.exe");

    SetText(kRun, L"Alarm", otherCopy);
    Open();
    ASSERT_TRUE(Checked(dialog.cb_StartWithWindows));
    Click(dialog.cb_StartWithWindows);
    Click(dialog.b_Ok);
    EXPECT_EQ(Stored(kRun, L"Alarm").first, 0u);
}

TEST_F(OptionsTest, TheBeepBoxSoundsOnEveryChangeTheShowsOwnIncluded) {
    SetDword(kSettings, L"PlayBeep", 1);
    Open();  // unchecked -> checked
    EXPECT_EQ(beeps, 1);
    dialog.Close();
    Open();  // unchanged
    EXPECT_EQ(beeps, 1);
    Click(dialog.cb_Beep);  // the user's change
    EXPECT_EQ(beeps, 2);
    Click(dialog.b_Anuluj);  // Anuluj: nothing written
    EXPECT_EQ(Stored(kSettings, L"PlayBeep"), std::make_pair(DWORD(REG_DWORD), DWORD(1)));
    Open();  // back to the stored state
    EXPECT_EQ(beeps, 3);
    EXPECT_TRUE(Checked(dialog.cb_Beep));
}

// Keys as the program's message loop hands them over: through the dialog manager.
void PressKey(HWND, HWND control, WPARAM key) {
    PostMessageW(control, WM_KEYDOWN, key, 0);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        HandleQueuedMessage(msg);  // as the program's loop does
}

TEST_F(OptionsTest, EscapeCancelsEnterConfirmsAndF1OpensTheHelp) {
    testing::DialogPorts helpPorts{{ExecutablePath(), L"1.0.0.0", otherCopy}};
    const std::vector<std::wstring>& opened = helpPorts.documents.opened;
    TF_Opcje withHelp(helpPorts.Ports());
    withHelp.Connect({.options = &options});
    withHelp.Create();
    withHelp.ShowOver();
    PumpOnce();
    ASSERT_TRUE(Shown(withHelp.b_Pomoc));
    PressKey(withHelp.Hwnd(), withHelp.cb_MinimizeAll, VK_F1);
    EXPECT_EQ(opened, std::vector<std::wstring>{otherCopy});

    Click(withHelp.cb_StartMinimized);
    PressKey(withHelp.Hwnd(), withHelp.cb_StartMinimized, VK_ESCAPE);
    EXPECT_FALSE(withHelp.Visible());
    EXPECT_EQ(Stored(kSettings, L"AutoMinimize").first, 0u);

    withHelp.ShowOver();
    PumpOnce();
    EXPECT_FALSE(Checked(withHelp.cb_StartMinimized));  // the unconfirmed change is gone
    Click(withHelp.cb_StartMinimized);
    PressKey(withHelp.Hwnd(), withHelp.cb_StartMinimized, VK_RETURN);
    EXPECT_FALSE(withHelp.Visible());
    EXPECT_EQ(Stored(kSettings, L"AutoMinimize"), std::make_pair(DWORD(REG_DWORD), DWORD(1)));
}

class WizardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wizard.Connect({
            .applyAtTimeText = [this](const std::wstring& t) { atTime.push_back(t); },
            .applyCountdownText = [this](const std::wstring& t) { countdown.push_back(t); },
        });
        wizard.Create();
    }
    void TearDown() override { wizard.Close(); }
    void Open(const wchar_t* trigger) {
        wizard.Prepare(trigger);
        wizard.ShowOver();
        PumpOnce();
    }
    void TypeSeconds(const wchar_t* text) {
        SetWindowTextW(wizard.se_TimeInSec.Edit(), text);
        PumpOnce();
    }
    Tf_WprowadzCzas wizard;
    std::vector<std::wstring> atTime, countdown;
};

TEST_F(WizardTest, SecondsAreConvertedAndHandedToTheTriggersFields) {
    Open(L"Odlicz w dół i uruchom");
    EXPECT_TRUE(IsWindowEnabled(wizard.rb_KWC_UrZaDni));
    Click(wizard.rb_KWC_TinS);
    EXPECT_TRUE(IsWindowEnabled(wizard.se_TimeInSec.Edit()));
    EXPECT_FALSE(IsWindowEnabled(wizard.dtp_Czas));
    // Only digits reach the field.
    SendMessageW(wizard.se_TimeInSec.Edit(), WM_CHAR, L'x', 0);
    EXPECT_EQ(TextOf(wizard.se_TimeInSec.Edit()), L"1");
    TypeSeconds(L"3661");
    EXPECT_EQ(TextOf(wizard.l_PoKonwersji), L"Po przekonwertowaniu:    01:01:01");
    Click(wizard.BitBtn1);
    EXPECT_FALSE(wizard.Visible());
    EXPECT_EQ(countdown, std::vector<std::wstring>{L"01:01:01"});

    // The mode and the number stay for the next use; for AtTime the days mode is off.
    Open(L"Uruchom alarm o ...");
    EXPECT_EQ(wizard.Mode(), WizardMode::Seconds);
    EXPECT_FALSE(IsWindowEnabled(wizard.rb_KWC_UrZaDni));
    EXPECT_EQ(TextOf(wizard.l_Czas), L"Po&daj godzinę o której mam uruchomić alarm:");
    TypeSeconds(L"90000");
    Click(wizard.BitBtn1);
    EXPECT_EQ(atTime, std::vector<std::wstring>{L"25:00:00"});  // AtTime's parser rejects it
}

TEST_F(WizardTest, ANumberBeyondTheFieldIsRefusedAndALongCountdownHandedOverWhole) {
    Open(L"Odlicz w dół i uruchom");
    Click(wizard.rb_KWC_TinS);
    TypeSeconds(L"2147483648");
    {
        BoxAnswerer ok(IDOK);
        Click(wizard.BitBtn1);
        ASSERT_TRUE(ok.answered);
        EXPECT_EQ(ok.title, L"BŁĄD !!!");
        EXPECT_EQ(ok.text, L"Podano za dużą liczbę sekund !!!");
    }
    EXPECT_TRUE(wizard.Visible());
    EXPECT_TRUE(countdown.empty());
    // Beyond the countdown's 100000 hours: the hour field caps what it is given.
    TypeSeconds(L"2147483647");
    Click(wizard.BitBtn1);
    EXPECT_FALSE(wizard.Visible());
    EXPECT_EQ(countdown, std::vector<std::wstring>{L"596523:14:07"});
}

// One about box per case: the check runs once per box, as once per run in the program.
struct AboutBox {
    explicit AboutBox(const std::wstring& base) {
        about.VersionFileAddress = base + L"version.ini";
        about.Create();
    }
    ~AboutBox() { about.Close(); }
    testing::DialogPorts ports{{ExecutablePath(), L"1.5.0.0", L""}, true};
    TF_About about{ports.Ports()};
    const std::vector<std::wstring>& opened = ports.documents.opened;
};

TEST(AboutTest, TheVersionFileDecidesTheButtonAndOnlyWebAddressesAreOpened) {
    struct Case {
        const char* name;
        std::string file;
        bool button;
    };
    const Case cases[] = {
        {"newer",
         "[dane]\r\nVantrelixHomePage=http://strona.example/\r\n[Klaxora]\r\nversion=2.0.0.0\r\n"
         "url=http://strona.example/k.exe\r\nnew=Nowe opcje\r\n",
         true},
        {"equal", "[Klaxora]\r\nversion=1.5.0.0\r\nurl=http://strona.example/k.exe\r\n", false},
        {"no url", "[Klaxora]\r\nversion=2.0.0.0\r\n", false},
        {"file url", "[Klaxora]\r\nversion=2.0.0.0\r\nurl=file:///C:/windows/notepad.exe\r\n",
         false},
        {"program url",
         "[dane]\r\nVantrelixHomePage=C:\\windows\\notepad.exe\r\n[Klaxora]\r\nversion=2.0.0.0\r\n"
         "url=C:\\windows\\notepad.exe\r\n",
         false},
    };
    for (const Case& c : cases) {
        LocalHttpServer server(c.file);
        AboutBox box(server.Base());
        box.about.ShowOver();
        EXPECT_TRUE(PumpUntil([&] { return !box.about.CheckRunning(); })) << c.name;
        EXPECT_EQ(server.Requests(), 1) << c.name;
        EXPECT_EQ(Shown(box.about.sb_DownUpdate), c.button) << c.name;
        Click(box.about.sb_DownUpdate);
        box.about.ContactClick(box.about.contacts.size() - 1);  // the home page
        if (c.button) {
            EXPECT_EQ(box.opened, (std::vector<std::wstring>{L"http://strona.example/k.exe",
                                                             L"http://strona.example/"}));
        } else {
            // Nothing but the built-in home page is ever opened.
            EXPECT_EQ(box.opened, std::vector<std::wstring>{L"https://www.vantrelix.pl/"})
                << c.name;
        }
        // Shown again, the box does not check again.
        box.about.Close();
        box.about.ShowOver();
        PumpOnce();
        EXPECT_EQ(server.Requests(), 1) << c.name;
    }
}

TEST(AboutTest, AServerThatNeverAnswersLeavesTheBoxResponsiveAndIsGivenUp) {
    LocalHttpServer server("", LocalHttpServer::Mode::Silent);
    {
        AboutBox box(server.Base());
        const auto start = std::chrono::steady_clock::now();
        box.about.ShowOver();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_TRUE(box.about.Visible());
        EXPECT_TRUE(box.about.CheckRunning());
        EXPECT_EQ(TextOf(box.about.l_Version), L"v 1.5.0.0");
        // Every pass of the loop stays short while the check waits.
        auto longest = std::chrono::steady_clock::duration::zero();
        EXPECT_TRUE(PumpUntil(
            [&] {
                const auto before = std::chrono::steady_clock::now();
                PumpOnce();
                longest = std::max(longest, std::chrono::steady_clock::now() - before);
                return !box.about.CheckRunning();
            },
            20000));
        EXPECT_LT(longest, std::chrono::milliseconds(500));
        EXPECT_FALSE(Shown(box.about.sb_DownUpdate));
    }
    // A box closed and destroyed while its check still waits is safe.
    LocalHttpServer silent("", LocalHttpServer::Mode::Silent);
    {
        AboutBox box(silent.Base());
        box.about.ShowOver();
        EXPECT_TRUE(PumpUntil([&] { return silent.Requests() == 1; }));
    }
    PumpOnce();
}

}  // namespace
}  // namespace klaxora::win
