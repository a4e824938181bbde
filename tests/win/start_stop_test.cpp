// Starting and stopping an alarm in the configuration window, the restore of its first show and
// the recent-value menus, against the real registry, processes and menus.
#include "win/alarm_window_fixture.h"

#include <optional>

#include "config/recent_list.h"
#include "fakes/memory_registry.h"
#include "win/child_process.h"
#include "win/sys/registry_win.h"

namespace klaxora::win {
namespace {

const std::wstring kKey = L"Software\\Vantrelix\\Klaxora";

std::optional<RegistryValue> Read(const std::wstring& key, const std::wstring& name) {
    return Win32Registry().Open(key)->Read(name);
}
void WriteText(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    Win32Registry().Open(key)->WriteString(name, text);
}
// A recent list: its entries as names, `current` as the unnamed value when given.
void WriteList(const std::wstring& subkey, const std::vector<std::wstring>& entries,
               const std::optional<std::wstring>& current = std::nullopt) {
    for (const std::wstring& e : entries)
        WriteText(kKey + L"\\" + subkey, e, L"");
    if (current)
        WriteText(kKey + L"\\" + subkey, L"", *current);
}

std::vector<std::wstring> MenuTexts(HMENU menu) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        texts.push_back((GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) ? L"-" : text);
    }
    return texts;
}

// The window with its armed alarm, as the application binds them.
class StartStopTest : public AlarmWindowTest {
  protected:
    void SetUp() override {
        ArmedAlarm::Links links;
        links.changed = [this](const WatchState& w) { window.AlarmChanged(w); };
        alarm.Connect(std::move(links));
        AlarmWindowTest::SetUp();
    }
    ArmedAlarmPort* Armed() override { return &alarm; }
    void TearDown() override {
        alarm.Stop();  // no record is left behind
        Connect(nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, kKey.c_str());
    }

    ArmedAlarm alarm{system.Ports()};
    const WatchState& watch = alarm.Watch();
};

// Handed the in-memory registry, the window restores from it and Start writes into it; the
// machine's registry is neither read nor changed, so nothing needs cleaning up.
TEST(ConfigurationWindowOnAFakeRegistry, RestoresFromAndStartsIntoTheRegistryItIsGiven) {
    testing::MemoryRegistry registry;
    registry.Set(kKey, L"LastRun", {RegistryType::String, L"Odlicz w dół i uruchom", 0});
    registry.Set(kKey, L"LastAction", {RegistryType::String, L"Domyślne okno", 0});
    RecentList(registry, mru::kCountdown).Push(L"00:00:07");
    SystemPorts system;
    const WindowPorts ports = testing::Replaced(system.Ports(), {.registry = &registry});
    TF_Alarm window(ports);
    ArmedAlarm alarm(ports);
    const WatchState& watch = alarm.Watch();
    TF_Alarm::Links links;
    links.alarm = &alarm;
    window.Connect(std::move(links));
    window.Create();
    window.Show();
    Drain();
    EXPECT_EQ(window.cb_A_Wykonaj.SelectedText(), L"Odlicz w dół i uruchom");
    EXPECT_EQ(window.cb_Typ_Alarmu.SelectedText(), L"Domyślne okno");
    window.ib_StartClick();
    EXPECT_TRUE(watch.Armed);
    EXPECT_EQ(watch.SecondsLeft, 7);
    EXPECT_EQ(ReadString(*registry.Open(kKey), L"Repeat_Time"), L"1");
    DWORD size = 0;
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, kKey.c_str(), L"LastRun", RRF_RT_ANY, nullptr,
                           nullptr, &size),
              ERROR_SUCCESS);
}

// What Start writes is the core's plan (tests/core); here, that the window arms, hides, locks
// and unlocks around it.
TEST_F(StartStopTest, StartArmsAndHidesAndStopUnlocksTheEditors) {
    FirstShow();
    ui.Trigger(TriggerKind::Countdown);
    window.ApplyCountdownText(L"0:5:0");
    ui.Action(ActionKind::Message);
    ui.Message(L"Już czas !!!", L"UWAGA !!!");
    ui.Repeat(L"30");
    ASSERT_TRUE(ui.StartEnabled());

    ui.Start();
    EXPECT_FALSE(window.Visible());
    EXPECT_TRUE(watch.Armed);
    EXPECT_EQ(watch.TriggerCode, L"OD");
    EXPECT_EQ(watch.SecondsLeft, 300);
    EXPECT_GT(watch.Timing.DueMs, 0);  // the count-down's deadline is fixed at arming
    EXPECT_EQ(watch.ActionParameter, L"UWAGA !!!\u00B6Już czas !!!");
    EXPECT_EQ(watch.RepeatSeconds, 30);
    EXPECT_TRUE(ui.StopInStartsPlace());
    EXPECT_TRUE(ui.EditorsLocked());
    EXPECT_FALSE(Enabled(window.cb_PowtorzAkcje));
    EXPECT_FALSE(ui.PreviewEnabled());
    EXPECT_EQ(Read(kKey + L"\\ZA_MRU", L"")->text, L"00:05:00");

    window.Show();
    ui.Stop();
    EXPECT_FALSE(watch.Armed);
    EXPECT_EQ(watch.SecondsLeft, 300);  // a stop clears nothing
    EXPECT_TRUE(ui.EditorsUnlocked());
    EXPECT_TRUE(Enabled(window.e_CzasPowtorki));
    EXPECT_TRUE(ui.PreviewEnabled());
    EXPECT_TRUE(ui.StopParked());
}

