#include "win/app/main_window.h"

#include <shellapi.h>

#include <algorithm>

#include "app/after_start.h"
#include "app/late_firing.h"
#include "app/wake_check.h"
#include "app/startup.h"
#include "app/tray_notice.h"
#include "app/watch_loop.h"
#include "cmdline/command_line_split.h"
#include "util/user_error.h"
#include "resources/resource_ids.h"
#include "win/actions/popup_window.h"
#include "win/sys/program_info.h"
#include "win/cmdline/command_line.h"
#include "win/config/alarm_window.h"
#include "win/sys/power_facts_win.h"
#include "win/sys/system_ops_win.h"
#include "win/ui/countdown_box.h"
#include "win/ui/dpi.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace text {
constexpr const wchar_t* kTrayHint = L"Vantrelix Klaxora";
constexpr const wchar_t* kZatrzymajodliczanie1 = L"&Zatrzymaj odliczanie";
constexpr const wchar_t* kWyciszalarm1 = L"&Wycisz alarm";
constexpr const wchar_t* kUstawnowyczas1 = L"&Ustaw nowy czas";
constexpr const wchar_t* kPomoc1 = L"&Pomoc";
constexpr const wchar_t* kOpcje1 = L"&Opcje";
constexpr const wchar_t* kOprogramie1 = L"O p&rogramie ...";
constexpr const wchar_t* kZamknij1 = L"Za&mknij";
constexpr const wchar_t* kNoWatchTimer = L"Nie można uruchomić odliczania";
}  // namespace text

TF_Glowna::TF_Glowna(const WindowPorts& ports, ArmedAlarm& alarm)
    : alarm_(alarm),
      ports_(ports),
      registry_(ports.registry),
      files_(ports.files),
      folders_(ports.folders),
      processes_(ports.processes) {
    entries_ = {{
        {Zatrzymajodliczanie1,
         &TF_Glowna::Zatrzymajodliczanie1Click,
         text::kZatrzymajodliczanie1,
         IDI_MENU_STOP,
         false,
         {}},
        {Wyciszalarm1,
         &TF_Glowna::Wyciszalarm1Click,
         text::kWyciszalarm1,
         IDI_MENU_STOP,
         false,
         {}},
        {Ustawnowyczas1,
         &TF_Glowna::Ustawnowyczas1Click,
         text::kUstawnowyczas1,
         IDI_MENU_NEW_TIME,
         true,
         {}},
        {Pomoc1, &TF_Glowna::Pomoc1Click, text::kPomoc1, IDI_MENU_HELP, true, {}},
        {0, nullptr, nullptr, 0, true, {}},  // N2
        {Opcje1, &TF_Glowna::Opcje1Click, text::kOpcje1, IDI_MENU_OPTIONS, true, {}},
        {Oprogramie1, &TF_Glowna::Oprogramie1Click, text::kOprogramie1, IDI_MENU_ABOUT, true, {}},
        {0, nullptr, nullptr, 0, true, {}},  // N1
        {Zamknij1, &TF_Glowna::Zamknij1Click, text::kZamknij1, IDI_MENU_CLOSE, true, {}},
    }};
}

TF_Glowna::~TF_Glowna() {
    Tray.Remove();
    alarm_.Detach();
}

void TF_Glowna::Create() {
    const UINT dpi = DpiOf(nullptr);
    const HICON large = AppIcon(SystemMetricAt(SM_CXICON, dpi));
    const HICON small = AppIcon(SystemMetricAt(SM_CXSMICON, dpi));
    // No border, no caption, no taskbar button: the window only carries the icon and timer.
    CreateWindowOf({L"TF_Glowna", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), large, small},
                   kApplicationTitle.data(), WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, kClientWidth,
                   kClientHeight, nullptr);
    BuildMenuEntries();
    FormCreate();
    Tray.OnClick = [this] { TrayClick(); };
    Tray.OnContextMenu = [this](POINT at) { PopupMenu(at); };
    Tray.Add(Hwnd(), small, text::kTrayHint);
}

