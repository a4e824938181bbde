// The command line and the shortcut dialog against the real window, shell and file system:
// a reading fills the configuration window so that the window writes the same parameters
// back, and the dialog offers its names, refuses what cannot be written and writes the rest.
#include <windows.h>
#include <objbase.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <filesystem>

#include <shlobj.h>

#include "shortcut_read.h"
#include "cmdline/cmdline_texts.h"
#include "cmdline/command_line_split.h"
#include "cmdline/shortcut_arguments.h"
#include "cmdline/shortcut_name.h"
#include "win/alarm_driver.h"
#include "win/box_answerer.h"
#include "win/cmdline/command_line.h"
#include "win/dialogs/shortcut_window.h"
#include "win/app/armed_alarm.h"
#include "win/config/alarm_window.h"
#include "temp_folder.h"
#include "win/pump.h"
#include "win/test_sounds.h"
#include "win/sys/file_system_win.h"
#include "win/sys/handles.h"
#include "util/text.h"
#include "win/ui/controls.h"

namespace klaxora::win {
namespace {

using testing::BoxAnswerer;
namespace t = cmdline;

using testing::Drain;

using testing::TempFolder;

// The configuration window, filled from a command line as the main window does at start.
struct CommandLineWindow {
    SystemPorts system;
    TF_Alarm window{system.Ports()};
    AlarmDriver ui{window};
    ArmedAlarm alarm{system.Ports()};
    TF_Alarm::Links links;
    WatchState watch;
    CommandLineReading reading;

