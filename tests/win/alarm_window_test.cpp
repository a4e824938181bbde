// The configuration window's layout, pages and panels, spin edits and lists.
#include "win/alarm_window_fixture.h"

#include "actions/key_names.h"

#include <oleacc.h>

namespace klaxora::win {
namespace {

TEST_F(AlarmWindowTest, LayoutOfTheKeyControls) {
    FirstShow();
    BuildAll();
    RECT client;
    GetClientRect(window.Hwnd(), &client);
    EXPECT_EQ(client.right, 550);
    EXPECT_EQ(client.bottom, 301);
    RECT frame;
    GetWindowRect(window.Hwnd(), &frame);
    EXPECT_EQ(frame.right - frame.left, 550);  // no frame, no caption bar
    EXPECT_EQ(Control(window.Hwnd()).Text(), L"Klaxora");

    const std::pair<HWND, int> top[] = {{window.ib_WWW, 284},    {window.ib_Skrot, 321},
                                        {window.ib_About, 358},  {window.ib_Opcje, 395},
                                        {window.ib_Koniec, 432}, {window.ib_Minimalizuj, 469},
                                        {window.ib_Start, 506}};
    for (const auto& [button, x] : top) {
        const RECT rc = ClientRectIn(button, window.Hwnd());
        EXPECT_EQ(rc.left, x);
        EXPECT_EQ(rc.top, 10);
        EXPECT_EQ(rc.right - rc.left, 37);
        EXPECT_EQ(rc.bottom - rc.top, 37);
    }
    const RECT stop = ClientRectIn(window.ib_Stop, window.Hwnd());
    EXPECT_EQ(stop.left, -40);
    EXPECT_EQ(stop.top, -40);
    // Tab runs through the trigger, the action, then the top row: the children's order.
    std::vector<HWND> children;
    for (HWND c = GetWindow(window.Hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    EXPECT_EQ(children,
              (std::vector<HWND>{window.gb1.Hwnd(), window.gb2.Hwnd(), window.ib_Stop,
                                 window.ib_WWW, window.ib_Skrot, window.ib_About, window.ib_Opcje,
                                 window.ib_Koniec, window.ib_Minimalizuj, window.ib_Start}));

    const RECT gb1 = ClientRectIn(window.gb1.Hwnd(), window.Hwnd());
    EXPECT_EQ(gb1.left, 12);
    EXPECT_EQ(gb1.top, 51);
    EXPECT_EQ(gb1.right - gb1.left, 213);
    EXPECT_EQ(gb1.bottom - gb1.top, 222);
    const RECT gb2 = ClientRectIn(window.gb2.Hwnd(), window.Hwnd());
    EXPECT_EQ(gb2.left, 232);
    EXPECT_EQ(gb2.right - gb2.left, 310);
    EXPECT_EQ(gb2.bottom - gb2.top, 222);

    auto width = [&](HWND c) {
        const RECT rc = ClientRectIn(c, window.Hwnd());
        return rc.right - rc.left;
    };
    EXPECT_EQ(width(window.cb_A_Wykonaj), 201);
    EXPECT_EQ(width(window.cb_Typ_Alarmu), 296);
    EXPECT_EQ(width(window.nb_Zakladki.Hwnd()), 207);
    EXPECT_EQ(width(window.e_CzasPowtorki), 49);
    EXPECT_EQ(
        width(window.brak_neta.se_BrakNeta.Edit()) + width(window.brak_neta.se_BrakNeta.UpDown()),
        113);
    const RECT panel = ClientRectIn(window.p_k_komunikat.Hwnd(), window.Hwnd());
    EXPECT_EQ(panel.right - panel.left, 296);
    EXPECT_EQ(panel.bottom - panel.top, 145);

    // The repeat row left to right: the check box, its edit, the unit.
    const RECT box = ClientRectIn(window.cb_PowtorzAkcje, window.Hwnd());
    const RECT edit = ClientRectIn(window.e_CzasPowtorki, window.Hwnd());
    const RECT unit = ClientRectIn(window.l_CzasPowtorkiSek, window.Hwnd());
    EXPECT_GT(edit.left, box.left + 60);
    EXPECT_GE(edit.left, box.right);
    EXPECT_GE(unit.left, edit.right);
    EXPECT_LE(unit.right, gb1.right);

    // The skin shapes the window: rounded corners are cut away.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window.Hwnd(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 549, 300));
    EXPECT_TRUE(PtInRegion(region, 275, 150));
    EXPECT_TRUE(PtInRegion(region, 275, 0));
    DeleteObject(region);

    EXPECT_EQ(Control(window.cb_PowtorzAkcje).Text(), L"&Powtórz akcję po");
    EXPECT_EQ(Control(window.e_CzasPowtorki).Text(), L"1");  // restored: "Repeat_Time" is missing
    EXPECT_FALSE(Enabled(window.e_CzasPowtorki));
    EXPECT_EQ(SendMessageW(window.p_Inne.p_Inne_Klawisz.cb_Klawisze, CB_GETCOUNT, 0, 0), 352);
    // The restore gives the message box the items of its (here empty) recent list.
    EXPECT_EQ(SendMessageW(window.p_k_komunikat.cb_Komunikat, CB_GETCOUNT, 0, 0), 0);
    // A tooltip window comes when the mouse is first over one of its tools, holding what was
    // added before.
    SendMessageW(window.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.cb_Typ_Alarmu.Hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    ASSERT_NE(window.BalloonWindow(), nullptr);
    EXPECT_EQ(SendMessageW(window.BalloonWindow(), TTM_GETTOOLCOUNT, 0, 0), 10);
}

TEST_F(AlarmWindowTest, BeforeTheFirstShowOnlyTheProcessPanelAndTheEmptyPage) {
    EXPECT_TRUE(ui.ShowsNoPage());
    EXPECT_TRUE(ui.Shows(ActionKind::KillProcess));
    // Changes while the window is filled do not synchronise the view.
    ui.Trigger(TriggerKind::Countdown);
    EXPECT_TRUE(ui.ShowsNoPage());
    EXPECT_TRUE(Control(window.gb1.Hwnd()).Text().starts_with(L" W tej chwili jest: "));
}

TEST_F(AlarmWindowTest, PathsWrittenBeforeTheirPanelIsBuiltWaitForIt) {
    struct Case {
        const char* name;
        Panel& panel;
        std::function<void(const std::wstring&)> write;
        std::function<std::wstring()> read;
        std::function<HWND()> edit;
        std::wstring AlarmSettings::*field;  // where the definition reads it; null: elsewhere
    };
    TF_Alarm& w = window;
    const Case cases[] = {
        {"program_uruch", w.program_uruch, [&](auto& t) { w.program_uruch.SetPath(t); },
         [&] { return w.program_uruch.Path(); }, [&] { return w.program_uruch.Editor.edit; },
         nullptr},
        {"program_zamkniety", w.program_zamkniety, [&](auto& t) { w.program_zamkniety.SetPath(t); },
         [&] { return w.program_zamkniety.Path(); },
         [&] { return w.program_zamkniety.Editor.edit; }, nullptr},
        {"p_UrProg", w.p_UrProg, [&](auto& t) { w.p_UrProg.SetPath(t); },
         [&] { return w.p_UrProg.Path(); }, [&] { return w.p_UrProg.Editor.edit; },
         &AlarmSettings::ProgramPath},
        {"p_Plik", w.p_Plik, [&](auto& t) { w.p_Plik.SetPath(t); }, [&] { return w.p_Plik.Path(); },
         [&] { return w.p_Plik.Editor.edit; }, &AlarmSettings::FilePath},
        {"p_OtworzFolder", w.p_OtworzFolder, [&](auto& t) { w.p_OtworzFolder.SetPath(t); },
         [&] { return w.p_OtworzFolder.Path(); }, [&] { return w.p_OtworzFolder.Editor.edit; },
         &AlarmSettings::FolderPath},
        {"p_k_PdegrajDzwiek", w.p_k_PdegrajDzwiek, [&](auto& t) { w.p_k_PdegrajDzwiek.SetFile(t); },
         [&] { return w.p_k_PdegrajDzwiek.File(); },
         [&] { return w.p_k_PdegrajDzwiek.fne_PlikWAV.edit; }, &AlarmSettings::SoundFile},
        {"p_WWW", w.p_WWW, [&](auto& t) { w.p_WWW.SetAddress(t); },
         [&] { return w.p_WWW.Address(); }, [&] { return w.p_WWW.e_WWW; },
         &AlarmSettings::WebAddress},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.panel.Built());
        EXPECT_EQ(c.read(), L"");
        c.write(L"C:\\first");
        c.write(L"C:\\second");  // the last one counts
        EXPECT_FALSE(c.panel.Built());
        EXPECT_EQ(c.read(), L"C:\\second");
        if (c.field) {
            EXPECT_EQ(window.ReadSettings().*c.field, L"C:\\second");
        }
        c.panel.EnsureBuilt();
        EXPECT_EQ(Control(c.edit()).Text(), L"C:\\second");
        // Built, the edit holds the text: what is typed there is what reads.
        SetWindowTextW(c.edit(), L"C:\\typed");
        Drain();
        EXPECT_EQ(c.read(), L"C:\\typed");
        c.write(L"C:\\third");
        EXPECT_EQ(Control(c.edit()).Text(), L"C:\\third");
    }
}

TEST_F(AlarmWindowTest, FirstShowCentresSelectsTheTimeOfDayAndSynchronises) {
    FirstShow();
    EXPECT_TRUE(window.FirstShowDone);
    EXPECT_EQ(ui.TriggerText(), L"Uruchom alarm o ...");
    EXPECT_TRUE(ui.Shows(TriggerKind::AtTime));
    EXPECT_TRUE(ui.Shows(ActionKind::DefaultWindow));  // no panel
    EXPECT_FALSE(ui.StartEnabled());                   // no action yet
    RECT work, rc;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window.Hwnd(), &rc);
    EXPECT_NEAR((rc.left + rc.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

TEST_F(AlarmWindowTest, PagesAndPanelsFollowTheLists) {
    FirstShow();
    for (const TriggerInfo& t : Triggers()) {
        if (t.kind == TriggerKind::AfterWindowsStart)
            continue;  // it has no item
        ui.Trigger(t.kind);
        EXPECT_TRUE(ui.Shows(t.kind)) << ToUtf8(t.caption);
    }
    for (const ActionInfo& a : Actions()) {
        ui.Action(a.kind);
        EXPECT_TRUE(ui.Shows(a.kind)) << ToUtf8(a.caption);
        const bool previewHidden =
            a.kind == ActionKind::ShutDown || a.kind == ActionKind::PlaySound;
        EXPECT_EQ(ui.PreviewShown(), !previewHidden) << ToUtf8(a.caption);
    }

    // Other: no sub-action, then each sub-action's panel; the mouse block with its help label.
    ui.Action(ActionKind::Other);
    EXPECT_TRUE(ui.ShowsNoSubPanel());
    EXPECT_FALSE(Visible(window.amh_Help));
    for (const OtherActionInfo& o : OtherActions()) {
        ui.Other(o.kind);
        EXPECT_TRUE(ui.Shows(o.kind)) << ToUtf8(o.caption);
    }
    ui.Other(OtherActionKind::PressKeys);
    EXPECT_FALSE(Visible(window.amh_Help));
    ui.Other(OtherActionKind::BlockMouse);
    EXPECT_TRUE(Visible(window.amh_Help));
    EXPECT_TRUE(window.AmhHint().ends_with(L"|Zawieś działanie myszy"));
    {
        BoxAnswerer ok(IDOK);
        SendMessageW(window.amh_Help, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(window.amh_Help, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ASSERT_TRUE(ok.answered);
        EXPECT_EQ(ok.title, L"Zawieś działanie myszy");
        EXPECT_TRUE(ok.text.starts_with(L"Jak sama nazwa wskazuje opcja zawiesza działanie myszy"));
    }
}

// Whatever the user's locale would sort first, the fixed lists show their own order.
TEST_F(AlarmWindowTest, FixedListsKeepTheirOrder) {
    FirstShow();
    ui.Action(ActionKind::ShutDown);
    for (OtherActionKind o : {OtherActionKind::CdTray, OtherActionKind::PressKeys})
        ui.Other(o);
    const auto captions = [](const auto& table) {
        std::vector<std::wstring> c;
        for (const auto& item : table)
            c.emplace_back(item.caption);
        return c;
    };
    std::vector<std::wstring> triggers = captions(Triggers());
    std::erase(triggers, Info(TriggerKind::AfterWindowsStart).caption);  // it has no item
    const auto cd = CdTrayOperations();
    const std::pair<HWND, std::vector<std::wstring>> lists[] = {
        {window.cb_A_Wykonaj, triggers},
        {window.cb_Typ_Alarmu, captions(Actions())},
        {window.p_Zamknij.cb_ZamknijSystem, captions(ShutdownKinds())},
        {window.p_Inne.cb_InneOpcje, captions(OtherActions())},
        {window.p_Inne.p_Inne_Klawisz.cb_Klawisze, {KeyNames().begin(), KeyNames().end()}},
        {window.p_Inne.p_Inne_DyskCD.cd_Inne_DyskCD_WsWy, {cd.begin(), cd.end()}},
    };
    for (const auto& [list, items] : lists)
        EXPECT_EQ(ComboItems(list), items) << GetDlgCtrlID(list);
}

TEST_F(AlarmWindowTest, ProgramPagesShowTheirCaptionAndOnlyTheirOwnNote) {
    FirstShow();
    const std::wstring caption = L"&Podaj ścieżkę do programu:";
    const std::tuple<TriggerKind, const ProgramPage&, std::vector<std::wstring>> pages[] = {
        {TriggerKind::ProgramNotResponding,
         window.program_nie_odpowiada,
         {caption, L"Aplikacja zaalarmuje gdy wskazany program przestanie odpowiadać."}},
        {TriggerKind::ProgramStarted,
         window.program_uruch,
         {caption, L"Aplikacja zaalarmuje gdy uruchomiony zostanie wskazany program."}},
        {TriggerKind::ProgramClosed, window.program_zamkniety, {caption}},
    };
    for (const auto& [trigger, page, expected] : pages) {
        ui.Trigger(trigger);
        std::vector<std::wstring> labels;
        for (HWND c = GetWindow(page.Hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t kind[16] = {};
            if (GetClassNameW(c, kind, 16) && EqualsNoCase(kind, L"Static"))
                labels.push_back(Control(c).Text());
        }
        EXPECT_EQ(labels, expected) << static_cast<int>(trigger);
    }
}

// Every change handler (the lists, the message's editors, the count-down's fields, the key
// list) applies the synchroniser's verdict on the whole definition: no field alone makes an
// incomplete definition startable.
TEST_F(AlarmWindowTest, EveryChangeDecidesTheStartForTheWholeDefinition) {
    FirstShow();
    const struct {
        const char* what;
        std::function<void()> change;
        bool start;
        std::optional<bool> preview;  // unset: not the point of the step
    } steps[] = {
        {"a message without its caption",
         [&] {
             ui.Action(ActionKind::Message);
             ui.MessageText(L"Już czas !!!");
         },
         false, false},
        {"the caption typed", [&] { ui.Message(L"Już czas !!!", L"x"); }, true, true},
        {"a count-down of nothing", [&] { ui.Trigger(TriggerKind::Countdown); }, false, {}},
        {"a second typed", [&] { ui.TypeCountdownSeconds(L"1"); }, true, {}},
        {"a time typed for an emptied message",
         [&] {
             ui.MessageText(L"");
             ui.TypeCountdownSeconds(L"2");
         },
         false,
         {}},
        {"a time typed for a kill without a row",
         [&] {
             ui.Action(ActionKind::KillProcess);
             ui.TypeCountdownSeconds(L"3");
         },
         false,
         {}},
        {"a key chosen while the count-down is nothing",
         [&] {
             ui.TypeCountdownSeconds(L"0");
             ui.Other(OtherActionKind::PressKeys);
             ui.Key(L"F5");
         },
         false, true},  // the key alone can be previewed
        {"a second typed to the key", [&] { ui.TypeCountdownSeconds(L"4"); }, true, true},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_EQ(ui.StartEnabled(), step.start) << step.what;
        EXPECT_EQ(ui.ShortcutEnabled(), step.start) << step.what;
        if (step.preview) {
            EXPECT_EQ(ui.PreviewEnabled(), *step.preview) << step.what;
        }
    }

    // The repeat box: off for the default window even when checked.
    ui.Repeat(L"5");
    EXPECT_TRUE(Enabled(window.e_CzasPowtorki));
    ui.Action(ActionKind::DefaultWindow);
    EXPECT_FALSE(Enabled(window.cb_PowtorzAkcje));
    EXPECT_FALSE(Enabled(window.e_CzasPowtorki));
}

TEST_F(AlarmWindowTest, KillProcessWaitsForARow) {
    FirstShow();
    ui.Action(ActionKind::KillProcess);
    EXPECT_FALSE(ui.StartEnabled());
    ASSERT_GT(ListView_GetItemCount(window.p_ZabijProces.lv_Procesy), 0);
    ListView_SetItemState(window.p_ZabijProces.lv_Procesy, 0, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    Drain();
    EXPECT_TRUE(ui.StartEnabled());
    EXPECT_TRUE(ui.ShortcutEnabled());
    wchar_t id[32] = {};
    ListView_GetItemText(window.p_ZabijProces.lv_Procesy, 0, 2, id, 32);
    EXPECT_GT(_wtoi(id), 10);

    // A process whose program cannot be located can be armed but not saved as a shortcut.
    DWORD asked = 0;
    processes.path = [&](DWORD pid) {
        asked = pid;
        return std::wstring(L"C:\\nowhere\\gone.exe");
    };
    ListView_SetItemState(window.p_ZabijProces.lv_Procesy, 0, 0, LVIS_SELECTED);
    ListView_SetItemState(window.p_ZabijProces.lv_Procesy, 1, LVIS_SELECTED, LVIS_SELECTED);
    Drain();
    ListView_GetItemText(window.p_ZabijProces.lv_Procesy, 1, 2, id, 32);
    EXPECT_EQ(asked, static_cast<DWORD>(_wtoi(id)));
    EXPECT_TRUE(ui.StartEnabled());
    EXPECT_FALSE(ui.ShortcutEnabled());
    // A later synchronisation judges the row still chosen; without a row the start is off.
    ui.Trigger(TriggerKind::NoInternet);
    EXPECT_TRUE(ui.StartEnabled());
    ListView_SetItemState(window.p_ZabijProces.lv_Procesy, 1, 0, LVIS_SELECTED);
    Drain();
    EXPECT_FALSE(ui.StartEnabled());
}

TEST_F(AlarmWindowTest, SpinEditsClampAndFilterKeys) {
    FirstShow();
    BuildAll();
    // The ranges are the core's (SpinClamp); a spin edit keeps to its own, the screen's for a
    // point.
    window.p_Inne.p_Inne_Klikniecie1.se_Inne_X_DC.SetValue(1000000);
    EXPECT_EQ(window.p_Inne.p_Inne_Klikniecie1.se_Inne_X_DC.Value(),
              GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
    // A typed value beyond the range is clamped when the editor is left.
    SetWindowTextW(window.wykonaj_o.Minutes, L"75");
    SendMessageW(GetParent(window.wykonaj_o.Minutes.Edit()), WM_COMMAND,
                 MAKEWPARAM(TimePage::kMinutes, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(window.wykonaj_o.Minutes.Edit()));
    EXPECT_EQ(Control(window.wykonaj_o.Minutes).Text(), L"59");

    // Only digits and backspace get through the filter.
    for (HWND edit :
         std::initializer_list<HWND>{window.e_CzasPowtorki, window.brak_neta.se_BrakNeta.Edit(),
                                     window.p_Inne.p_Inne_Klikniecie1.se_Inne_Y_DC.Edit()}) {
        SetWindowTextW(edit, L"");
        SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
        for (wchar_t c : std::wstring(L"1a-2 .x3"))
            SendMessageW(edit, WM_CHAR, c, 0);
        EXPECT_EQ(Control(edit).Text(), L"123");
        SendMessageW(edit, EM_SETSEL, 3, 3);
        SendMessageW(edit, WM_CHAR, 8, 0);
        EXPECT_EQ(Control(edit).Text(), L"12");
    }
    // The no-Internet seconds are shown as a time.
    ui.Trigger(TriggerKind::NoInternet);
    window.brak_neta.se_BrakNeta.SetValue(90061);
    Drain();
    EXPECT_EQ(Control(window.brak_neta.l_PoKonwersji).Text(), L"Po przekonwertowaniu:    25:01:01");
}

TEST_F(AlarmWindowTest, DropDownOfTheTriggerListIsAsWideAsItsLongestCaption) {
    FirstShow();
    HWND list = window.cb_A_Wykonaj;
    auto dropDown = [&] {
        SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_DROPDOWN),
                     reinterpret_cast<LPARAM>(list));
        return static_cast<int>(SendMessageW(list, CB_GETDROPPEDWIDTH, 0, 0));
    };
    // The widest caption measured with the list's own font, whatever face it resolved to.
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const TriggerInfo& t : Triggers()) {
        if (t.kind == TriggerKind::AfterWindowsStart)
            continue;
        SIZE size;
        GetTextExtentPoint32W(dc, t.caption.data(), static_cast<int>(t.caption.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    ASSERT_GT(widest, 0);
    // Never narrower than the box; as wide as the widest caption and its margin.
    EXPECT_EQ(dropDown(), std::max(201, widest + 30));
    SetWindowPos(list, nullptr, 0, 0, 90, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(dropDown(), widest + 30);
}

TEST_F(AlarmWindowTest, F1OpensTheHelpFileAndAMissingOneIsLeftToTheShellToReport) {
    FirstShow();
    BuildAll();
    const std::filesystem::path help =
        std::filesystem::path(Win32FileSystem().ExecutableDirectory()) / L"help" / L"alarm.html";
    std::filesystem::remove(help);
    // The key reaches an editor through the thread's message queue, as a typed key does.
    PostMessageW(window.e_CzasPowtorki, WM_KEYDOWN, VK_F1, 0);
    Drain();
    ASSERT_EQ(opened.size(), 1u);
    opened.clear();

    std::filesystem::create_directories(help.parent_path());
    std::ofstream(help) << "<html></html>";
    PostMessageW(window.cb_A_Wykonaj, WM_KEYDOWN, VK_F1, 0);
    Drain();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(opened[0]), help);
    // The process list and the click editors answer F1 too.
    PostMessageW(window.p_ZabijProces.lv_Procesy, WM_KEYDOWN, VK_F1, 0);
    PostMessageW(window.p_Inne.p_Inne_Klikniecie1.se_Inne_X_DC.Edit(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_TRUE(PumpUntil([&] { return opened.size() >= 3; }));
    Drain();
    EXPECT_EQ(opened.size(), 3u);
    std::filesystem::remove_all(help.parent_path());
}

TEST_F(AlarmWindowTest, QuittingWhileArmedAsksAndNoKeepsEverything) {
    FirstShow();
    ArmedAlarm armed(system.Ports());
    Connect(&armed);
    window.ib_KoniecClick();  // nothing armed: no question
    EXPECT_EQ(mainClosed, 1);

    WatchState countdown;
    countdown.TriggerCode = L"OD";
    countdown.SecondsLeft = 600;
    countdown.ActionCaption = L"Domyślne okno";
    armed.Arm(countdown, L"");
    {
        BoxAnswerer no(IDNO);
        SendMessageW(window.ib_Koniec, BM_CLICK, 0, 0);
        Drain();
        ASSERT_TRUE(no.answered);
        EXPECT_EQ(no.title, L"UWAGA !!!");
        EXPECT_TRUE(no.text.starts_with(L"Program w tej chwili odlicza czas"));
    }
    EXPECT_EQ(mainClosed, 1);
    EXPECT_TRUE(IsWindow(window.Hwnd()));
    {
        BoxAnswerer yes(IDYES);
        window.ib_KoniecClick();
        ASSERT_TRUE(yes.answered);
    }
    EXPECT_EQ(mainClosed, 2);
    armed.Stop();  // no record is left behind
}

// What a time text means and how it is clamped is the core's (time_text_test); here the window
// fills its fields with it, or reports it and empties them.
TEST_F(AlarmWindowTest, TimeTextsFillTheSpinEditsOrReportTheError) {
    FirstShow();
    window.ApplyCountdownText(L"200000:0:1500");
    EXPECT_EQ(window.odlicz_w_dol.Hours.Value(), 100000);
    EXPECT_EQ(window.odlicz_w_dol.Seconds.Value(), 999);
    {
        BoxAnswerer ok(IDOK);
        window.ApplyCountdownText(L"1:30");
        ASSERT_TRUE(ok.answered);
        EXPECT_EQ(ok.title, L"BŁĄD !!!");
        EXPECT_EQ(ok.text, L"Wskazany format czasu jest niepoprawny !!!");
    }
    EXPECT_EQ(window.odlicz_w_dol.Hours.Value(), 0);

    wchar_t separator[8] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8);
    window.ApplyAtTimeText(std::wstring(L"7") + separator + L"05");
    EXPECT_EQ(window.wykonaj_o.Hours.Value(), 7);
    EXPECT_EQ(window.wykonaj_o.Minutes.Value(), 5);
    EXPECT_EQ(window.wykonaj_o.Seconds.Value(), 0);
    {
        BoxAnswerer ok(IDOK);
        window.ApplyAtTimeText(std::wstring(L"25") + separator + L"00");
        ASSERT_TRUE(ok.answered);
    }
    EXPECT_EQ(window.wykonaj_o.Hours.Value(), 0);
}

TEST_F(AlarmWindowTest, MinimiseHidesAndCloseOnlyHides) {
    FirstShow();
    SendMessageW(window.ib_Minimalizuj, BM_CLICK, 0, 0);
    Drain();
    EXPECT_FALSE(window.Visible());
    window.Show();
    SendMessageW(window.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window.Visible());
    EXPECT_TRUE(IsWindow(window.Hwnd()));
    EXPECT_EQ(mainClosed, 0);
}

// What a screen reader announces for a control: oleacc's name of it.
std::wstring AccessibleName(HWND hwnd) {
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&acc))))
        return L"?";
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF: 0
    BSTR name = nullptr;
    acc->get_accName(self, &name);
    std::wstring text = name ? name : L"";
    SysFreeString(name);
    acc->Release();
    return text;
}

TEST_F(AlarmWindowTest, FieldsHaveTheirOwnNamesAndTabReachesTheHelpLink) {
    FirstShow();
    BuildAll();
    for (TimePage* page : {&window.odlicz_w_dol, &window.wykonaj_o}) {
        const std::pair<HWND, std::wstring_view> names[] = {
            {page->Hours.Edit(), L"Godziny"},
            {page->Minutes.Edit(), L"Minuty"},
            {page->Seconds.Edit(), L"Sekundy"},
            {window.e_CzasPowtorki, L"Odstęp powtórzeń w sekundach"},
            {window.cb_PowtorzAkcje, L"Powtórz akcję po"},
            // Windows names a list by the static before it (Wine 8 by the list's own text).
            {GetWindow(window.cb_Typ_Alarmu, GW_HWNDPREV),
             L"Wykonaj/Zaalarmuj mnie w następujący sposób:"},
        };
        for (const auto& [control, name] : names)
            EXPECT_EQ(AccessibleName(control), name);
    }
    ui.Other(OtherActionKind::BlockMouse);
    SetForegroundWindow(window.Hwnd());
    SetFocus(window.cb_Typ_Alarmu);
    for (int tab = 0; tab < 3 && GetFocus() != window.amh_Help.Hwnd(); ++tab) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        Drain();
    }
    EXPECT_EQ(GetFocus(), window.amh_Help.Hwnd());
}

// A page's or a panel's control with an id of the top row presses no button of the window.
TEST_F(AlarmWindowTest, APanelsCommandNeverReachesTheTopRow) {
    FirstShow();
    for (const HWND panel : {window.p_k_komunikat.Hwnd(), window.odlicz_w_dol.Hwnd()}) {
        SendMessageW(panel, WM_COMMAND, MAKEWPARAM(TF_Alarm::kKoniec, BN_CLICKED),
                     reinterpret_cast<LPARAM>(window.ib_Koniec.Hwnd()));
    }
    EXPECT_EQ(mainClosed, 0);
    SendMessageW(window.gb1.Hwnd(), WM_COMMAND, MAKEWPARAM(TF_Alarm::kKoniec, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.ib_Koniec.Hwnd()));
    EXPECT_EQ(mainClosed, 1);  // a plain group's controls are the window's
}

}  // namespace
}  // namespace klaxora::win
