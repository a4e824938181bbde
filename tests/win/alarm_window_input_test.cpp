// The configuration window's keys, pickers, sound panel, process list and the faults found in
// review, driven as a user would.
#include "win/alarm_window_fixture.h"

namespace klaxora::win {
namespace {

TEST_F(AlarmWindowTest, KeyboardMovesThroughTheControlsLikeADialog) {
    FirstShow();
    SetForegroundWindow(window.Hwnd());
    SetFocus(window.cb_A_Wykonaj);
    PostMessageW(window.cb_A_Wykonaj, WM_KEYDOWN, VK_TAB, 0);
    Drain();
    EXPECT_EQ(GetFocus(), window.wykonaj_o.Hours.Edit());
    // The label's mnemonic ("&Wykonaj/Podejmij ...") focuses its list.
    PostMessageW(window.wykonaj_o.Hours.Edit(), WM_SYSKEYDOWN, 'W', 1 << 29);
    PostMessageW(window.wykonaj_o.Hours.Edit(), WM_SYSCHAR, 'w', 1 << 29);
    Drain();
    EXPECT_EQ(GetFocus(), window.cb_A_Wykonaj);
    PostMessageW(window.cb_A_Wykonaj, WM_SYSCHAR, 'z', 1 << 29);
    Drain();
    EXPECT_EQ(GetFocus(), window.cb_Typ_Alarmu);
}

TEST_F(AlarmWindowTest, OptionsAndAboutAreShownThroughWhatTheApplicationGave) {
    FirstShow();
    SendMessageW(window.ib_Opcje, BM_CLICK, 0, 0);
    SendMessageW(window.ib_About, BM_CLICK, 0, 0);
    EXPECT_EQ(optionsShown, 1);
    EXPECT_EQ(aboutShown, 1);
    // Without them nothing happens.
    window.Connect({});
    SendMessageW(window.ib_Opcje, BM_CLICK, 0, 0);
    SendMessageW(window.ib_About, BM_CLICK, 0, 0);
    EXPECT_TRUE(Enabled(window.Hwnd()));
}

TEST_F(AlarmWindowTest, EnterInTheClickEditorsReportsThePoint) {
    FirstShow();
    ui.Other(OtherActionKind::SingleClick);
    window.p_Inne.p_Inne_Klikniecie1.se_Inne_X_DC.SetValue(12);
    window.p_Inne.p_Inne_Klikniecie1.se_Inne_Y_DC.SetValue(34);
    BoxAnswerer ok(IDOK);
    PostMessageW(window.p_Inne.p_Inne_Klikniecie1.se_Inne_Y_DC.Edit(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return ok.answered.load() && !window.PickerRunning(); }));
    EXPECT_EQ(ok.title, L"INFORMACJA");
    EXPECT_EQ(ok.text, L"Wprowadzono punkt o współrzędnych x = 12  y = 34");
    EXPECT_FALSE(window.PickerRunning());
    EXPECT_FALSE(Visible(window.p_Inne.p_Inne_Klikniecie1.l_JakWskazac));
}

TEST_F(AlarmWindowTest, ASoundFileLoadsIntoThePanelAndEmptyingTheNameUnloadsIt) {
    FirstShow();
    const std::wstring wav = klaxora::testing::WriteWav(L"panel.wav", 3000);
    ui.Action(ActionKind::PlaySound);
    ui.Path(wav);
    EXPECT_EQ(Control(window.p_k_PdegrajDzwiek.LabelCzas).Text(), L"0:03s");
    EXPECT_TRUE(Enabled(window.p_k_PdegrajDzwiek.Play));
    EXPECT_TRUE(Enabled(window.p_k_PdegrajDzwiek.LoopCheckBox));
    EXPECT_EQ(SendMessageW(window.p_k_PdegrajDzwiek.Stop, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(ui.StartEnabled());

    SendMessageW(window.p_k_PdegrajDzwiek.Play, BM_CLICK, 0, 0);
    Drain();
    EXPECT_EQ(SendMessageW(window.p_k_PdegrajDzwiek.Play, BM_GETCHECK, 0, 0), BST_CHECKED);
    ui.Path(L"");
    EXPECT_EQ(Control(window.p_k_PdegrajDzwiek.LabelCzas).Text(), L"(brak pliku)");
    EXPECT_EQ(SendMessageW(window.p_k_PdegrajDzwiek.Play, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(Enabled(window.p_k_PdegrajDzwiek.Play));
    EXPECT_FALSE(ui.StartEnabled());
    DeleteFileW(wav.c_str());
}

TEST_F(AlarmWindowTest, AProgramOfAnotherTypeIsReportedOnce) {
    FirstShow();
    const std::filesystem::path file = std::filesystem::temp_directory_path() / L"klaxora_note.txt";
    std::ofstream(file) << "x";
    ui.Action(ActionKind::RunProgram);
    {
        BoxAnswerer ok(IDOK);
        ui.Path(file.wstring());
        ASSERT_TRUE(ok.answered);
        EXPECT_EQ(ok.title, L"Klaxora");
        EXPECT_TRUE(ok.text.ends_with(L"rozszerzenie typu EXE"));
    }
    ui.Path(Win32FileSystem().ExecutableDirectory() + L"win_tests.exe");
    EXPECT_TRUE(ui.StartEnabled());
    EXPECT_TRUE(ui.PreviewEnabled());
    std::filesystem::remove(file);
}

TEST_F(AlarmWindowTest, ASoundOfAnotherTypeIsReportedOnceAndNeverStarts) {
    FirstShow();
    const std::filesystem::path file = std::filesystem::temp_directory_path() / L"klaxora_tune.ogg";
    std::ofstream(file) << "OggS";
    ui.Action(ActionKind::PlaySound);
    {
        BoxAnswerer ok(IDOK);
        ui.Path(file.wstring());
        ASSERT_TRUE(ok.answered);
        EXPECT_EQ(ok.title, L"Klaxora");
        EXPECT_TRUE(ok.text.ends_with(L"rozszerzenie typu WAV lub MP3"));
    }
    EXPECT_FALSE(ui.StartEnabled());  // at the alarm it could only show an error
    EXPECT_FALSE(Enabled(window.p_k_PdegrajDzwiek.Play));
    BoxAnswerer again(IDOK);
    ui.Trigger(TriggerKind::Countdown);
    EXPECT_FALSE(again.answered);
    std::filesystem::remove(file);
}

// A sound file the player cannot open is reported and leaves the definition unstartable.
TEST_F(AlarmWindowTest, ASoundThePlayerCannotOpenLeavesStartDisabled) {
    FirstShow();
    const std::wstring broken = klaxora::testing::TempFile(L"broken.wav");
    std::ofstream(std::filesystem::path(broken)) << "not a sound at all";
    ui.Action(ActionKind::PlaySound);
    {
        BoxAnswerer ok(IDOK);
        ui.Path(broken);
        ASSERT_TRUE(ok.answered);
        EXPECT_TRUE(ok.text.starts_with(L"Nie mogę otworzyć pliku o rozszerzeniu \".wav\""));
    }
    EXPECT_FALSE(ui.StartEnabled());  // the time of day alone would allow it
    EXPECT_FALSE(ui.ShortcutEnabled());
    DeleteFileW(broken.c_str());
}

TEST_F(AlarmWindowTest, BackgroundDragsTheWindowAndTheHomePageOpens) {
    FirstShow();
    POINT background{100, 290};  // the skin under the groups
    ClientToScreen(window.Hwnd(), &background);
    EXPECT_EQ(SendMessageW(window.Hwnd(), WM_NCHITTEST, 0, MAKELPARAM(background.x, background.y)),
              HTCAPTION);
    SendMessageW(window.ib_WWW, BM_CLICK, 0, 0);
    Drain();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].starts_with(L"https://"));
}

std::vector<std::wstring> Column(HWND list, int column) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        wchar_t text[261] = {};
        ListView_GetItemText(list, i, column, text, 261);
        texts.push_back(text);
    }
    return texts;
}

TEST_F(AlarmWindowTest, ProcessListSortsByTheClickedColumnAsText) {
    FirstShow();
    ui.Action(ActionKind::KillProcess);  // fills the list
    ASSERT_GT(ListView_GetItemCount(window.p_ZabijProces.lv_Procesy), 2);
    auto byText = [](const std::wstring& a, const std::wstring& b) {
        return CompareAsciiNoCase(a, b) < 0;
    };
    window.p_ZabijProces.lv_ProcesyColumnClick(2);
    std::vector<std::wstring> ids = Column(window.p_ZabijProces.lv_Procesy, 2);
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end(), byText));  // "10" before "9"
    window.p_ZabijProces.lv_ProcesyColumnClick(2);
    ids = Column(window.p_ZabijProces.lv_Procesy, 2);
    EXPECT_TRUE(std::is_sorted(ids.rbegin(), ids.rend(), byText));
    window.p_ZabijProces.lv_ProcesyColumnClick(0);
    const std::vector<std::wstring> names = Column(window.p_ZabijProces.lv_Procesy, 0);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), byText));
}

