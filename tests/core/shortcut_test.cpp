#include <gtest/gtest.h>

#include "cmdline/cmdline_texts.h"
#include "cmdline/command_line_reader.h"
#include "cmdline/command_line_split.h"
#include "cmdline/shortcut_arguments.h"
#include "cmdline/shortcut_name.h"
#include "fakes/memory_files.h"
#include "fakes/fake_processes.h"

namespace klaxora::testing {
namespace {

using Strings = std::vector<std::wstring>;

TEST(SplitCommandLine, QuotesOnlyOpenAndCloseAndBackslashesStay) {
    const struct {
        std::wstring line;
        Strings parameters;
    } cases[] = {
        {LR"("C:\Klaxora\Klaxora.exe" "OD: 5" "Otwórz folder" "C:\")",
         {LR"(C:\Klaxora\Klaxora.exe)", L"OD: 5", L"Otwórz folder", LR"(C:\)"}},
        {LR"(k.exe  "a b"c	d)", {L"k.exe", L"a bc", L"d"}},
        {LR"(k.exe "" x)", {L"k.exe", L"", L"x"}},
        {LR"(k.exe a\"b c")", {L"k.exe", LR"(a\b c)"}},
        {L"  ", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.line), c.parameters) << ToUtf8(c.line);
    }
    EXPECT_EQ(CommandLineListFor(L"klaxora", L"C:\\K\\Klaxora.exe"), Strings{});
    EXPECT_EQ(CommandLineListFor(L"klaxora \"PW:\"", L"C:\\K\\Klaxora.exe"),
              (Strings{L"C:\\K\\Klaxora.exe", L"PW:"}));
    // The program's own path written bare, space and all, is the program.
    const std::wstring spaced = L"C:\\Users\\Jan Kowalski\\Klaxora.exe";
    EXPECT_EQ(CommandLineListFor(L"c:\\users\\jan kowalski\\klaxora.exe", spaced), Strings{});
    EXPECT_EQ(CommandLineListFor(spaced + L" \"OD: 5\"", spaced), (Strings{spaced, L"OD: 5"}));
}

AlarmSettings Countdown(int h, int m, int s) {
    AlarmSettings a;
    a.Trigger = TriggerKind::Countdown;
    a.CountdownTime = {h, m, s};
    return a;
}

AlarmSettings WithOther(OtherActionKind kind) {
    AlarmSettings a = Countdown(0, 1, 0);
    a.Action = ActionKind::Other;
    a.OtherAction = kind;
    return a;
}

TEST(ShortcutArguments, EachActionWritesItsQuotedParameters) {
    AlarmSettings message = Countdown(0, 20, 0);
    message.Action = ActionKind::Message;
    message.MessageCaption = L"UWAGA !!!";
    message.MessageText = L"Już czas !!!";
    EXPECT_EQ(ShortcutArguments(message, L""),
              LR"( "OD: 0:20:0" "Komunikat" "UWAGA !!!|Już czas !!!")");

    AlarmSettings folder = Countdown(1, 0, 0);
    folder.Action = ActionKind::OpenFolder;
    folder.FolderPath = LR"(C:\)";
    EXPECT_EQ(ShortcutArguments(folder, L""), LR"( "OD: 1:0:0" "Otwórz folder" "C:\")");

    AlarmSettings cd = WithOther(OtherActionKind::CdTray);
    cd.CdDrive = L"E";
    cd.CdTrayOperation = L"wysuń";
    AlarmSettings click = WithOther(OtherActionKind::DoubleClick);
    click.ClickX = 120;
    click.ClickY = 45;
    AlarmSettings keys = WithOther(OtherActionKind::PressKeys);
    keys.KeyCombination = L"Ctrl+Alt+Delete";
    AlarmSettings kill = Countdown(0, 1, 0);
    kill.Action = ActionKind::KillProcess;
    AlarmSettings plain = Countdown(0, 1, 0);
    plain.Action = ActionKind::DefaultWindow;
    const struct {
        AlarmSettings settings;
        Strings tail;  // after the trigger
    } cases[] = {
        {plain, {L"Domyślne okno"}},
        {cd, {L"Inne możliwości", L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray", L"E", L"WYSUŃ"}},
        {click, {L"Inne możliwości", L"Zasymuluj podwójne kliknięcie myszy", L"X:120", L"Y:45"}},
        {keys,
         {L"Inne możliwości", L"Zasymuluj wciśnięcie dowolnego klawisza(y)", L"Ctrl+Alt+Delete"}},
        {kill, {L"Zabij proces", L"C:\\Gry\\gra.exe"}},
    };
    for (const auto& c : cases) {
        Strings expected{L"OD: 0:1:0"};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(ShortcutParameters(c.settings, L"C:\\Gry\\gra.exe"), expected)
            << ToUtf8(c.tail.front());
    }
}

TEST(ShortcutArguments, DefinitionsThatWouldNotComeBackAreRefused) {
    AlarmSettings message = Countdown(0, 1, 0);
    message.Action = ActionKind::Message;
    message.MessageCaption = L"UWAGA";
    message.MessageText = L"Już \"czas\"";
    EXPECT_EQ(ShortcutRefusal(message, L""), std::wstring(cmdline::kRefuseQuote));
    message.MessageText = L"Już czas | teraz";
    EXPECT_EQ(ShortcutRefusal(message, L""), std::nullopt);
    message.MessageCaption = L"A|B";
    EXPECT_EQ(ShortcutRefusal(message, L""), std::wstring(cmdline::kRefuseBarInCaption));

    AlarmSettings web = Countdown(0, 1, 0);
    web.Action = ActionKind::OpenWebPage;
    web.WebAddress = L"http://x.pl/?q=\"a\"";
    EXPECT_EQ(ShortcutRefusal(web, L""), std::wstring(cmdline::kRefuseQuote));

    AlarmSettings kill = Countdown(0, 1, 0);
    kill.Action = ActionKind::KillProcess;
    EXPECT_EQ(ShortcutRefusal(kill, L""), std::wstring(cmdline::kRefuseNoProcessPath));
    EXPECT_EQ(ShortcutRefusal(kill, L"C:\\a.exe"), std::nullopt);
}

// What the window holds after applying a reading: only the fields marked filled.
AlarmSettings Applied(const CommandLineReading& r) {
    const AlarmSettings& in = r.settings;
    const CommandLineFilled& f = r.filled;
    AlarmSettings a;
    if (f.trigger)
        a.Trigger = in.Trigger;
    if (f.countdownTime)
        a.CountdownTime = in.CountdownTime;
    if (f.atTime)
        a.AtTime = in.AtTime;
    if (f.noInternetSeconds)
        a.NoInternetSeconds = in.NoInternetSeconds;
    if (f.watchedProgram)
        a.WatchedProgram = in.WatchedProgram;
    if (f.action)
        a.Action = in.Action;
    if (f.message)
        a.MessageCaption = in.MessageCaption, a.MessageText = in.MessageText;
    if (f.soundFile)
        a.SoundFile = in.SoundFile;
    if (f.folderPath)
        a.FolderPath = in.FolderPath;
    if (f.filePath)
        a.FilePath = in.FilePath;
    if (f.programPath)
        a.ProgramPath = in.ProgramPath;
    if (f.webAddress)
        a.WebAddress = in.WebAddress;
    if (f.shutdownMode)
        a.ShutdownMode = in.ShutdownMode;
    if (f.otherAction)
        a.OtherAction = in.OtherAction;
    if (f.cdTray)
        a.CdDrive = in.CdDrive, a.CdTrayOperation = in.CdTrayOperation;
    if (f.clickPoint)
        a.ClickX = in.ClickX, a.ClickY = in.ClickY;
    if (f.keyCombination)
        a.KeyCombination = in.KeyCombination;
    return a;
}

// Every trigger and action written, split as the program splits its command line, read and
// applied to a fresh window: writing that again gives the same parameters, with nothing to
// report.
TEST(ShortcutArguments, EveryDefinitionReadsBackTheSame) {
    MemoryFiles files;
    FakeProcessWatch processes;
    for (const wchar_t* f : {L"C:\\Gry\\gra.exe", L"C:\\Muzyka\\dzwonek.MIDI", L"C:\\Dok\\a.txt"}) {
        files.AddFile(f);
    }
    files.AddDirectory(L"C:\\");
    processes.Run(L"C:\\Gry\\gra.exe", 300);
    const CommandLineEnvironment env{files, processes, [](wchar_t d) { return d == L'E'; }};

    std::vector<AlarmSettings> triggers;
    for (const TriggerInfo& info : Triggers()) {
        AlarmSettings a;
        a.Trigger = info.kind;
        a.CountdownTime = {100000, 999, 999};
        a.AtTime = {23, 59, 1};
        a.NoInternetSeconds = 2147483647;
        a.WatchedProgram = L"C:\\Gry\\gra.exe";
        triggers.push_back(a);
    }
    std::vector<AlarmSettings> actions;
    for (const ActionInfo& info : Actions()) {
        AlarmSettings a = Countdown(0, 90, 0);
        a.Action = info.kind;
        a.MessageCaption = L"Ważne";
        a.MessageText = L"Zapisz | C:\\";  // a backslash right before the closing quote
        a.SoundFile = L"C:\\Muzyka\\dzwonek.MIDI";
        a.ShutdownMode = ShutdownKind::MonitorOff;
        a.ProgramPath = L"C:\\Gry\\gra.exe";
        a.FilePath = L"C:\\Dok\\a.txt";
        a.FolderPath = L"C:\\";
        a.WebAddress = L"http://www.przyklad.pl/a b";
        if (info.kind != ActionKind::Other)
            actions.push_back(a);
        if (info.kind == ActionKind::OpenWebPage) {
            a.WebAddress = L"https://przyklad.pl/";  // complete for the window without "www."
            actions.push_back(a);
        }
    }
    for (const OtherActionInfo& info : OtherActions()) {
        AlarmSettings a = WithOther(info.kind);
        a.CdDrive = L"E";
        a.CdTrayOperation = L"WSUŃ";
        a.ClickX = -1280;  // left of the primary monitor
        a.ClickY = 7;
        a.KeyCombination = L"A";
        actions.push_back(a);
    }
    triggers.insert(triggers.end(), actions.begin(), actions.end());

    for (AlarmSettings& original : triggers) {
        if (!original.Action)
            original.Action = ActionKind::DefaultWindow;
        const Strings written = ShortcutParameters(original, L"C:\\Gry\\gra.exe");
        SCOPED_TRACE(ToUtf8(written[0] + L" " + written[1]));
        ASSERT_EQ(ShortcutRefusal(original, L"C:\\Gry\\gra.exe"), std::nullopt);
        const std::wstring line =
            L"\"C:\\Klaxora\\Klaxora.exe\"" + ShortcutArguments(original, L"C:\\Gry\\gra.exe");
        const CommandLineReading r =
            ReadCommandLine(CommandLineListFor(line, L"C:\\Klaxora\\Klaxora.exe"), {}, env);
        EXPECT_TRUE(r.messages.empty());
        const std::wstring killPath =
            r.selectProcess ? processes.GetProcessPath(*r.selectProcess) : L"";
        EXPECT_EQ(ShortcutParameters(Applied(r), killPath), written);
    }
}

TEST(SanitizeShortcutName, RemovesWhatAFileNameCannotHold) {
    const struct {
        std::wstring typed, cleaned;
    } cases[] = {
        {L"  Alarm:  poranny?", L"Alarm poranny"},
        // The spaces met only because "?" went: they stay.
        {L"Alarm ? poranny", L"Alarm  poranny"},
        {L"", L""},
        {L"\t\x01 Budzik", L"Budzik"},
        {L"a;b\\c/d<e>f|g*h?i\"j:k", L"abcdefghijk"},
        // The dot above is byte 0xFF of the Polish code page; "ÿ" is another letter.
        {L"Żółć\x7F\x85 \u02D9", L"Żółć "},
        {L"\u02D9 ÿ\u02D9ÿ", L"ÿÿ"},
        {L"Dwa  słowa     i   więcej  ", L"Dwa słowa i więcej "},
        {L"Koniec  ", L"Koniec "},
        {L"? Koniec ", L" Koniec "},
        {L"???", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SanitizeShortcutName(c.typed), c.cleaned);
}

TEST(PlanShortcutFile, OneBackslashBeforeTheNameAndRefusalsThatSayWhy) {
    ShortcutFile f = PlanShortcutFile(L"C:\\", L"  Alarm:  poranny?");
    EXPECT_EQ(f.path, L"C:\\Alarm poranny.lnk");
    EXPECT_EQ(f.name, L"Alarm poranny");
    EXPECT_TRUE(f.refusal.empty());
    EXPECT_EQ(PlanShortcutFile(L"D:\\Pulpit", L"Budzik").path, L"D:\\Pulpit\\Budzik.lnk");

    const struct {
        std::wstring folder, name;
        std::wstring_view refusal;
    } refused[] = {
        {L"", L"Budzik", cmdline::kRefuseNoFolder},
        {L"C:\\", L" ?:* ", cmdline::kRefuseEmptyName},
        {L"C:\\", L"con", cmdline::kRefuseReservedName},
        {L"C:\\", L"LPT1.txt", cmdline::kRefuseReservedName},
    };
    for (const auto& c : refused) {
        f = PlanShortcutFile(c.folder, c.name);
        EXPECT_EQ(f.refusal, c.refusal) << ToUtf8(c.name);
        EXPECT_TRUE(f.path.empty());
    }
    EXPECT_TRUE(PlanShortcutFile(L"C:\\", L"Console").refusal.empty());
}

TEST(ShortcutNameSuggestions, NameTheTriggerAndTheAction) {
    const auto names = ShortcutNameSuggestions(TriggerKind::Countdown, ActionKind::Message);
    EXPECT_EQ(names[0], L"Skrót do programu Klaxora");
    EXPECT_EQ(names[1], L"Skrót do programu Klaxora uruchamiający Komunikat");
    EXPECT_EQ(names[5], L"Odlicz w dół i uruchom - Komunikat");
    EXPECT_EQ(names[6], L"Skrót uruchamiający Klaxora - Odlicz w dół i uruchom");
    // The trigger without a list item has an empty list text, and so do the names.
    const auto unnamed = ShortcutNameSuggestions(TriggerKind::AfterWindowsStart, std::nullopt);
    EXPECT_EQ(unnamed[5], L" - ");
    EXPECT_EQ(unnamed[6], L"Skrót uruchamiający Klaxora - ");
}

}  // namespace
}  // namespace klaxora::testing
