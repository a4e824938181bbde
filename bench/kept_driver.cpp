// The kept-alarm benchmark's driver: one repeating alarm whose copy is ended hard round after
// round, each time followed by a copy started with no parameters, which has to take the record
// over and fire at the moment the record keeps. Prints each firing against that moment and any
// moment that fired twice.
//
//   kept_driver [kills=20] [repeat=6]
//
// The alarm is a count-down of `repeat` seconds that shows a message box and repeats every
// `repeat` seconds, counted from the box's answer. Each round reads the record's moment, ends
// the copy holding it with TerminateProcess a few seconds before it (how many moves from round
// to round), starts a plain copy and waits for the box. Once the box is answered, no other box
// with the text may show until the record holds a later moment, nor for a second after.
// Three repeats of the last copy, not ended, follow for comparison.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/program.h"
#include "win/config/alarm_window.h"

namespace {

using namespace klaxora::e2e;
using Alarm = klaxora::win::TF_Alarm;

const std::wstring kRecords = L"Software\\Vantrelix\\Klaxora\\Uzbrojone";
const std::wstring kRunOnce = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const std::wstring kText = L"Wraca po zabiciu";

// The same clock the program writes its moments with.
int64_t UtcMs() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return static_cast<int64_t>(
               ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000) -
           11644473600000LL;
}

std::string Clock(int64_t utcMs) {
    const int64_t ms = utcMs % 86400000;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%03lld",
                  static_cast<long long>(ms / 3600000), static_cast<long long>(ms / 60000 % 60),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
    return text;
}

HWND Control(HWND window, UINT id) {
    for (HWND c : Descendants(window)) {
        if (static_cast<UINT>(GetDlgCtrlID(c)) == id && IsWindowVisible(c))
            return c;
    }
    return nullptr;
}

void Click(HWND control) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

struct Record {
    std::wstring id;
    int64_t due = 0;
    DWORD repeat = 0;
};

// The one kept record; nothing while there is none, or more than one.
std::optional<Record> OnlyRecord() {
    const std::vector<std::wstring> ids = SubkeyNames(kRecords);
    if (ids.size() != 1)
        return std::nullopt;
    Record r{ids[0]};
    for (const StoredValue& v :
         ReadKey(kRecords + L"\\" + ids[0]).value_or(std::vector<StoredValue>{})) {
        if (v.name == L"Termin")
            r.due = _wtoi64(v.text.c_str());
        else if (v.name == L"Powtorka")
            r.repeat = v.number;
    }
    if (r.due <= 0)
        return std::nullopt;
    return r;
}

// A shown message box with the alarm's text, in any process: the copy that fires it need not
// be the one expected.
HWND ShownBox() {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        if (IsWindowVisible(w) && MessageBoxText(w) == kText)
            return w;
    }
    return nullptr;
}

void Answer(HWND box) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
}

// Fills the repeat and presses Start in the window the command line filled.
bool StartRepeating(RunningProgram& program, int repeat) {
    const HWND window = program.FindVisibleWindowOf(L"TF_Alarm");
    if (!window || !program.WaitIdle())
        return false;
    const HWND box = Control(window, Alarm::kRepeatBox);
    const HWND edit = Control(window, Alarm::kRepeatEdit);
    const HWND start = Control(window, Alarm::kStart);
    if (!box || !edit || !start || !WaitFor([&] { return IsWindowEnabled(start) != FALSE; }))
        return false;
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    Click(box);  // the box's handler enables the edit
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::to_wstring(repeat).c_str()));
    PostMessageW(GetParent(start), WM_COMMAND, MAKEWPARAM(Alarm::kStart, BN_CLICKED),
                 reinterpret_cast<LPARAM>(start));
    return WaitFor([] { return OnlyRecord().has_value(); });
}