    explicit CommandLineWindow(const std::wstring& arguments) {
        window.Create();
        links.alarm = &alarm;
        window.Connect(links);
        std::vector<std::wstring> list =
            CommandLineListFor(L"Klaxora.exe" + arguments, ExecutablePath());
        reading = ReadCommandLineHere(list, watch, system.files, system.processes);
        watch = reading.watch;
        alarm.SetPending(watch);
        window.SetCommandLineCount(reading.list.size());
        window.ApplyCommandLine(reading);
        window.Show();  // the first show
        Drain();
    }
};

TEST(CommandLineWindowTest, AReadingFillsTheWindowSoThatItWritesTheSameParametersBack) {
    const std::wstring sound = testing::WriteWav(L"dzwonek.wav", 200);
    const std::wstring exe = ExecutablePath();
    // Each trigger and each kind of action datum; "C:\" and a message with a colon included.
    const std::wstring cases[] = {
        L" \"OD: 1:2:3\" \"Komunikat\" \"Pobudka: 7|Już czas !!!\"",
        L" \"UG: 7:30:0\" \"Otwórz folder\" \"C:\\\"",
        L" \"BI: 300\" \"Uruchom stronę WWW\" \"http://example.com/a b\"",
        L" \"PU: " + exe + L"\" \"Uruchom program\" \"" + exe + L"\"",
        L" \"PZ: " + exe + L"\" \"Uruchom plik\" \"" + exe + L"\"",
        L" \"PO: " + exe + L"\" \"Domyślne okno\"",
        L" \"PW:\" \"Inne możliwości\" \"Zasymuluj wciśnięcie dowolnego klawisza(y)\" \"A\"",
        L" \"OD: 0:0:9\" \"Inne możliwości\" \"Zasymuluj podwójne kliknięcie myszy\" \"X:3\" "
        L"\"Y:4\"",
        L" \"OD: 0:1:0\" \"Inne możliwości\" \"Wygaś monitor\"",
        L" \"OD: 0:1:0\" \"Zamknij system/Wyłącz komputer\" \"Uruchom ponownie (restart)\"",
        L" \"OD: 0:1:0\" \"Odegraj dźwięk\" \"" + sound + L"\"",
    };
    for (const std::wstring& arguments : cases) {
        SCOPED_TRACE(ToUtf8(arguments));
        CommandLineWindow w(arguments);
        EXPECT_TRUE(w.reading.messages.empty());
        EXPECT_FALSE(w.watch.Armed);
        EXPECT_EQ(ShortcutArguments(w.window.ReadSettings(), L""), arguments);
        // The one player of the process lets the sound go with the window.
        SetWindowTextW(w.window.p_k_PdegrajDzwiek.fne_PlikWAV.edit, L"");
        Drain();
    }
}

TEST(CommandLineWindowTest, TheKeyKeepsItsLetterCaseAndAfterWindowsStartStaysUnselected) {
    CommandLineWindow w(
        L" \"PW:\" \"Inne możliwości\" \"Zasymuluj wciśnięcie dowolnego klawisza(y)\" \"A\"");
    EXPECT_EQ(w.ui.KeyText(), L"A");
    EXPECT_FALSE(w.ui.TriggerChosen());
    EXPECT_TRUE(w.ui.Shows(TriggerKind::AfterWindowsStart));
    EXPECT_TRUE(w.ui.Shows(OtherActionKind::PressKeys));
    // A trigger the command line could not read leaves the time of day chosen, not the blank.
    CommandLineWindow unread(L" \"XX: 5\" \"Domyślne okno\"");
    EXPECT_EQ(unread.ui.TriggerText(), L"Uruchom alarm o ...");
}

TEST(CommandLineWindowTest, AKillOfARunningProgramChoosesItsRowAfterTheFirstShow) {
    CommandLineWindow w(L" \"OD: 5\" \"Zabij proces\" \"" + ExecutablePath() + L"\"");
    EXPECT_EQ(w.window.p_ZabijProces.SelectedProcess(),
              std::optional<DWORD>(GetCurrentProcessId()));
    EXPECT_EQ(w.watch.ActionDetail, std::to_wstring(GetCurrentProcessId()));
    EXPECT_TRUE(w.ui.ShortcutEnabled());
    // F5 lists again and chooses no row: the command line's kill no longer counts.
    PostMessageW(w.window.p_ZabijProces.lv_Procesy, WM_KEYDOWN, VK_F5, 0);
    Drain();
    EXPECT_FALSE(w.window.p_ZabijProces.SelectedProcess());
    EXPECT_FALSE(w.ui.StartEnabled());
    EXPECT_FALSE(w.ui.ShortcutEnabled());
}

// The shortcut button: a definition that would not read back is refused before the dialog.
TEST(CommandLineWindowTest, TheShortcutButtonRefusesAQuoteAndOtherwiseOffersTheNames) {
    CommandLineWindow w(L" \"OD: 0:20:0\" \"Komunikat\" \"UWAGA !!!|Już czas !!!\"");
    std::wstring offered;
    std::array<std::wstring, 8> names;
    w.links.showShortcutDialog = [&](const std::wstring& a, const std::array<std::wstring, 8>& n) {
        offered = a;
        names = n;
    };
    w.window.Connect(w.links);
    w.window.ib_SkrotClick();
    EXPECT_EQ(offered, L" \"OD: 0:20:0\" \"Komunikat\" \"UWAGA !!!|Już czas !!!\"");
    EXPECT_EQ(names, ShortcutNameSuggestions(TriggerKind::Countdown, ActionKind::Message));

    offered.clear();
    w.ui.MessageText(L"Powiedz \"tak\"");
    BoxAnswerer box(IDOK);
    w.window.ib_SkrotClick();
    ASSERT_TRUE(testing::PumpUntil([&] { return box.answered.load(); }));
    EXPECT_EQ(box.title, L"BŁĄD !!!");
    EXPECT_EQ(box.text, t::kRefuseQuote);
    EXPECT_TRUE(offered.empty());
}

struct ShortcutDialogTest : ::testing::Test {
    SystemPorts system;
    Tf_Skrot dialog{system.Ports()};
    TempFolder folder;
    const std::array<std::wstring, 8> names =
        ShortcutNameSuggestions(TriggerKind::Countdown, ActionKind::OpenFolder);
    const std::wstring arguments = L" \"OD: 0:20:0\" \"Otwórz folder\" \"C:\\\"";

