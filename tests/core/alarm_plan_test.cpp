#include "actions/alarm_plan.h"

#include <gtest/gtest.h>

#include <tuple>

#include "actions/kill_guard.h"
#include "actions/system_actions.h"
#include "fakes/fake_processes.h"
#include "fakes/recording_system_ops.h"
#include "util/user_error.h"

namespace klaxora::testing {
namespace {

using K = StepKind;

std::vector<StepKind> Kinds(const ActionPlan& plan) {
    std::vector<StepKind> kinds;
    for (const ActionStep& step : plan)
        kinds.push_back(step.kind);
    return kinds;
}

WatchState Armed(std::wstring caption, std::wstring parameter = {}, std::wstring detail = {},
                 int32_t repeat = 0) {
    WatchState state;
    state.Armed = true;
    state.ActionCaption = std::move(caption);
    state.ActionParameter = std::move(parameter);
    state.ActionDetail = std::move(detail);
    state.RepeatSeconds = repeat;
    return state;
}

struct FiringCase {
    const wchar_t* caption;
    std::vector<StepKind> action;  // between the icon going out and coming back
};

TEST(ExecuteAlarmAction, EachActionRunsBetweenTheIconAndTheStop) {
    const FiringCase cases[] = {
        {L"Domyślne okno", {K::ShowPopup}},
        {L"Komunikat", {K::Stop, K::ShowMessage}},
        {L"Odegraj dźwięk", {K::PlaySound}},
        {L"Zamknij system/Wyłącz komputer", {K::ShutDown}},
        {L"Uruchom program", {K::OpenWithShell}},
        {L"Uruchom plik", {K::OpenWithShell}},
        {L"Otwórz folder", {K::OpenWithShell}},
        {L"Uruchom stronę WWW", {K::OpenWithShell}},
        {L"Inne możliwości", {K::OtherAction}},
        {L"Zabij proces", {K::KillProcess}},
        {L"komunikat", {}},  // captions compare exactly: no action
    };
    for (const FiringCase& c : cases) {
        std::vector<StepKind> expected{K::DisableTray};
        expected.insert(expected.end(), c.action.begin(), c.action.end());
        expected.push_back(K::EnableTray);
        if (c.action.empty() || c.action.front() != K::Stop)
            expected.push_back(K::Stop);
        EXPECT_EQ(Kinds(PlanAlarmAction(Armed(c.caption), AppOptions{})), expected)
            << ToUtf8(c.caption);
    }
}

TEST(ExecuteAlarmAction, PreActionOptionsComeFirstInTheirOrder) {
    AppOptions options;
    options.Wyg_Off = options.MinimizeAll = options.MinimizeProg = true;
    EXPECT_EQ(Kinds(PlanAlarmAction(Armed(L"Uruchom program", L"C:\\a.exe"), options)),
              (std::vector{K::DisableTray, K::WakeDisplay, K::MinimizeAll, K::CloseConfiguration,
                           K::OpenWithShell, K::EnableTray, K::Stop}));
    options.Wyg_Off = false;
    EXPECT_EQ(Kinds(PreActionSteps(options)), (std::vector{K::MinimizeAll, K::CloseConfiguration}));

    // Through the system operations, the order holds down to the calls.
    RecordingSystemOps ops;
    RecordingKeySink keys;
    options.Wyg_Off = true;
    for (const ActionStep& step :
         PlanAlarmAction(Armed(L"Inne możliwości", L"Wygaś monitor"), options))
        PerformSystemStep(step, ops, keys, 9);
    EXPECT_EQ(ops.calls,
              (std::vector<std::wstring>{L"WakeDisplay", L"SendMinimizeAll", L"SendMonitorOff"}));
}

TEST(ExecuteAlarmAction, RepeatsRearmAsACountdownAfterTheAction) {
    const ActionPlan plan = PlanAlarmAction(Armed(L"Uruchom plik", L"x.txt", {}, 30), {});
    EXPECT_EQ(Kinds(plan), (std::vector{K::DisableTray, K::OpenWithShell, K::EnableTray,
                                        K::RearmCountdown, K::ProcessMessages}));
    EXPECT_EQ(plan[3].seconds, 30);
    // A negative interval would be due at once, over and over: it is no repeat.
    EXPECT_EQ(Kinds(PlanAlarmAction(Armed(L"Uruchom plik", L"x.txt", {}, -5), {})).back(), K::Stop);
}

TEST(ExecuteAlarmAction, AMessageStopsBeforeItsBoxOrRepeatsFromItsClosing) {
    const std::wstring parameter = std::wstring(L"UWAGA !!!") + kMessageSeparator + L"Już czas !!!";
    const ActionPlan once = PlanAlarmAction(Armed(L"Komunikat", parameter), {});
    ASSERT_EQ(Kinds(once), (std::vector{K::DisableTray, K::Stop, K::ShowMessage, K::EnableTray}));
    EXPECT_EQ(once[2].text, L"Już czas !!!");
    EXPECT_EQ(once[2].detail, L"UWAGA !!!");
    EXPECT_EQ(once[2].flags, 0x40030u);

    // With a repeat the alarm stays armed; the count-down starts when the box is closed.
    EXPECT_EQ(Kinds(PlanAlarmAction(Armed(L"Komunikat", parameter, {}, 5), {})),
              (std::vector{K::DisableTray, K::ShowMessage, K::EnableTray, K::RearmCountdown,
                           K::ProcessMessages}));

    // Split at the first separator only; without one, all of it is the text.
    const std::wstring two = std::wstring(L"a") + kMessageSeparator + L"b" + kMessageSeparator;
    EXPECT_EQ(PlanAlarmAction(Armed(L"Komunikat", two), {})[2].text,
              std::wstring(L"b") + kMessageSeparator);
    const ActionStep plain = PlanAlarmAction(Armed(L"Komunikat", L"tekst"), {})[2];
    EXPECT_EQ(plain.text, L"tekst");
    EXPECT_EQ(plain.detail, L"");
}

// Performs steps into a log; the steps named in `failing` throw.
struct LogPerformer : StepPerformer {
    std::vector<StepKind> failing;
    std::optional<StepKind> cancelling;
    std::vector<std::wstring> log;
    void Perform(const ActionStep& step) override {
        log.push_back(L"step " + std::to_wstring(static_cast<int>(step.kind)));
        if (step.kind == cancelling)
            throw StepCancelled{};
        for (StepKind kind : failing)
            if (kind == step.kind)
                throw UserError(L"refused");
    }
    void ShowError(const std::wstring& text) override { log.push_back(L"error " + text); }
};

std::wstring S(StepKind kind) {
    return L"step " + std::to_wstring(static_cast<int>(kind));
}

TEST(ExecuteAlarmAction, AFailedActionIsShownThenTheIconReturnsAndTheAlarmEnds) {
    for (int32_t repeat : {0, 10}) {
        LogPerformer performer;
        performer.failing = {K::ShutDown};
        EXPECT_FALSE(
            RunPlan(PlanAlarmAction(Armed(L"Zamknij system/Wyłącz komputer", L"x", {}, repeat), {}),
                    performer));
        // The box comes last: shown behind another program's window, it holds nothing up.
        std::vector<std::wstring> expected{S(K::DisableTray), S(K::ShutDown), S(K::EnableTray)};
        if (repeat) {
            expected.push_back(S(K::RearmCountdown));
            expected.push_back(S(K::ProcessMessages));
        } else {
            expected.push_back(S(K::Stop));
        }
        expected.push_back(L"error refused");
        EXPECT_EQ(performer.log, expected);
        // The warning cancelled: nothing goes down, no error, and the alarm ends, repeat or not.
        performer.log.clear();
        performer.failing = {};
        performer.cancelling = K::WarnShutdown;
        EXPECT_FALSE(RunPlan(PlanAlarmAction(Armed(L"Zamknij system/Wyłącz komputer",
                                                   L"Wyloguj aktualnego użytkownika", {}, repeat),
                                             {}),
                             performer));
        expected = {S(K::DisableTray), S(K::WarnShutdown), S(K::EnableTray), S(K::Stop)};
        if (repeat)
            expected.push_back(S(K::ProcessMessages));
        EXPECT_EQ(performer.log, expected);
    }
    // A refused pre-action option is reported, but the alarm itself still sounds.
    LogPerformer performer;
    performer.failing = {K::WakeDisplay};
    AppOptions options;
    options.Wyg_Off = options.MinimizeAll = true;
    RunPlan(PlanAlarmAction(Armed(L"Odegraj dźwięk", L"a.wav"), options), performer);
    EXPECT_EQ(performer.log, (std::vector<std::wstring>{
                                 S(K::DisableTray), S(K::WakeDisplay), S(K::MinimizeAll),
                                 S(K::PlaySound), S(K::EnableTray), S(K::Stop), L"error refused"}));
    // A failed action skips what follows it but the steps that always run.
    performer.log.clear();
    performer.failing = {K::MinimizeAll, K::OpenWithShell};
    RunPlan(PlanAlarmAction(Armed(L"Uruchom program", L"x"), options), performer);
    EXPECT_EQ(performer.log,
              (std::vector<std::wstring>{S(K::DisableTray), S(K::WakeDisplay), S(K::MinimizeAll),
                                         S(K::OpenWithShell), S(K::EnableTray), S(K::Stop),
                                         L"error refused"}));
}

// What the system refuses is thrown with the system's text, so the standard error box shows it
// and the plan brings the icon back and stops or repeats (above), at firing and in a preview.
TEST(PerformSystemStep, WhatTheSystemRefusesIsThrownWithItsText) {
    const ActionStep refusable[] = {
        {K::OpenWithShell, L"C:\\brak.exe"},
        {K::ShutDown, L"Uruchom ponownie (restart)"},
        {K::OtherAction, L"Zwiększ głośność maksymalnie"},
        {K::KillProcess, L"C:\\Gry\\Gra.exe", L"4242"},  // the chosen program, not ours to open
        {K::MinimizeAll},
        {K::OtherAction, L"Uruchom wygaszacz ekranu"},  // none chosen
        {K::OtherAction, L"Zawieś działanie myszy i klawiatury"},
        {K::OtherAction, L"Zasymuluj pojedyncze kliknięcie myszy", L"1;2"},  // dropped by Windows
    };
    for (const ActionStep& step : refusable) {
        RecordingSystemOps ops;
        RecordingKeySink keys;
        FakeProcessControl processes;
        ops.refusal = processes.refusal;
        processes.processes[4242] = {L"", L"gra.exe", true, {}, true};
        std::wstring shown;
        try {
            PerformSystemStep(step, ops, keys, 0, &processes);
        } catch (const UserError& e) {
            shown = e.Message();
        }
        EXPECT_EQ(shown, processes.refusal) << ToUtf8(step.text);
        if (step.kind == K::ShutDown) {  // the privilege it raised is dropped first
            EXPECT_EQ(ops.calls.back(), L"SetTokenPrivilege SeShutdownPrivilege off");
        }
    }
}

TEST(ExecuteAlarmAction, TicksAreHeldOffUntilThePlanIsOverFailuresIncluded) {
    struct Watching : StepPerformer {
        WatchState* state = nullptr;
        std::vector<bool> firing;
        void Perform(const ActionStep& step) override {
            firing.push_back(state->Firing);
            if (step.kind == K::PlaySound)
                throw UserError(L"Nie mogę otworzyć pliku");
        }
        void ShowError(const std::wstring&) override { firing.push_back(state->Firing); }
    } performer;
    WatchState state = Armed(L"Odegraj dźwięk", L"a.xyz");
    performer.state = &state;
    EXPECT_FALSE(ExecuteAlarmAction(state, {}, performer));
    EXPECT_EQ(performer.firing, std::vector<bool>(5, true));  // 4 steps and the error
    EXPECT_FALSE(state.Firing);
}

struct PreviewCase {
    ActionKind action;
    std::vector<StepKind> steps;
    std::wstring text;
};

TEST(Preview, PerformsTheEditedActionOnlyOwnedByTheWindow) {
    AlarmSettings settings;
    settings.MessageText = L"tekst";
    settings.MessageCaption = L"tytuł";
    settings.SoundFile = L"C:\\a.wav";
    settings.ProgramPath = L"C:\\p.exe";
    settings.FilePath = L"C:\\f.txt";
    settings.FolderPath = L"C:\\dir";
    settings.WebAddress = L"www.example.org";
    const PreviewCase cases[] = {
        {ActionKind::DefaultWindow, {K::ShowPopup}, L""},
        {ActionKind::Message, {K::ShowMessage}, L"tekst"},
        {ActionKind::PlaySound, {K::PlaySound}, L"C:\\a.wav"},
        {ActionKind::RunProgram, {K::OpenWithShell}, L"C:\\p.exe"},
        {ActionKind::OpenFile, {K::OpenWithShell}, L"C:\\f.txt"},
        {ActionKind::OpenFolder, {K::OpenWithShell}, L"C:\\dir"},
        {ActionKind::OpenWebPage, {K::OpenWithShell}, L"www.example.org"},
        {ActionKind::KillProcess, {K::ShowMessage}, std::wstring(kNoPreviewMessage)},
        {ActionKind::ShutDown, {}, L""},
    };
    for (const PreviewCase& c : cases) {
        settings.Action = c.action;
        const ActionPlan plan = PlanPreview(settings, {});
        EXPECT_EQ(Kinds(plan), c.steps) << ToUtf8(Info(c.action).caption);
        if (plan.empty())
            continue;
        EXPECT_EQ(plan[0].text, c.text);
        EXPECT_EQ(plan[0].owner, StepOwner::ConfigurationWindow);
        if (plan[0].kind == K::ShowMessage) {
            EXPECT_EQ(plan[0].flags, 0x30u);  // never topmost
        }
    }
    // A shutdown is never previewed, but the warning it would give is.
    settings.ShutdownMode = ShutdownKind::Restart;
    const ActionPlan warning = PlanPreview(settings, {});
    ASSERT_EQ(Kinds(warning), std::vector{K::WarnShutdown});
    EXPECT_EQ(warning[0].text, L"Uruchom ponownie (restart)");
    EXPECT_NE(warning[0].flags, 0u);
    AppOptions options;
    options.MinimizeProg = options.Wyg_Off = options.MinimizeAll = true;
    settings.Action = ActionKind::Message;
    EXPECT_EQ(Kinds(PlanPreview(settings, options)),
              (std::vector{K::CloseConfiguration, K::ShowMessage}));
}

TEST(Preview, SubActionsTakeTheirDetailFromTheEditors) {
    AlarmSettings settings;
    settings.Action = ActionKind::Other;
    settings.OtherAction = OtherActionKind::DoubleClick;
    settings.ClickX = 640;
    settings.ClickY = -4;
    EXPECT_EQ(PlanPreview(settings, {})[0].detail, L"640;-4");
    settings.OtherAction = OtherActionKind::CdTray;
    settings.CdDrive = L"E";
    settings.CdTrayOperation = L"wysuń";
    EXPECT_EQ(PlanPreview(settings, {})[0].detail, L"E;1");
    settings.CdTrayOperation = L"WSUŃ";
    EXPECT_EQ(PlanPreview(settings, {})[0].detail, L"E;0");
    settings.CdTrayOperation = L"";
    EXPECT_TRUE(PlanPreview(settings, {}).empty());
    settings.OtherAction = OtherActionKind::PressKeys;
    settings.KeyCombination = L"Ctrl+Alt+Delete";
    const ActionStep keys = PlanPreview(settings, {})[0];
    EXPECT_EQ(keys.text, L"Zasymuluj wciśnięcie dowolnego klawisza(y)");
    EXPECT_EQ(keys.detail, L"Ctrl+Alt+Delete");
}

TEST(Preview, InputBlocksAreAnnouncedAndLastTenSecondsNotUntilTheEnd) {
    const std::tuple<OtherActionKind, std::wstring_view, std::vector<std::wstring>> cases[] = {
        {OtherActionKind::BlockKeyboard, kPreviewBlocksKeyboard, {L"DisableKeyboard 10000"}},
        {OtherActionKind::BlockMouse, kPreviewBlocksMouse, {L"DisableMouse 10000"}},
        {OtherActionKind::BlockMouseAndKeyboard,
         kPreviewBlocksBoth,
         {L"DisableMouse 10000", L"DisableKeyboard 10000"}},
    };
    AlarmSettings settings;
    settings.Action = ActionKind::Other;
    for (const auto& [subAction, notice, calls] : cases) {
        settings.OtherAction = subAction;
        const ActionPlan plan = PlanPreview(settings, {});
        ASSERT_EQ(Kinds(plan), (std::vector{K::ShowMessage, K::OtherAction}));
        EXPECT_EQ(plan[0].text, notice);
        EXPECT_EQ(plan[0].owner, StepOwner::ConfigurationWindow);
        RecordingSystemOps ops;
        RecordingKeySink keys;
        PerformSystemStep(plan[1], ops, keys, 0);
        EXPECT_EQ(ops.calls, calls);
    }
}

struct KillCase {
    const char* name;
    const wchar_t* idText;
    const wchar_t* chosen;
    bool present;
    FakeProcessControl::Entry now;
    KillResult result;
};

TEST(KillProcess, EndsOnlyTheProgramChosenAtStart) {
    const std::wstring path = L"C:\\Gry\\Gra.exe";
    const KillCase cases[] = {
        {"still the chosen program",
         L"4242",
         path.c_str(),
         true,
         {L"c:\\gry\\GRA.EXE", L""},
         KillResult::Ended},
        {"identifier reused by another program",
         L"4242",
         path.c_str(),
         true,
         {L"C:\\Windows\\notepad.exe", L""},
         KillResult::NothingToEnd},
        {"same name from another folder",
         L"4242",
         path.c_str(),
         true,
         {L"D:\\Gra.exe", L""},
         KillResult::NothingToEnd},
        {"path unreadable now: the name decides",
         L"4242",
         path.c_str(),
         true,
         {L"", L"gra.exe"},
         KillResult::Ended},
        {"path unreadable now, another name",
         L"4242",
         path.c_str(),
         true,
         {L"", L"inna.exe"},
         KillResult::NothingToEnd},
        {"only the name known at Start",
         L"4242",
         L"Gra.exe",
         true,
         {L"E:\\x\\gra.exe", L""},
         KillResult::Ended},
        {"nothing known at Start", L"4242", L"", true, {path, L""}, KillResult::NothingToEnd},
        {"no longer running", L"4242", path.c_str(), false, {}, KillResult::NothingToEnd},
        {"the system refuses", L"4242", path.c_str(), true, {path, L"", false}, KillResult::Failed},
    };
    for (const KillCase& c : cases) {
        FakeProcessControl processes;
        if (c.present)
            processes.processes[4242] = c.now;
        EXPECT_EQ(KillChosenProcess(processes, c.idText, {c.chosen}).result, c.result) << c.name;
        EXPECT_EQ(processes.ended.contains(4242), c.result == KillResult::Ended) << c.name;
    }
    // The start time kept at Start (0: gone by then); a refused opening shows only a name.
    const std::tuple<FakeProcessControl::Entry, uint64_t, KillResult> timed[] = {
        {{path, L"", true, 7}, 7, KillResult::Ended},
        {{path, L"", true, 9}, 7, KillResult::NothingToEnd},  // a new instance took the id
        {{path, L"", true, 7}, 0, KillResult::NothingToEnd},
        {{L"", L"GRA.EXE", true, {}, true}, 7, KillResult::Failed},
        {{L"", L"inna.exe", true, {}, true}, 7, KillResult::NothingToEnd},
    };
    for (const auto& [now, chosen, result] : timed) {
        FakeProcessControl processes;
        processes.processes[4242] = now;
        EXPECT_EQ(KillChosenProcess(processes, L"4242", {path, chosen}).result, result) << chosen;
    }
    // Texts that name no process never reach the system.
    for (const wchar_t* text : {L"", L"abc", L"0", L"-1", L"4294967295", L"12a", L" 12"}) {
        FakeProcessControl processes;
        EXPECT_EQ(KillChosenProcess(processes, text, {path}).result, KillResult::NothingToEnd);
        EXPECT_EQ(processes.opened, 0) << ToUtf8(text);
    }
}

TEST(KillProcess, StartKeepsTheRowsProcessOnlyWhileItRunsTheRowsProgram) {
    const std::wstring path = L"C:\\Gry\\Gra.exe";
    const std::pair<std::optional<FakeProcessControl::Entry>, KillTarget> cases[] = {
        {FakeProcessControl::Entry{path, L"", true, 7}, {path, 7}},
        {FakeProcessControl::Entry{L"", L"gra.exe", true, 7}, {L"Gra.exe", 7}},
        {FakeProcessControl::Entry{L"C:\\x\\inna.exe", L"", true, 7}, {L"Gra.exe", 0}},
        {std::nullopt, {L"Gra.exe", 0}},                                            // gone
        {FakeProcessControl::Entry{L"", L"Gra.exe", true, 7, true}, {L"Gra.exe"}},  // refused
    };
    for (const auto& [now, kept] : cases) {
        FakeProcessControl processes;
        if (now)
            processes.processes[4242] = *now;
        EXPECT_EQ(ReadKillTarget(processes, 4242, L"Gra.exe"), kept) << ToUtf8(kept.image);
    }
}

}  // namespace
}  // namespace klaxora::testing
