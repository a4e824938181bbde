#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/program.h"

namespace klaxora::e2e {
namespace {

using Names = std::vector<std::wstring>;

const std::wstring kKey = L"Software\\Vantrelix\\Klaxora";
const std::wstring kAtTime = kKey + L"\\O_MRU";

bool Contains(const Names& names, const std::wstring& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring StoredText(const std::wstring& name) {
    const auto values = ReadKey(kKey).value_or(std::vector<StoredValue>{});
    for (const auto& v : values) {
        if (v.name == name && v.type == REG_SZ)
            return v.text;
    }
    return L"<missing>";
}

// The fixed file version of the built program, read as any other program would read it.
std::wstring BuiltVersion() {
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length)) {
        return L"<none>";
    }
    return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." +
           std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
           std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." +
           std::to_wstring(LOWORD(info->dwFileVersionLS));
}

// Each test starts from a profile without Klaxora's settings and leaves none behind.
class Startup : public ::testing::Test {
  protected:
    void SetUp() override { DeleteSettings(); }
    void TearDown() override { DeleteSettings(); }

    // Starts the program and waits until it sits in the notification area.
    HWND StartAndWaitForIcon(RunningProgram& program) {
        HWND icon = WaitNewTrayIcon(iconsBefore_);
        EXPECT_NE(icon, nullptr) << "no icon in the notification area";
        EXPECT_TRUE(program.WaitIdle());
        return icon;
    }
    // A full run: start, wait for the configuration window, close.
    void RunOnce(const std::wstring& program = ProgramPath()) {
        RunningProgram run(L"", program);
        ASSERT_NE(run.FindVisibleWindowOf(L"TF_Alarm"), nullptr);
        ASSERT_TRUE(run.Close());
    }

    std::vector<HWND> iconsBefore_ = TrayIcons();
};

TEST_F(Startup, CreatesItsSevenWindowsWithTheirClassesAndCaptions) {
    RunningProgram program;
    ASSERT_NE(program.Id(), 0u) << "Klaxora.exe did not start";
    const std::vector<std::pair<std::wstring, std::wstring>> windows{
        {L"TF_Glowna", L"Klaxora"},
        {L"TF_Alarm", L"Klaxora"},
        {L"TF_About", L"O programie ..."},
        {L"TF_Opcje", L"Opcje"},
        {L"Tf_WprowadzCzas", L"Kreator wprowadzania czasu"},
        {L"Tf_Skrot", L"Utwórz skrót"},
    };
    for (const auto& [className, caption] : windows) {
        EXPECT_NE(program.FindWindowOf(className, caption), nullptr) << className;
    }
    EXPECT_NE(program.FindWindowOf(L"TF_ALARMUJ"), nullptr);
    // The main window is never shown; the configuration window is.
    EXPECT_NE(program.FindVisibleWindowOf(L"TF_Alarm"), nullptr);
    EXPECT_FALSE(IsWindowVisible(program.FindWindowOf(L"TF_Glowna")));
    EXPECT_TRUE(program.Close());
}

// An apartment-threaded COM keeps a message-only window on its thread, there before any use.
TEST_F(Startup, TheWindowsThreadHoldsACOMApartmentFromTheStart) {
    RunningProgram program;
    const DWORD guiThread = GetWindowThreadProcessId(program.FindWindowOf(L"TF_Glowna"), nullptr);
    bool apartment = false;
    for (HWND w = nullptr; (w = FindWindowExW(HWND_MESSAGE, w, L"OleMainThreadWndClass", nullptr));)
        apartment = apartment || (guiThread && GetWindowThreadProcessId(w, nullptr) == guiThread);
    EXPECT_TRUE(apartment);
    EXPECT_TRUE(program.Close());
}

TEST_F(Startup, FirstRunStoresVersionPathNameAndSeedsTheLists) {
    RunOnce();
    EXPECT_EQ(Sorted(ValueNames(kKey)), (Names{L"Name", L"Path", L"Version"}));
    EXPECT_EQ(StoredText(L"Version"), BuiltVersion());
    EXPECT_NE(BuiltVersion(), L"<none>");
    EXPECT_EQ(_wcsicmp(StoredText(L"Path").c_str(), ProgramPath().c_str()), 0)
        << StoredText(L"Path");
    EXPECT_EQ(StoredText(L"Name"), L"Klaxora");
    EXPECT_EQ(Sorted(SubkeyNames(kKey)),
              Sorted({L"O_MRU", L"ZA_MRU", L"Kom_Text_MRU", L"Kom_Caption_MRU", L"Sound_MRU",
                      L"EXE_MRU", L"Foldery_MRU", L"WWW_MRU",
                      // not seeded; the first show's restore reads it and so creates it
                      L"Pliki_MRU"}));
    EXPECT_EQ(Sorted(ValueNames(kAtTime)),
              (Names{L"00:00:00", L"06:00:00", L"07:00:00", L"11:00:00", L"12:00:00", L"15:00:00",
                     L"20:00:00", L"21:00:00", L"22:00:00", L"23:00:00"}));
    EXPECT_EQ(ValueNames(kKey + L"\\ZA_MRU").size(), 10u);
    EXPECT_EQ(ValueNames(kKey + L"\\Kom_Text_MRU").size(), 19u);
    EXPECT_TRUE(Contains(ValueNames(kKey + L"\\Kom_Caption_MRU"), L"CZEŚĆ"));
    EXPECT_EQ(ValueNames(kKey + L"\\WWW_MRU").size(), 6u);
    EXPECT_TRUE(Contains(ValueNames(kKey + L"\\Foldery_MRU"), L"C:\\"));
    // Seeds are names with empty text; no list gets a current entry.
    for (const auto& subkey : SubkeyNames(kKey)) {
        const auto values = ReadKey(kKey + L"\\" + subkey).value_or(std::vector<StoredValue>{});
        for (const auto& value : values) {
            EXPECT_FALSE(value.name.empty()) << subkey;
            EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
            EXPECT_EQ(value.text, L"");
        }
    }
}

TEST_F(Startup, FirstRunOffersTheEightSoundsShippedBesideTheProgram) {
    RunOnce();
    const std::wstring program = ProgramPath();
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1) + L"sound\\";
    const Names sounds = ValueNames(kKey + L"\\Sound_MRU");
    for (const wchar_t* name :
         {L"Budzik.mp3", L"Telefon.wav", L"Alarm.mp3", L"Big ben.mp3", L"Coo-coo.mp3",
          L"Flaga na maszt.mp3", L"Płacz tarzana.mp3", L"Syrena policyjna.mp3"}) {
        const std::wstring entry = folder + name;
        EXPECT_TRUE(std::any_of(sounds.begin(), sounds.end(), [&](const std::wstring& s) {
            return _wcsicmp(s.c_str(), entry.c_str()) == 0;
        })) << name;
    }
}