// Through the icon's menu, as the user ends the program and its alarm with it.
bool Zamknij(RunningProgram& program, const std::vector<HWND>& iconsBefore) {
    const HWND icon = WaitNewTrayIcon(iconsBefore);
    if (!icon)
        return false;
    ClickTrayIcon(icon, true);
    const HWND menu = WaitPopupMenu(program.Id());
    if (!menu)
        return false;
    PressKeyInMenu(menu, VK_UP);  // the last item, "Zamknij"
    PressKeyInMenu(menu, VK_RETURN);
    return program.WaitExit();
}

struct Firing {
    bool fired = false;
    int64_t at = 0;
    int64_t error = 0;  // fired minus due, ms
    int twice = 0;
    int64_t moved = 0;           // the record's moment while it fired, minus `due`
    std::optional<Record> next;  // the record once it holds a later moment
};

void AnswerAnyBox(Firing& f) {
    if (const HWND again = ShownBox()) {
        ++f.twice;
        Answer(again);
    }
}

// Waits for the box of the moment `due` and answers it. Answered, the repeat arms a later
// moment; a second box for this one would show before that, or soon after.
Firing AwaitFiring(int64_t due, int repeat) {
    Firing f;
    HWND box = nullptr;
    // Looked for lightly while the moment is far, closely near it.
    while (!(box = ShownBox()) && UtcMs() < due + 15000)
        Sleep(UtcMs() < due - 500 ? 20 : 1);
    if (!box)
        return f;
    f.at = UtcMs();
    f.fired = true;
    f.error = f.at - due;
    // The moment the copy armed for, kept until the box is answered.
    if (const std::optional<Record> firing = OnlyRecord())
        f.moved = firing->due - due;
    Answer(box);
    WaitFor(
        [&] {
            AnswerAnyBox(f);
            f.next = OnlyRecord();
            return f.next && f.next->due > due;
        },
        repeat * 1000 + 5000);
    if (f.next && f.next->due <= due)
        f.next.reset();
    const int64_t settle = UtcMs() + 1000;
    while (UtcMs() < settle) {
        AnswerAnyBox(f);
        Sleep(10);
    }
    return f;
}

void PrintFiring(const std::string& label, int64_t due, const Firing& f, const std::string& rest) {
    std::printf("%5s  %s  %-12s  %8s  %8lld  %s  %d\n", label.c_str(), Clock(due).c_str(),
                f.fired ? Clock(f.at).c_str() : "none",
                f.fired ? std::to_string(f.error).c_str() : "-", static_cast<long long>(f.moved),
                rest.c_str(), f.twice);
    std::fflush(stdout);
}

struct Errors {
    std::vector<int64_t> absolute;  // sorted
    int within = 0;                 // within a second of the moment
    int twice = 0;
    long long movedMax = 0;  // the largest shift of a kept moment
    double Median() const {
        const size_t n = absolute.size();
        if (n == 0)
            return 0;
        return n % 2 ? static_cast<double>(absolute[n / 2])
                     : (absolute[n / 2 - 1] + absolute[n / 2]) / 2.0;
    }
    long long Max() const { return absolute.empty() ? 0 : absolute.back(); }
};

