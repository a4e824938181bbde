#include "config/vocabulary.h"

#include <array>

#include "util/text.h"

namespace klaxora {
namespace {

constexpr std::array<TriggerInfo, 7> kTriggers{{
    {TriggerKind::NoInternet, L"Brak połączenia z Internetem", L"BI"},
    {TriggerKind::Countdown, L"Odlicz w dół i uruchom", L"OD"},
    {TriggerKind::ProgramNotResponding, L"Program przestanie odpowiadać", L"PO"},
    {TriggerKind::ProgramClosed, L"Program zostanie zamknięty", L"PZ"},
    {TriggerKind::AtTime, L"Uruchom alarm o ...", L"UG"},
    {TriggerKind::ProgramStarted, L"Uruchomiony zostanie program", L"PU"},
    {TriggerKind::AfterWindowsStart, L"Po uruchomieniu Windows", L"PW"},
}};

constexpr std::array<ActionInfo, 10> kActions{{
    {ActionKind::DefaultWindow, L"Domyślne okno", false},
    {ActionKind::Message, L"Komunikat", true},
    {ActionKind::PlaySound, L"Odegraj dźwięk", true},
    {ActionKind::OpenFolder, L"Otwórz folder", true},
    {ActionKind::OpenFile, L"Uruchom plik", true},
    {ActionKind::RunProgram, L"Uruchom program", true},
    {ActionKind::OpenWebPage, L"Uruchom stronę WWW", true},
    {ActionKind::ShutDown, L"Zamknij system/Wyłącz komputer", true},
    {ActionKind::Other, L"Inne możliwości", true},
    {ActionKind::KillProcess, L"Zabij proces", true},
}};

constexpr std::array<OtherActionInfo, 14> kOtherActions{{
    {OtherActionKind::MinimizeAllWindows, L"Minimalizuj wszystkie okna", OtherSubPanel::None},
    {OtherActionKind::StartDefaultBrowser, L"Uruchom domyślną przeglądarkę internetową",
     OtherSubPanel::None},
    {OtherActionKind::StartExplorer, L"Uruchom eksplorator Windows", OtherSubPanel::None},
    {OtherActionKind::StartControlPanel, L"Uruchom Panel Sterowania", OtherSubPanel::None},
    {OtherActionKind::StartScreenSaver, L"Uruchom wygaszacz ekranu", OtherSubPanel::None},
    {OtherActionKind::MonitorOff, L"Wygaś monitor", OtherSubPanel::None},
    {OtherActionKind::CdTray, L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray", OtherSubPanel::CdTray},
    {OtherActionKind::DoubleClick, L"Zasymuluj podwójne kliknięcie myszy", OtherSubPanel::Click},
    {OtherActionKind::SingleClick, L"Zasymuluj pojedyncze kliknięcie myszy", OtherSubPanel::Click},
    {OtherActionKind::PressKeys, L"Zasymuluj wciśnięcie dowolnego klawisza(y)",
     OtherSubPanel::Keys},
    {OtherActionKind::BlockKeyboard, L"Zawieś działanie klawiatury", OtherSubPanel::None},
    {OtherActionKind::BlockMouse, L"Zawieś działanie myszy", OtherSubPanel::None},
    {OtherActionKind::BlockMouseAndKeyboard, L"Zawieś działanie myszy i klawiatury",
     OtherSubPanel::None},
    {OtherActionKind::MaxVolume, L"Zwiększ głośność maksymalnie", OtherSubPanel::None},
}};

constexpr std::array<ShutdownInfo, 7> kShutdownKinds{{
    {ShutdownKind::Hibernate, L"Przejdź w stan hibernacji"},
    {ShutdownKind::Suspend, L"Przejdź w stan wstrzymania"},
    {ShutdownKind::Restart, L"Uruchom ponownie (restart)"},
    {ShutdownKind::MonitorOff, L"Wygaś monitor"},
    {ShutdownKind::LogOff, L"Wyloguj aktualnego użytkownika"},
    {ShutdownKind::PowerOff, L"Wyłącz komputer"},
    {ShutdownKind::ShutDownToDos, L"Zamknij system (Przejdź do DOS Win 9x i ME)"},
}};

constexpr std::array<std::wstring_view, 2> kCdOps{kCdTrayClose, kCdTrayOpen};

constexpr std::array<std::wstring_view, 16> kMessageTexts{
    L"ALARM !!!",
    L"Hey - to ja ALARM !!!",
    L"Już czas !!!",
    L"Nadeszła pora !!!",
    L"Nadeszła ustawiona godzina !!!",
    L"Najwyższa pora !!!",
    L"Najwyższy czas zabrać się do roboty",
    L"Nastąpił kres odliczania !!!",
    L"Odejdź od komputera - ile można siedzieć !!!",
    L"Odliczanie dobiegło końca !!!",
    L"Program przestał odpowiadać !!!",
    L"Program został uruchomiony !!!",
    L"Program został zamknięty !!!",
    L"WSTAWAJ !!!",
    L"Wstawaj i do roboty !!!",
    L"Wybiła Twoja godzina !!!",
};

constexpr std::array<std::wstring_view, 6> kMessageCaptions{
    L":-)", L"CZEŚĆ", L"HELLO !!!", L"HEY HEY HEY", L"UWAGA !!!", L"Vantrelix Klaxora",
};

template <typename Table, typename Pred>
auto FindKind(const Table& table, Pred pred) -> std::optional<decltype(table[0].kind)> {
    for (const auto& item : table) {
        if (pred(item))
            return item.kind;
    }
    return std::nullopt;
}

}  // namespace

std::span<const TriggerInfo> Triggers() {
    return kTriggers;
}
std::span<const ActionInfo> Actions() {
    return kActions;
}
std::span<const OtherActionInfo> OtherActions() {
    return kOtherActions;
}
std::span<const ShutdownInfo> ShutdownKinds() {
    return kShutdownKinds;
}

std::wstring TriggerListText(TriggerKind kind) {
    return kind == TriggerKind::AfterWindowsStart ? std::wstring()
                                                  : std::wstring(Info(kind).caption);
}

const TriggerInfo& Info(TriggerKind kind) {
    return kTriggers[static_cast<size_t>(kind)];
}
const ActionInfo& Info(ActionKind kind) {
    return kActions[static_cast<size_t>(kind)];
}
const OtherActionInfo& Info(OtherActionKind kind) {
    return kOtherActions[static_cast<size_t>(kind)];
}
const ShutdownInfo& Info(ShutdownKind kind) {
    return kShutdownKinds[static_cast<size_t>(kind)];
}

std::optional<TriggerKind> TriggerByCaption(std::wstring_view caption) {
    return FindKind(kTriggers, [&](const auto& t) { return t.caption == caption; });
}
std::optional<TriggerKind> TriggerByCode(std::wstring_view code) {
    return FindKind(kTriggers, [&](const auto& t) { return t.code == code; });
}
std::optional<ActionKind> ActionByCaption(std::wstring_view caption) {
    return FindKind(kActions, [&](const auto& a) { return a.caption == caption; });
}
std::optional<OtherActionKind> OtherActionByCaption(std::wstring_view caption) {
    return FindKind(kOtherActions, [&](const auto& a) { return a.caption == caption; });
}
std::optional<ShutdownKind> ShutdownByCaption(std::wstring_view caption) {
    return FindKind(kShutdownKinds, [&](const auto& s) { return s.caption == caption; });
}

std::optional<TriggerKind> TriggerByCodeNoCase(std::wstring_view code) {
    return FindKind(kTriggers, [&](const auto& t) { return EqualsNoCase(t.code, code); });
}
std::optional<ActionKind> ActionByCaptionNoCase(std::wstring_view caption) {
    return FindKind(kActions, [&](const auto& a) { return EqualsNoCase(a.caption, caption); });
}
std::optional<OtherActionKind> OtherActionByCaptionNoCase(std::wstring_view caption) {
    return FindKind(kOtherActions, [&](const auto& a) { return EqualsNoCase(a.caption, caption); });
}
std::optional<ShutdownKind> ShutdownByCaptionNoCase(std::wstring_view caption) {
    return FindKind(kShutdownKinds,
                    [&](const auto& s) { return EqualsNoCase(s.caption, caption); });
}

std::span<const std::wstring_view> CdTrayOperations() {
    return kCdOps;
}
std::span<const std::wstring_view> MessageTextPresets() {
    return kMessageTexts;
}
std::span<const std::wstring_view> MessageCaptionPresets() {
    return kMessageCaptions;
}

}  // namespace klaxora