    void SetUp() override {
        dialog.Create();
        dialog.Prepare(arguments, names);
    }
    bool OkEnabled() const { return IsWindowEnabled(dialog.BitBtn1) != FALSE; }
    // Once the tree has read its way down to the folder.
    bool SelectFolder(const std::wstring& path) {
        ShellFolderTree& tree = dialog.dfs_LokalizacjaSkrotu;
        return tree.SelectPath(path) && testing::PumpUntil([&] { return !tree.Selecting(); }) &&
               EqualsNoCase(tree.SelectedPath(), path);
    }
    // OK with a name typed; the text of the box it showed, if any.
    std::wstring ConfirmWith(const std::wstring& name) {
        SetWindowTextW(dialog.e_NazwaSkrotu, name.c_str());
        BoxAnswerer box(IDOK);
        dialog.BitBtn1Click();
        Drain();
        if (!dialog.WrittenFile().empty())
            return L"";
        EXPECT_TRUE(testing::PumpUntil([&] { return box.answered.load(); }));
        return box.text;
    }
};

TEST_F(ShortcutDialogTest, OffersTheEightNamesAndStartsOnTheDesktop) {
    ASSERT_EQ(SendMessageW(dialog.e_NazwaSkrotu, CB_GETCOUNT, 0, 0), 8);
    for (int i = 0; i < 8; ++i) {
        wchar_t item[256] = {};
        SendMessageW(dialog.e_NazwaSkrotu, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(item, names[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(Control(dialog.e_NazwaSkrotu).Text(), names[0]);
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_HRESULT_SUCCEEDED(
        SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop));
    EXPECT_TRUE(EqualsNoCase(Control(dialog.l_Sciezka).Text(), desktop));
    EXPECT_TRUE(OkEnabled());
}

TEST_F(ShortcutDialogTest, OkFollowsTheChosenNodeAVirtualFolderDisablesIt) {
    ASSERT_TRUE(SelectFolder(folder.Text()));
    EXPECT_TRUE(EqualsNoCase(Control(dialog.l_Sciezka).Text(), folder.Text()));
    EXPECT_TRUE(OkEnabled());
    // The computer node: a folder of the namespace without a path.
    ShellFolderTree& tree = dialog.dfs_LokalizacjaSkrotu;
    HTREEITEM computer = nullptr;
    for (HTREEITEM child : tree.Children(tree.Root())) {
        tree.FillChildren(child);
        testing::PumpUntil([&] { return !tree.Reading(); });
        if (tree.PathOf(child).empty() && !tree.Children(child).empty())
            computer = computer ? computer : child;
    }
    ASSERT_NE(computer, nullptr);
    tree.Select(computer);
    EXPECT_EQ(Control(dialog.l_Sciezka).Text(), L"");
    EXPECT_FALSE(OkEnabled());
    ASSERT_TRUE(SelectFolder(L"C:\\"));
    EXPECT_TRUE(OkEnabled());
}

TEST_F(ShortcutDialogTest, AnExpandedFolderIsReadElsewhereAndItsChildrenFollow) {
    for (const wchar_t* name : {L"b", L"a", L"b\\c"})
        std::filesystem::create_directory(std::filesystem::path(folder.Path()) / name);
    ASSERT_TRUE(SelectFolder(folder.Text()));
    ShellFolderTree& tree = dialog.dfs_LokalizacjaSkrotu;
    const HTREEITEM node = TreeView_GetSelection(tree.Hwnd());
    TreeView_Expand(tree.Hwnd(), node, TVE_EXPAND);
    // Back at once, with only the sign that it is being read: a child that is no folder.
    EXPECT_FALSE(tree.Filled(node));
    EXPECT_TRUE(tree.Children(node).empty() && TreeView_GetChild(tree.Hwnd(), node));
    ASSERT_TRUE(testing::PumpUntil([&] { return tree.Filled(node); }));
    std::vector<std::wstring> paths;
    for (HTREEITEM child : tree.Children(node))
        paths.push_back(tree.PathOf(child));
    EXPECT_EQ(paths, (std::vector{folder.Text() + L"\\a", folder.Text() + L"\\b"}));
    // What is read for a node deleted meanwhile goes nowhere.
    tree.FillChildren(tree.Children(node)[1]);
    TreeView_DeleteItem(tree.Hwnd(), tree.Children(node)[1]);
    ASSERT_TRUE(testing::PumpUntil([&] { return !tree.Reading(); }));
    EXPECT_EQ(tree.Children(node).size(), 1u);
}

TEST_F(ShortcutDialogTest, RefusesANameThatCleansToNothingAndWritesACleanedOne) {
    ASSERT_TRUE(SelectFolder(folder.Text()));
    EXPECT_EQ(ConfirmWith(L"  ?:* "), t::kRefuseEmptyName);
    EXPECT_EQ(ConfirmWith(L"CON"), t::kRefuseReservedName);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));

    EXPECT_EQ(ConfirmWith(L"  Alarm:  poranny?"), L"");
    EXPECT_EQ(Control(dialog.e_NazwaSkrotu).Text(), L"Alarm poranny");
    const std::wstring file = folder.Text() + L"\\Alarm poranny.lnk";
    EXPECT_TRUE(EqualsNoCase(dialog.WrittenFile(), file));
    ASSERT_TRUE(std::filesystem::exists(file));
    const testing::ShortcutRead link = testing::ReadShortcut(file);
    EXPECT_TRUE(link.loaded);
    EXPECT_TRUE(EqualsNoCase(link.path, ExecutablePath())) << ToUtf8(link.path);
    EXPECT_EQ(link.arguments, arguments);
    EXPECT_TRUE(EqualsNoCase(link.workingDirectory, Win32FileSystem().ExecutableDirectory()));
}

}  // namespace
}  // namespace klaxora::win
