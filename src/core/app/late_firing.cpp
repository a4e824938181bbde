#include "app/late_firing.h"

#include <cstdio>

#include "app/armed_record.h"
#include "config/vocabulary.h"

namespace klaxora {
namespace {

// Actions that only tell the user something: done late as they would be on time.
bool HarmlessLate(ActionKind action) {
    switch (action) {
        case ActionKind::DefaultWindow:
        case ActionKind::Message:
        case ActionKind::PlaySound:
        case ActionKind::OpenFolder:
        case ActionKind::OpenWebPage:
            return true;
        case ActionKind::OpenFile:
        case ActionKind::RunProgram:
        case ActionKind::ShutDown:
        case ActionKind::Other:
        case ActionKind::KillProcess:
            return false;
    }
    return false;
}

// "2 godz. 5 min", "3 min 20 s", "1 d 4 godz."
std::wstring LatenessText(int64_t lateMs) {
    const int64_t s = lateMs > 0 ? lateMs / 1000 : 0;
    const int64_t days = s / 86400, hours = s % 86400 / 3600, minutes = s % 3600 / 60;
    wchar_t buffer[64];
    if (days > 0)
        std::swprintf(buffer, 64, L"%lld d %lld godz.", static_cast<long long>(days),
                      static_cast<long long>(hours));
    else if (hours > 0)
        std::swprintf(buffer, 64, L"%lld godz. %lld min", static_cast<long long>(hours),
                      static_cast<long long>(minutes));
    else
        std::swprintf(buffer, 64, L"%lld min %lld s", static_cast<long long>(minutes),
                      static_cast<long long>(s % 60));
    return buffer;
}

std::wstring DateTimeText(const LocalDateTime& t) {
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour,
                  t.minute, t.second);
    return buffer;
}

// The action with what it acts on: the shutdown kind, the sub-action, the program or file.
std::wstring ActionText(const WatchState& alarm) {
    std::wstring text = alarm.ActionCaption;
    const auto action = ActionByCaption(alarm.ActionCaption);
    std::wstring detail;
    if (action == ActionKind::KillProcess)
        detail = alarm.KillImage;
    else if (action && !HarmlessLate(*action))
        detail = alarm.ActionParameter;
    if (!detail.empty())
        text += L": " + detail;
    return text;
}

}  // namespace

FiringVerdict DecideFiring(std::wstring_view actionCaption, int64_t lateMs) {
    const auto action = ActionByCaption(actionCaption);
    if (lateMs <= kLateGraceMs)
        return FiringVerdict::Fire;
    if (!action)
        return FiringVerdict::Drop;  // a question about nothing would only puzzle the user
    return HarmlessLate(*action) ? FiringVerdict::Fire : FiringVerdict::Ask;
}

std::wstring LateQuestionText(const WatchState& alarm, const LocalDateTime& due, int64_t lateMs,
                              int secondsLeft) {
    std::wstring text =
        L"Alarm nie zadziałał o czasie: komputer był wyłączony lub uśpiony, program nie "
        L"działał albo przestawiono zegar.\n\n";
    text += L"Alarm: " + TriggerText(alarm) + L"\n";
    text += L"Akcja: " + ActionText(alarm) + L"\n";
    text += L"Termin: " + DateTimeText(due) + L"\n";
    text += L"Spóźnienie: " + LatenessText(lateMs) + L"\n\n";
    text += std::wstring(kLateQuestion) + L"\n";
    text += L"Bez odpowiedzi za " + std::to_wstring(secondsLeft) + L" s: " +
            std::wstring(kAnswerNo) + L".";
    return text;
}

bool WarnsBeforeShutdown(std::wstring_view shutdownCaption) {
    const auto kind = ShutdownByCaption(shutdownCaption);
    return kind && *kind != ShutdownKind::MonitorOff;
}

std::wstring ShutdownWarningText(std::wstring_view shutdownCaption, int secondsLeft, bool preview) {
    std::wstring text = L"Alarm: " + std::wstring(shutdownCaption) + L" za " +
                        std::to_wstring(secondsLeft) + L" s.\n\nZapisz swoją pracę. „" +
                        std::wstring(kShutdownCancel) + L"” kończy alarm.";
    if (preview)
        text += L"\n\nTo tylko podgląd: nic nie zostanie wykonane.";
    return text;
}

}  // namespace klaxora