// A user's F10 arrives as a system key (WM_SYSKEYDOWN), in the window and while the click
// point is being picked.
TEST_F(AlarmWindowTest, F10AsTheUserPressesItShowsTheAboutBox) {
    FirstShow();
    PostMessageW(window.cb_A_Wykonaj, WM_SYSKEYDOWN, VK_F10, 0);
    EXPECT_TRUE(PumpUntil([&] { return aboutShown == 1; }));

    ui.Other(OtherActionKind::SingleClick);
    ClickPanel& click = window.p_Inne.p_Inne_Klikniecie1;
    {
        BoxAnswerer ok(IDOK);
        SendMessageW(click.sb_WskazPunkt, BM_CLICK, 0, 0);
        ASSERT_TRUE(ok.answered);
    }
    ASSERT_TRUE(window.PickerRunning());
    PostMessageW(click.se_Inne_X_DC.Edit(), WM_SYSKEYDOWN, VK_F10, 0);
    EXPECT_TRUE(PumpUntil([&] { return aboutShown == 2; }));
    EXPECT_TRUE(window.PickerRunning());
    click.StopPicker();
}

TEST_F(AlarmWindowTest, ThePickerFollowsTheMouseUntilEsc) {
    FirstShow();
    ui.Other(OtherActionKind::DoubleClick);
    {
        BoxAnswerer ok(IDOK);
        SendMessageW(window.p_Inne.p_Inne_Klikniecie1.sb_WskazPunkt, BM_CLICK, 0, 0);
        ASSERT_TRUE(ok.answered);
        EXPECT_EQ(ok.title, L"UWAGA !!!");
        EXPECT_TRUE(ok.text.starts_with(L"UŻYTKOWNIKU PROGRAMU"));
    }
    EXPECT_TRUE(window.PickerRunning());
    EXPECT_TRUE(Visible(window.p_Inne.p_Inne_Klikniecie1.l_JakWskazac));
    SetCursorPos(123, 45);
    ClickPanel& click = window.p_Inne.p_Inne_Klikniecie1;
    EXPECT_TRUE(PumpUntil(
        [&] { return click.se_Inne_X_DC.Value() == 123 && click.se_Inne_Y_DC.Value() == 45; }));
    EXPECT_EQ(window.p_Inne.p_Inne_Klikniecie1.se_Inne_X_DC.Value(), 123);
    EXPECT_EQ(window.p_Inne.p_Inne_Klikniecie1.se_Inne_Y_DC.Value(), 45);
    // Choosing another sub-action does not stop it; Esc does, without a message.
    ui.Other(OtherActionKind::SingleClick);
    EXPECT_TRUE(window.PickerRunning());
    PostMessageW(window.p_Inne.p_Inne_Klikniecie1.se_Inne_X_DC.Edit(), WM_KEYDOWN, VK_ESCAPE, 0);
    Drain();
    EXPECT_FALSE(window.PickerRunning());
    EXPECT_FALSE(Visible(window.p_Inne.p_Inne_Klikniecie1.l_JakWskazac));
}