Errors Summed(const std::vector<Firing>& firings) {
    Errors e;
    for (const Firing& f : firings) {
        if (f.fired) {
            e.absolute.push_back(f.error < 0 ? -f.error : f.error);
            e.within += e.absolute.back() <= 1000;
            e.movedMax = std::max<long long>(e.movedMax, f.moved < 0 ? -f.moved : f.moved);
        }
        e.twice += f.twice;
    }
    std::sort(e.absolute.begin(), e.absolute.end());
    return e;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int kills = std::max(argc > 1 ? _wtoi(argv[1]) : 20, 1);
    const int repeat = std::max(argc > 2 ? _wtoi(argv[2]) : 6, 3);
    // The copy is ended this long before the moment; the leads step through what the count-down
    // leaves once the last box was answered, so the take-over meets it early and late.
    const int64_t firstLead = 2500;
    const int64_t leads = std::max<int64_t>((repeat * 1000LL - 1500 - firstLead) / 1000 + 1, 1);

    DeleteSettings();
    std::vector<HWND> iconsBefore = TrayIcons();
    const std::wstring trigger = L"OD: " + std::to_wstring(repeat / 3600) + L":" +
                                 std::to_wstring(repeat / 60 % 60) + L":" +
                                 std::to_wstring(repeat % 60);
    auto holder = std::make_unique<RunningProgram>(
        L"\"" + trigger + L"\" \"Komunikat\" \"UWAGA !!!|" + kText + L"\"");
    if (!StartRepeating(*holder, repeat)) {
        std::printf("Klaxora.exe did not arm the alarm\n");
        DeleteSettings();
        return 0;
    }
    const std::optional<Record> first = OnlyRecord();
    std::printf("kept record %ls, repeat %lu s; %d kills, each %lld-%lld ms before the moment\n",
                first->id.c_str(), first->repeat, kills, static_cast<long long>(firstLead),
                static_cast<long long>(firstLead + (leads - 1) * 1000));
    std::printf(
        "round  due (UTC)     fired (UTC)   error ms  moved ms  killed ms before  copy up ms  "
        "fired twice\n");
    std::fflush(stdout);

    std::vector<Firing> rounds;
    int64_t due = first->due;
    bool armed = true;
    for (int r = 1; r <= kills && armed; ++r) {
        const int64_t lead = firstLead + ((r - 1) % leads) * 1000;
        while (UtcMs() < due - lead)
            Sleep(5);
        const int64_t killedBefore = due - UtcMs();
        holder->Kill();
        iconsBefore = TrayIcons();
        const int64_t started = UtcMs();
        holder = std::make_unique<RunningProgram>();
        const HWND window = holder->FindVisibleWindowOf(L"TF_Alarm", 15000);
        const int64_t up = window ? UtcMs() - started : -1;
        rounds.push_back(AwaitFiring(due, repeat));
        char rest[64];
        std::snprintf(rest, sizeof rest, "%16lld  %10lld", static_cast<long long>(killedBefore),
                      static_cast<long long>(up));
        PrintFiring(std::to_string(r), due, rounds.back(), rest);
        armed = rounds.back().next.has_value();
        if (!armed)
            std::printf("the alarm was not armed again after round %d; stopped\n", r);
        else
            due = rounds.back().next->due;
    }
    const Errors killed = Summed(rounds);
    std::printf(
        "kills %zu, came back %d (fired within 1000 ms of its moment), |fired - due| max "
        "%lld ms, median %.1f ms, fired twice %d; kept moment moved up to %lld ms\n",
        rounds.size(), killed.within, killed.Max(), killed.Median(), killed.twice, killed.movedMax);

    // For comparison, the last copy's own repeats, not ended: what a firing costs without a
    // take-over in between.
    std::vector<Firing> kept;
    for (int i = 0; i < 3 && armed; ++i) {
        kept.push_back(AwaitFiring(due, repeat));
        char rest[64];
        std::snprintf(rest, sizeof rest, "%16s  %10s", "-", "-");
        PrintFiring("same", due, kept.back(), rest);
        armed = kept.back().next.has_value();
        if (armed)
            due = kept.back().next->due;
    }
    const Errors unkilled = Summed(kept);
    std::printf(
        "not killed: %zu firings of the same copy, |fired - due| max %lld ms, median %.1f "
        "ms, fired twice %d\n",
        kept.size(), unkilled.Max(), unkilled.Median(), unkilled.twice);

    const bool closed = Zamknij(*holder, iconsBefore);
    std::printf("closed with Zamknij: %s; records left %zu, logon runs left %zu\n",
                closed ? "yes" : "no", SubkeyNames(kRecords).size(), ValueNames(kRunOnce).size());
    holder.reset();
    // What a failed close left must not start the program at the next logon.
    for (const std::wstring& name : ValueNames(kRunOnce)) {
        if (name.rfind(L"Klaxora", 0) == 0)
            DeleteValue(kRunOnce, name);
    }
    DeleteSettings();
    return 0;
}