TEST_F(Startup, SecondStartSeedsNothing) {
    RunOnce();
    DeleteValue(kAtTime, L"06:00:00");
    RunOnce();
    EXPECT_FALSE(Contains(ValueNames(kAtTime), L"06:00:00"));
    EXPECT_EQ(ValueNames(kAtTime).size(), 9u);
}

TEST_F(Startup, MovedProgramSeedsAgainKeepingWhatTheListsHold) {
    TempFolder first, second;
    const std::wstring copy = first.Path() + L"Klaxora.exe";
    ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), copy.c_str(), FALSE));
    RunOnce(copy);
    ASSERT_EQ(_wcsicmp(StoredText(L"Path").c_str(), copy.c_str()), 0);
    DeleteValue(kAtTime, L"06:00:00");
    WriteString(kAtTime, L"09:05:00", L"");

    // Another copy while the stored path still exists: no seeding.
    RunOnce(ProgramPath());
    EXPECT_FALSE(Contains(ValueNames(kAtTime), L"06:00:00"));
    EXPECT_EQ(_wcsicmp(StoredText(L"Path").c_str(), copy.c_str()), 0);

    // Moved away: the next start is a first run again, and adds to the lists.
    const std::wstring moved = second.Path() + L"Klaxora.exe";
    ASSERT_TRUE(MoveFileW(copy.c_str(), moved.c_str()));
    RunOnce(moved);
    EXPECT_EQ(_wcsicmp(StoredText(L"Path").c_str(), moved.c_str()), 0);
    const Names atTime = ValueNames(kAtTime);
    EXPECT_TRUE(Contains(atTime, L"06:00:00"));
    EXPECT_TRUE(Contains(atTime, L"09:05:00"));
    EXPECT_EQ(atTime.size(), 11u);
}

TEST_F(Startup, PathOfAnotherTypeIsReportedAndTheProgramGoesOn) {
    WriteDword(kKey, L"Path", 1);
    WriteDword(kKey, L"AutoMinimize", 1);
    RunningProgram program;
    const HWND box = program.FindVisibleWindowOf(L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), L"Klaxora");
    EXPECT_EQ(MessageBoxText(box), L"Invalid data type for 'Path'");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    // Seeding and the options were skipped: AutoMinimize did not count.
    EXPECT_NE(program.FindVisibleWindowOf(L"TF_Alarm"), nullptr);
    // The first show's restore opens the lists (creating them), but nothing was seeded.
    for (const auto& subkey : SubkeyNames(kKey))
        EXPECT_TRUE(ValueNames(kKey + L"\\" + subkey).empty()) << subkey;
    EXPECT_TRUE(program.Close());
}