// Selecting by text: the whole text, letter case ignored; a prefix or an unknown text selects
// nothing (and clears what was selected).
TEST(SelectItemByTextTest, ExactTextIgnoringCaseNeverAPrefix) {
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 200,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(combo);
    for (const wchar_t* item : {L"Ząb o 7", L"Ząb", L"F10", L"F1"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    const struct {
        const wchar_t* text;
        const wchar_t* selected;  // empty: nothing
    } cases[] = {
        {L"ząb", L"Ząb"}, {L"ZĄB O 7", L"Ząb o 7"}, {L"F1", L"F1"}, {L"f10", L"F10"}, {L"Zą", L""},
        {L"F", L""},      {L"Ząb o 7 ", L""},       {L"", L""},
    };
    for (const auto& c : cases) {
        SendMessageW(combo, CB_SETCURSEL, 0, 0);  // something selected before
        EXPECT_EQ(ComboBox(combo).SelectByText(c.text), *c.selected != 0) << ToUtf8(c.text);
        EXPECT_EQ(ComboBox(combo).SelectedText(), c.selected) << ToUtf8(c.text);
    }
    DestroyWindow(combo);
}

// Selecting exactly: letter case counts, as the key list holds "a" and "A" as different keys.
TEST(SelectItemByTextTest, ExactlyKeepsLetterCaseApart) {
    const ComboBox combo(CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWNLIST, 0, 0,
                                         100, 200, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(combo.Hwnd());
    for (const wchar_t* item : {L"A", L"a", L"Alt+A"})
        combo.Add(item);
    const struct {
        const wchar_t* text;
        const wchar_t* selected;  // empty: nothing
    } cases[] = {{L"a", L"a"}, {L"A", L"A"}, {L"ALT+A", L""}, {L"Alt", L""}, {L"", L""}};
    for (const auto& c : cases) {
        combo.Select(0);  // something selected before
        EXPECT_EQ(combo.SelectExactly(c.text), *c.selected != 0) << ToUtf8(c.text);
        EXPECT_EQ(combo.SelectedText(), c.selected) << ToUtf8(c.text);
    }
    DestroyWindow(combo);
}

}  // namespace
}  // namespace klaxora::win