// A refused Start (checked by the core's StartChecks) or a question answered No writes nothing,
// arms nothing and leaves the window idle and unlocked.
TEST_F(StartStopTest, ARefusedOrDeclinedStartWritesNothingAndLeavesTheWindowIdle) {
    FirstShow();
    const struct {
        const char* what;
        std::function<void()> define;
        int answer;
        std::wstring_view title, text;  // the box's title and the start of its text
    } cases[] = {
        {"a count-down of nothing",
         [&] {
             ui.Action(ActionKind::DefaultWindow);
             ui.Trigger(TriggerKind::Countdown);
         },
         IDOK, L"BŁĄD !!!", L"Odliczany czas musi być większy od 0"},
        // A program that does not run cannot be seen closing: asked, and No keeps everything.
        {"a closing program that does not run",
         [&] {
             ui.Trigger(TriggerKind::ProgramClosed);
             ui.WatchedProgram(TriggerKind::ProgramClosed, testing::HelperPath());
         },
         IDNO, L"UWAGA !!!", L"Wskazany program nie jest uruchomiony (został"},
        {"a click point on no monitor, kept as written",
         [&] {
             ui.Other(OtherActionKind::SingleClick);
             window.p_Inne.p_Inne_Klikniecie1.SetPoint(-300, 5000);
         },
         IDOK, L"BŁĄD !!!", L"Punkt kliknięcia x = -300, y = 5000"},
        // The registry takes no value name this long: the message text could not be pushed.
        {"a text the registry cannot hold",
         [&] {
             ui.Trigger(TriggerKind::AtTime);
             ui.Action(ActionKind::Message);
             ui.Message(std::wstring(20000, L'x'), L"UWAGA !!!");
         },
         IDOK, L"BŁĄD !!!", L"Wpisany tekst jest za długi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.define();
        BoxAnswerer box(c.answer);
        ui.StartRegardless();
        ASSERT_TRUE(box.answered);
        EXPECT_EQ(box.title, c.title);
        EXPECT_TRUE(box.text.starts_with(c.text)) << ToUtf8(box.text);
        EXPECT_FALSE(Read(kKey, L"LastRun"));  // refused before the first write
        EXPECT_FALSE(watch.Armed);
        EXPECT_TRUE(window.Visible());
        EXPECT_TRUE(ui.StopParked());
        EXPECT_TRUE(ui.EditorsUnlocked());
    }
}

// A repeat interval that is no number is reported; the alarm starts without repetition.
TEST_F(StartStopTest, ARepeatThatIsNoNumberIsReportedAndTheAlarmStartsWithoutIt) {
    FirstShow();
    ui.Action(ActionKind::Message);
    ui.MessageText(L"ALARM !!!");
    ui.Repeat(L"99999999999");
    {
        BoxAnswerer ok(IDOK);
        ui.StartRegardless();
        ASSERT_TRUE(ok.answered);
        EXPECT_TRUE(ok.text.starts_with(L"Wpisany czas powtórki ma niepoprawny format"));
    }
    EXPECT_TRUE(watch.Armed);
    EXPECT_EQ(watch.RepeatSeconds, 0);
    EXPECT_FALSE(ui.RepeatChecked());
    EXPECT_EQ(ui.RepeatText(), L"");
    EXPECT_EQ(Read(kKey, L"Repeat_Time")->text, L"99999999999");  // stored as typed
}

TEST_F(StartStopTest, FirstShowRestoresAWrittenDefinition) {
    WriteText(kKey, L"LastRun", L"PROGRAM ZOSTANIE ZAMKNIĘTY");  // letter case ignored
    WriteText(kKey, L"LastAction", L"Inne możliwości");
    WriteText(kKey, L"cb_Inne", L"Zasymuluj wciśnięcie dowolnego klawisza(y)");
    WriteText(kKey + L"\\Inne_MRU", L"Klawisz", L"a");
    Win32Registry().Open(kKey)->WriteDword(L"Repeat", 1);
    WriteText(kKey, L"Repeat_Time", L"45");
    WriteText(kKey, L"AppClosed", L"C:\\windows\\notepad.exe");
    WriteList(L"O_MRU", {L"07:30:00", L"08:00:00"}, L"08:00:00");
    WriteList(L"Kom_Text_MRU", {L"b tekst", L"A tekst"}, L"A tekst");
    WriteList(L"WWW_MRU", {L"a.example.org", L"b.example.org"}, L"b.example.org");
    WriteList(L"EXE_MRU", {L"C:\\nowhere\\gone.exe"});

    FirstShow();
    EXPECT_EQ(ui.TriggerText(), L"Program zostanie zamknięty");
    EXPECT_TRUE(ui.Shows(TriggerKind::ProgramClosed));
    EXPECT_EQ(window.program_zamkniety.Path(), L"C:\\windows\\notepad.exe");
    EXPECT_EQ(ui.ActionText(), L"Inne możliwości");
    EXPECT_TRUE(ui.Shows(OtherActionKind::PressKeys));
    EXPECT_EQ(ui.KeyText(), L"a");  // not "A"
    EXPECT_TRUE(ui.RepeatChecked());
    EXPECT_EQ(ui.RepeatText(), L"45");
    EXPECT_EQ(window.wykonaj_o.Read(), (TimeFields{8, 0, 0}));
    window.p_k_komunikat.SetShown(true);
    EXPECT_EQ(Control(window.p_k_komunikat.cb_Komunikat).Text(), L"A tekst");
    // Panels not shown are not built for the restore; they show what it wrote once they are.
    EXPECT_FALSE(window.p_WWW.Built());
    EXPECT_EQ(window.p_WWW.Address(), L"b.example.org");
    window.p_WWW.EnsureBuilt();
    window.p_UrProg.EnsureBuilt();
    EXPECT_EQ(Control(window.p_WWW.e_WWW).Text(), L"b.example.org");

    // One name only, and a file that is gone: no button; the menu offers nothing but clearing.
    EXPECT_FALSE(Control(window.RecentButton(3)).OwnVisible());
    EXPECT_EQ(MenuTexts(window.RecentMenu(3)), (std::vector<std::wstring>{L"-", L"Wyczyść listę"}));
    EXPECT_TRUE(Control(window.RecentButton(6)).OwnVisible());
    EXPECT_EQ(
        MenuTexts(window.RecentMenu(6)),
        (std::vector<std::wstring>{L"a.example.org", L"b.example.org", L"-", L"Wyczyść listę"}));

    // A menu's entry chosen goes to its field; "Wyczyść listę" empties the list and its button
    // goes. (The menu opened by its button and worked by keys is the end-to-end test's.)
    window.ChooseRecent(0, 0);
    EXPECT_EQ(window.wykonaj_o.Read(), (TimeFields{7, 30, 0}));
    window.ChooseRecent(0, 1);
    EXPECT_EQ(window.wykonaj_o.Read(), (TimeFields{8, 0, 0}));
    window.ChooseRecent(6, 0);
    EXPECT_EQ(Control(window.p_WWW.e_WWW).Text(), L"a.example.org");

    window.ClearRecentList(6);
    EXPECT_FALSE(Control(window.RecentButton(6)).OwnVisible());
    EXPECT_FALSE(Read(kKey + L"\\WWW_MRU", L"a.example.org"));
    EXPECT_FALSE(Read(kKey + L"\\WWW_MRU", L""));

    // The wizard buttons ask for the wizard with the trigger's caption.
    ui.Trigger(TriggerKind::Countdown);
    SendMessageW(window.odlicz_w_dol.Wizard, BM_CLICK, 0, 0);
    EXPECT_EQ(wizardFor, L"Odlicz w dół i uruchom");
}

TEST_F(StartStopTest, AStartedProcessIsListedSelectedAndArmedForTheKill) {
    const std::wstring exe = testing::HelperPath();
    testing::Started target(exe, L"idle");
    ASSERT_NE(target.id, 0u);
    const std::wstring id = std::to_wstring(target.id);
    // (A row the command line names is chosen at the first show: the command-line window test.)
    FirstShow();
    ui.Trigger(TriggerKind::AtTime);
    ui.Action(ActionKind::KillProcess);  // the list is refilled
    const std::vector<std::wstring> ids = window.p_ZabijProces.ColumnTexts(2);
    size_t row = 0;
    while (row < ids.size() && ids[row] != id)
        ++row;
    ASSERT_LT(row, ids.size());
    window.p_ZabijProces.SelectRow(row);
    Drain();
    ASSERT_TRUE(ui.StartEnabled());
    ui.Start();
    EXPECT_TRUE(watch.Armed);
    EXPECT_EQ(watch.ActionParameter, L"Zabij proces");
    EXPECT_EQ(watch.ActionDetail, id);
    EXPECT_TRUE(EqualsNoCase(watch.KillImage, exe));
    EXPECT_TRUE(watch.KillCreated.has_value() && *watch.KillCreated != 0);
    EXPECT_TRUE(EqualsNoCase(Read(kKey, L"ProcesName")->text, L"watch_target.exe"));
    EXPECT_TRUE(ui.EditorsLocked());  // the process list with them
    window.ib_StopClick();
    EXPECT_TRUE(ui.EditorsUnlocked());
    EXPECT_FALSE(watch.Armed);
}

}  // namespace
}  // namespace klaxora::win