TEST_F(Startup, AutoMinimizeAsDwordShowsOnlyTheIconAndAClickTogglesTheWindow) {
    WriteDword(kKey, L"AutoMinimize", 1);
    RunningProgram program;
    const HWND icon = StartAndWaitForIcon(program);
    ASSERT_NE(icon, nullptr);
    const HWND alarm = program.FindWindowOf(L"TF_Alarm");
    ASSERT_NE(alarm, nullptr);
    // Once the program waits for input its start-up is over: had it shown the window, the
    // window would show by now.
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_FALSE(IsWindowVisible(alarm));

    ClickTrayIcon(icon, false);
    EXPECT_NE(program.FindVisibleWindowOf(L"TF_Alarm", 5000), nullptr);
    ClickTrayIcon(icon, false);
    const DWORD start = GetTickCount();
    while (IsWindowVisible(alarm) && GetTickCount() - start < 5000)
        Sleep(50);
    EXPECT_FALSE(IsWindowVisible(alarm));
    EXPECT_TRUE(program.Close());
}

TEST_F(Startup, AutoMinimizeAsTextDoesNotCount) {
    WriteString(kKey, L"AutoMinimize", L"1");
    RunningProgram program;
    EXPECT_NE(program.FindVisibleWindowOf(L"TF_Alarm"), nullptr);
    EXPECT_TRUE(program.Close());
}

TEST_F(Startup, MenuOffersHelpOnlyWhileTheHelpFileExists) {
    TempFolder folder;
    const std::wstring copy = folder.Path() + L"Klaxora.exe";
    ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), copy.c_str(), FALSE));
    WriteDword(kKey, L"AutoMinimize", 1);
    RunningProgram program(L"", copy);
    const HWND icon = StartAndWaitForIcon(program);
    ASSERT_NE(icon, nullptr);

    const int without = TrayMenuHeight(program, icon);
    ASSERT_GT(without, 0) << "the menu did not open";
    ASSERT_TRUE(CreateDirectoryW((folder.Path() + L"help").c_str(), nullptr));
    const std::wstring help = folder.Path() + L"help\\alarm.html";
    const HANDLE file = CreateFileW(help.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const int with = TrayMenuHeight(program, icon);
    EXPECT_GE(with - without, 10) << "one more item expected";
    DeleteFileW(help.c_str());
    EXPECT_EQ(TrayMenuHeight(program, icon), without);
    EXPECT_TRUE(program.Close());
}

TEST_F(Startup, MenuItemCloseEndsTheProgram) {
    RunningProgram program;
    const HWND icon = StartAndWaitForIcon(program);
    ASSERT_NE(icon, nullptr);
    ClickTrayIcon(icon, true);
    const HWND menu = WaitPopupMenu(program.Id());
    ASSERT_NE(menu, nullptr);
    PressKeyInMenu(menu, VK_UP);  // from no selection, up selects the last item, "Zamknij"
    PressKeyInMenu(menu, VK_RETURN);
    EXPECT_TRUE(program.WaitExit(10000));
}

TEST_F(Startup, MenuItemOptionsShowsTheOptionsAndDisablesTheConfigurationWindow) {
    RunningProgram program;
    const HWND icon = StartAndWaitForIcon(program);
    ASSERT_NE(icon, nullptr);
    const HWND alarm = program.FindVisibleWindowOf(L"TF_Alarm");
    ASSERT_NE(alarm, nullptr);
    ClickTrayIcon(icon, true);
    const HWND menu = WaitPopupMenu(program.Id());
    ASSERT_NE(menu, nullptr);
    // Last item "Zamknij", then "O programie ...", then "Opcje".
    PressKeyInMenu(menu, VK_UP);
    PressKeyInMenu(menu, VK_UP);
    PressKeyInMenu(menu, VK_UP);
    PressKeyInMenu(menu, VK_RETURN);
    EXPECT_NE(program.FindVisibleWindowOf(L"TF_Opcje", 5000), nullptr);
    EXPECT_FALSE(IsWindowEnabled(alarm));
    EXPECT_TRUE(program.Close());
}

}  // namespace
}  // namespace klaxora::e2e
