// The program started with parameters, as a shortcut starts it: bad parameters show their
// messages and arm nothing; a shortcut made through the dialog carries the definition to a
// second start, which fills the window the same way.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

#include "cmdline/cmdline_texts.h"
#include "e2e/program.h"
#include "shortcut_read.h"
#include "util/text.h"

namespace klaxora::e2e {
namespace {

namespace t = cmdline;
using Box = std::pair<std::wstring, std::wstring>;  // title, text

// The configuration window's shortcut button and the dialog's controls, by their ids.
constexpr int kSkrotButton = 12;
constexpr int kPathLabel = 101, kNameBox = 104;

// Each box in turn, answered with OK once it has been read.
std::vector<Box> AnswerBoxes(const RunningProgram& program, size_t count) {
    std::vector<Box> seen;
    for (size_t i = 0; i < count; ++i) {
        const HWND box = program.FindVisibleWindowOf(L"#32770", 15000);
        if (!box)
            break;
        seen.emplace_back(WindowText(box), MessageBoxText(box));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); });
    }
    return seen;
}

// Class and text of every visible edit and list of the window, in their order.
std::vector<std::wstring> FieldTexts(HWND window) {
    std::vector<std::wstring> texts;
    for (HWND hwnd : Descendants(window)) {
        const std::wstring cls = ClassName(hwnd);
        if ((cls == L"Edit" || cls == L"ComboBox") && IsWindowVisible(hwnd))
            texts.push_back(cls + L": " + WindowText(hwnd));
    }
    return texts;
}

// A started program's menu height, once it sits in the notification area.
int MenuHeightOf(const RunningProgram& program, const std::vector<HWND>& iconsBefore) {
    const HWND icon = WaitNewTrayIcon(iconsBefore);
    if (!icon || !program.WaitIdle() || !program.FindVisibleWindowOf(L"TF_Alarm"))
        return -1;
    return TrayMenuHeight(program, icon);
}

class CommandLine : public ::testing::Test {
  protected:
    void SetUp() override { DeleteSettings(); }
    void TearDown() override { DeleteSettings(); }
};

TEST_F(CommandLine, BadParametersShowTheirMessagesInOrderAndArmNothing) {
    const std::wstring exe = ProgramPath();
    const std::wstring idle = exe.substr(0, exe.rfind(L'\\') + 1) + L"watch_target.exe";
    const std::wstring error(t::kErrorTitle), missing(t::kMissingProgramTitle),
        warning(t::kWarningTitle);
    const struct {
        std::wstring arguments;
        std::vector<Box> boxes;
    } cases[] = {
        {L" \"OD: 0:0:0\" \"Domyślne okno\"", {{error, std::wstring(t::kZeroTime)}}},
        {L" \"XOD: 5\" \"Domyślne okno\"", {{error, std::wstring(t::kNoTrigger)}}},
        {L" \"PU: C:\\nie ma\\takiego.exe\" \"Zabij proces\" \"" + idle + L"\"",
         {{missing, std::wstring(t::kMissingProgram)},
          {error, std::wstring(t::kProcessNotRunning)},
          {warning, std::wstring(t::kSummary)}}},
    };
    int idleHeight = 0;
    {
        const std::vector<HWND> before = TrayIcons();
        RunningProgram idleProgram;
        idleHeight = MenuHeightOf(idleProgram, before);
        ASSERT_GT(idleHeight, 0) << "the menu did not open";
        EXPECT_TRUE(idleProgram.Close());
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.arguments));
        const std::vector<HWND> before = TrayIcons();
        RunningProgram program(c.arguments);
        EXPECT_EQ(AnswerBoxes(program, c.boxes.size()), c.boxes);
        EXPECT_EQ(MenuHeightOf(program, before), idleHeight) << "armed";
        EXPECT_TRUE(program.Close());
    }
}

// Where the shortcut is left for the reader on the Linux side (scripts/check_shortcut.sh):
// beside this test program.
std::wstring HandOverFolder() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    return folder.substr(0, folder.rfind(L'\\') + 1) + L"e2e_shortcut\\";
}

TEST_F(CommandLine, AShortcutMadeInTheDialogStartsTheProgramWithTheSameDefinition) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring arguments = L" \"UG: 7:30:0\" \"Otwórz folder\" \"C:\\\"";
    const std::wstring name = L"Klaxora e2e " + std::to_wstring(GetCurrentProcessId());
    std::wstring file;
    std::vector<std::wstring> first;
    {
        RunningProgram program(arguments);
        const HWND window = program.FindVisibleWindowOf(L"TF_Alarm");
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(program.WaitIdle());
        first = FieldTexts(window);
        for (const wchar_t* expected : {L"ComboBox: Uruchom alarm o ...",
                                        L"ComboBox: Otwórz folder", L"Edit: C:\\", L"Edit: 30"})
            EXPECT_NE(std::find(first.begin(), first.end(), expected), first.end())
                << ToUtf8(expected);

        const HWND button = GetDlgItem(window, kSkrotButton);
        ASSERT_TRUE(IsWindowEnabled(button));
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(kSkrotButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        const HWND dialog = program.FindVisibleWindowOf(L"Tf_Skrot");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowText(dialog), L"Utwórz skrót");
        // It starts on the desktop, a folder on disk.
        const std::wstring folder = WindowText(GetDlgItem(dialog, kPathLabel));
        wchar_t desktop[MAX_PATH] = {};
        SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop);
        EXPECT_TRUE(EqualsNoCase(folder, desktop)) << ToUtf8(folder);
        SendMessageW(GetDlgItem(dialog, kNameBox), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>((name + L"?").c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        file = folder + (folder.ends_with(L'\\') ? L"" : L"\\") + name + L".lnk";
        ASSERT_TRUE(
            WaitFor([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }));
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
        EXPECT_TRUE(program.Close());
    }
    const testing::ShortcutRead link = testing::ReadShortcut(file);
    EXPECT_TRUE(EqualsNoCase(link.path, ProgramPath())) << ToUtf8(link.path);
    EXPECT_EQ(link.arguments, arguments);
    const std::wstring exe = ProgramPath();
    EXPECT_TRUE(EqualsNoCase(link.workingDirectory, exe.substr(0, exe.rfind(L'\\') + 1)));

    // Handed over with what it must hold, for a reader that is not Windows' own.
    const std::wstring handOver = HandOverFolder();
    CreateDirectoryW(handOver.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(file.c_str(), (handOver + L"Klaxora.lnk").c_str(), FALSE));
    {
        std::ofstream expected(std::filesystem::path(handOver + L"expected.txt"),
                               std::ios::binary | std::ios::trunc);
        expected << ToUtf8(exe) << "\n"
                 << ToUtf8(arguments) << "\n"
                 << ToUtf8(exe.substr(0, exe.rfind(L'\\') + 1)) << "\n";
    }
    DeleteFileW(file.c_str());

    // The shortcut's arguments fill a new start's window the same way.
    DeleteSettings();
    RunningProgram again(link.arguments);
    const HWND window = again.FindVisibleWindowOf(L"TF_Alarm");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(again.WaitIdle());
    EXPECT_EQ(FieldTexts(window), first);
    EXPECT_TRUE(again.Close());
    CoUninitialize();
}

}  // namespace
}  // namespace klaxora::e2e