void TF_Glowna::Start() {
    // The configuration window reads the armed alarm (the question on quitting, a kill set up
    // by the command line) and how many strings the command line supplied.
    FormShow();
    // The window would be shown for a single paint that only hides it again; the paint's
    // work is done at once instead, so nothing flashes in the corner of the screen.
    FormPaint();
    // Started out of sight: once per user, the icon says where it is, as soon as it is there.
    const bool shown = links_.configuration && links_.configuration->Visible();
    if (ShouldTellWhereTheIconIs(registry_, shown)) {
        Tray.ShowBalloonWhenAdded(std::wstring(kTrayNoticeTitle), std::wstring(kTrayNoticeText),
                                  TrayIcon::BalloonIcon::Info,
                                  [this] { RememberToldWhereTheIconIs(registry_); });
    }
}

void TF_Glowna::FormCreate() {
    // The bottom-right corner of the screen.
    RECT frame{};
    GetWindowRect(Hwnd(), &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(Hwnd(), nullptr, GetSystemMetrics(SM_CXSCREEN) - width,
                 GetSystemMetrics(SM_CYSCREEN) - height, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The command line is collected when the window is shown.
    commandLine_.clear();
    // The help item, before the registry is touched so that its failure cannot skip it.
    Entry(Pomoc1).visible = ports_.HelpExists();
    // First run, seeding and the options; a failure is shown and the program goes on.
    const StartupOutcome outcome = PrepareRegistry(
        registry_, files_, folders_, {ports_.program.executablePath, ports_.program.version});
    options_ = outcome.options;
    if (outcome.error)
        ShowStandardError(*outcome.error);
}

std::vector<std::wstring> CommandLineStrings(const std::wstring& commandLine,
                                             const std::wstring& programPath) {
    // Split as our shortcuts write it, not by CommandLineToArgvW, which would take the
    // backslash of a quoted "C:\" as an escape and run the rest of the line into it.
    return CommandLineListFor(commandLine, programPath);
}

void TF_Glowna::FormShow() {
    auto strings = CommandLineStrings(GetCommandLineW(), ports_.program.executablePath);
    // Started to take a kept alarm over: the markers are no definition.
    logonRun_ = TakeMarker(strings, kAfterStartMarker);
    const bool takeOver = TakeMarker(strings, kTakeOverMarker);
    const bool restarted = TakeMarker(strings, kRestartMarker);
    startedForRecord_ = takeOver || restarted || logonRun_;
    // A kept alarm's definition fills the window as a shortcut's parameters would.
    if (adopted_)
        strings = CommandLineStrings(L"\"\"" + adopted_->record.definition,
                                     ports_.program.executablePath);
    if (adopted_ || startedForRecord_)
        PostMessageW(Hwnd(), kAfterStartMessage, 0, 0);
    commandLine_.insert(commandLine_.end(), strings.begin(), strings.end());
    if (TF_Alarm* alarm = links_.configuration)
        alarm->SetCommandLineCount(commandLine_.size());
    ReadCommandLine(!adopted_);
}

void TF_Glowna::ReadCommandLine(bool showMessages) {
    if (commandLine_.empty())
        return;
    const CommandLineReading reading =
        ReadCommandLineHere(commandLine_, alarm_.Watch(), files_, processes_);
    commandLine_ = reading.list;
    // Nothing is armed by reading: the reading fills the definition, Start arms it.
    alarm_.SetPending(reading.watch);
    if (TF_Alarm* alarm = links_.configuration) {
        // A kill of a missing file drops an entry; the restore reads the count as it is left.
        alarm->SetCommandLineCount(commandLine_.size());
        alarm->ApplyCommandLine(reading);
    }
    // A kept definition was read without complaint when it was armed; what changed since (a
    // program gone, say) is for the alarm itself to meet.
    if (showMessages)
        ShowCommandLineMessages(reading.messages);
}

void TF_Glowna::FormPaint() {
    // A copy started only to take a kept alarm over stays in the notification area.
    if (!options_.AutoMinimize && !startedForRecord_ && links_.configuration)
        links_.configuration->Show();
    Hide();
}

void TF_Glowna::FormClose() {
    commandLine_.clear();
    // Ends the program, also while an alarm is armed.
    DestroyWindow(Hwnd());
}

void TF_Glowna::TrayClick() {
    if (TF_Alarm* alarm = links_.configuration) {
        if (alarm->Visible()) {
            alarm->Close();
        } else {
            alarm->Show();
            SetForegroundWindow(alarm->Hwnd());
        }
    }
    if (links_.closePopup)
        links_.closePopup();
}

void TF_Glowna::pm_GlownePopup() {
    Entry(Pomoc1).visible = ports_.HelpExists();
    Entry(Zatrzymajodliczanie1).visible = alarm_.Armed();
    // A fired alarm's sound still playing after the alarm ended has its own way to be silenced.
    Entry(Wyciszalarm1).visible = !alarm_.Armed() && ports_.alarmSound.AlarmSounding();
    RebuildMenu();
}

void TF_Glowna::ArmAdopted() {
    if (!adopted_) {
        if (logonRun_)
            alarm_.TakeAfterStartAlarm();
        return;
    }
    TakenRecord taken = std::move(*adopted_);
    adopted_.reset();
    if (alarm_.Armed() || alarm_.Watch().Firing)
        return;  // armed here meanwhile: the record is let go for another copy
    if (TF_Alarm* alarm = links_.configuration)
        alarm->ShowArmed(taken.record.watch.RepeatSeconds);
    alarm_.Resume(std::move(taken), logonRun_);
}

void TF_Glowna::AlarmChanged(const WatchState& watch) {
    Tray.SetHint(TrayTip(text::kTrayHint, watch, alarm_.MomentText()));
}

void TF_Glowna::Quit() {
    alarm_.Quit();
    FormClose();
}

void TF_Glowna::Zatrzymajodliczanie1Click() {
    // The user's Stop: what the alarm still plays ends too.
    ports_.alarmSound.SilenceAlarm();
    alarm_.Stop();
}

void TF_Glowna::Wyciszalarm1Click() {
    ports_.alarmSound.SilenceAlarm();
}

void TF_Glowna::Ustawnowyczas1Click() {
    if (TF_Alarm* alarm = links_.configuration) {
        alarm->Show();
        SetForegroundWindow(alarm->Hwnd());
    }
}

void TF_Glowna::Pomoc1Click() {
    ports_.OpenHelp(Hwnd());
}

void TF_Glowna::Opcje1Click() {
    if (links_.showOptions)
        links_.showOptions();
}

void TF_Glowna::Oprogramie1Click() {
    if (links_.showAbout)
        links_.showAbout();
}

void TF_Glowna::Zamknij1Click() {
    Quit();
}

void TF_Glowna::PopupMenu(POINT at) {
    pm_GlownePopup();
    // The menu closes on a click elsewhere only while our window is in the foreground, and the
    // message posted after it lets the next click reach the shell.
    SetForegroundWindow(Hwnd());
    UINT flags = TPM_RIGHTBUTTON;
    flags |= GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    TrackPopupMenuEx(menu_.Get(), flags, at.x, at.y, Hwnd(), nullptr);
    PostMessageW(Hwnd(), WM_NULL, 0, 0);
}

int TF_Glowna::MenuImageSize() const {
    return SystemMetricAt(SM_CXSMICON, Dpi());
}

void TF_Glowna::ContextMenu(POINT at) {
    pm_GlownePopup();
    UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD;
    flags |= GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    // Owned by this window, which draws the pictures; the command comes back as the result.
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenuEx(menu_.Get(), flags, at.x, at.y, Hwnd(), nullptr));
    if (chosen)
        OnCommand(chosen, 0);
}

void TF_Glowna::DrawMenuImage(const DRAWITEMSTRUCT& draw) {
    const MenuEntry& entry = Entry(draw.itemID);
    if (entry.command != draw.itemID || !entry.icon)
        return;
    // The icon's alpha blends with the menu's own background, highlighted or not.
    const int size = MenuImageSize();
    const int top = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - size) / 2;
    DrawIconEx(draw.hDC, draw.rcItem.left, top, entry.icon.Get(), size, size, 0, nullptr,
               DI_NORMAL);
}

TF_Glowna::MenuEntry& TF_Glowna::Entry(UINT command) {
    for (auto& entry : entries_) {
        if (entry.command == command)
            return entry;
    }
    return entries_.front();
}

void TF_Glowna::BuildMenuEntries() {
    menu_.Reset(CreatePopupMenu());
    for (auto& entry : entries_) {
        if (entry.image) {
            entry.icon.Reset(
                static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(entry.image),
                                              IMAGE_ICON, MenuImageSize(), MenuImageSize(), 0)));
        }
    }
    RebuildMenu();
}

void TF_Glowna::RebuildMenu() {
    const HMENU menu = menu_.Get();
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    for (auto& entry : entries_) {
        if (!entry.visible)
            continue;
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        if (entry.command == 0) {
            item.fMask = MIIM_FTYPE;
            item.fType = MFT_SEPARATOR;
        } else {
            item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
            item.wID = entry.command;
            item.dwTypeData = const_cast<wchar_t*>(entry.caption);
            // Drawn by the window (WM_DRAWITEM), so the picture's alpha blends with the menu's
            // own background, highlighted or not, on every version of Windows.
            item.hbmpItem = entry.icon ? HBMMENU_CALLBACK : nullptr;
        }
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item);
    }
}

bool TF_Glowna::OnCommand(UINT id, UINT code) {
    const MenuEntry& entry = Entry(id);
    if (code != 0 || id == 0 || entry.command != id)
        return false;  // the menu's commands only
    (this->*entry.click)();
    return true;
}

bool TF_Glowna::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU)
        return false;
    DrawMenuImage(item);
    return true;
}

LRESULT TF_Glowna::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Tray.HandleMessage(msg, wParam, lParam, result))
        return result;
    switch (msg) {
        case WM_POWERBROADCAST:
            // Resumed: a count-down or a time of day that fell due during sleep fires now, by
            // the late rule. The automatic resume comes first; the user's follows only if
            // someone is there.
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
                alarm_.ClockChanged();
            return TRUE;
        case WM_TIMECHANGE:
            // The clock was set or the zone changed: look now; the wake timer's absolute due
            // time is worked out again.
            alarm_.ClockChanged();
            return 0;
        case WM_SETTINGCHANGE:
            if (lParam &&
                (lstrcmpiW(reinterpret_cast<LPCWSTR>(lParam), L"intl") == 0 ||
                 lstrcmpiW(reinterpret_cast<LPCWSTR>(lParam), L"TimeZoneInformation") == 0))
                alarm_.ClockChanged();
            break;
        case kAfterStartMessage:
            ArmAdopted();
            return 0;
        case kQuitMessage:
            Quit();
            return 0;
        case kLaunchRefusedMessage: {
            // A launch the action no longer waited for (an elevation prompt) was refused.
            const std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(lParam));
            if (text)
                ShowStandardError(*text, kOverEverything);
            return 0;
        }
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure->CtlType != ODT_MENU)
                break;
            measure->itemWidth = MenuImageSize() + Scaled(kMenuImageGap);
            measure->itemHeight = MenuImageSize();
            return TRUE;
        }
        case WM_PAINT: {
            {
                PaintDc validated(Hwnd());  // nothing to draw: the window only hides itself
            }
            FormPaint();
            return 0;
        }
        case WM_CLOSE:
            FormClose();
            return 0;
        case WM_DESTROY:
            Tray.Remove();
            // Not a Stop: the armed alarm stays kept for a later copy (the session ends, say).
            alarm_.Detach();
            if (links_.destroyed)
                links_.destroyed();
            return 0;
        default:
            break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace klaxora::win
