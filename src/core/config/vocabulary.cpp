#include "config/vocabulary.h"

#include <array>

#include "util/text.h"

namespace klaxora {
namespace {

constexpr std::array<TriggerInfo, 7> kTriggers{{
    {TriggerKind::NoInternet, L"Brak połączenia z Internetem", L"BI", L"brak_neta"},
    {TriggerKind::Countdown, L"Odlicz w dół i uruchom", L"OD", L"odlicz_w_dol"},
    {TriggerKind::ProgramNotResponding, L"Program przestanie odpowiadać", L"PO",
     L"program_nie_odpowiada"},
    {TriggerKind::ProgramClosed, L"Program zostanie zamknięty", L"PZ", L"program_zamkniety"},
    {TriggerKind::AtTime, L"Uruchom alarm o ...", L"UG", L"wykonaj_o"},
    {TriggerKind::ProgramStarted, L"Uruchomiony zostanie program", L"PU", L"program_uruch"},
    {TriggerKind::AfterWindowsStart, L"Po uruchomieniu Windows", L"PW", L"wykonaj_win"},
}};

constexpr std::array<ActionInfo, 10> kActions{{
    {ActionKind::DefaultWindow, L"Domyślne okno", L""},
    {ActionKind::Message, L"Komunikat", L"p_k_komunikat"},
    {ActionKind::PlaySound, L"Odegraj dźwięk", L"p_k_PdegrajDzwiek"},
    {ActionKind::OpenFolder, L"Otwórz folder", L"p_OtworzFolder"},
    {ActionKind::OpenFile, L"Uruchom plik", L"p_Plik"},
    {ActionKind::RunProgram, L"Uruchom program", L"p_UrProg"},
    {ActionKind::OpenWebPage, L"Uruchom stronę WWW", L"p_WWW"},
    {ActionKind::ShutDown, L"Zamknij system/Wyłącz komputer", L"p_Zamknij"},
    {ActionKind::Other, L"Inne możliwości", L"p_Inne"},
    {ActionKind::KillProcess, L"Zabij proces", L"p_ZabijProces"},
}};

constexpr std::array<OtherActionInfo, 14> kOtherActions{{
    {OtherActionKind::MinimizeAllWindows, L"Minimalizuj wszystkie okna", L""},
    {OtherActionKind::StartDefaultBrowser, L"Uruchom domyślną przeglądarkę internetową", L""},
    {OtherActionKind::StartExplorer, L"Uruchom eksplorator Windows", L""},
    {OtherActionKind::StartControlPanel, L"Uruchom Panel Sterowania", L""},
    {OtherActionKind::StartScreenSaver, L"Uruchom wygaszacz ekranu", L""},
    {OtherActionKind::MonitorOff, L"Wygaś monitor", L""},
    {OtherActionKind::CdTray, L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray", L"p_Inne_DyskCD"},
    {OtherActionKind::DoubleClick, L"Zasymuluj podwójne kliknięcie myszy", L"p_Inne_Klikniecie1"},
    {OtherActionKind::SingleClick, L"Zasymuluj pojedyncze kliknięcie myszy", L"p_Inne_Klikniecie1"},
    {OtherActionKind::PressKeys, L"Zasymuluj wciśnięcie dowolnego klawisza(y)", L"p_Inne_Klawisz"},
    {OtherActionKind::BlockKeyboard, L"Zawieś działanie klawiatury", L""},
    {OtherActionKind::BlockMouse, L"Zawieś działanie myszy", L""},
    {OtherActionKind::BlockMouseAndKeyboard, L"Zawieś działanie myszy i klawiatury", L""},
    {OtherActionKind::MaxVolume, L"Zwiększ głośność maksymalnie", L""},
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

constexpr std::array<std::wstring_view, 8> kPages{
    L"odlicz_w_dol",  L"wykonaj_o",         L"program_nie_odpowiada", L"brak_neta",
    L"program_uruch", L"program_zamkniety", L"wykonaj_win",           kEmptyPage,
};

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

std::span<const std::wstring_view> NotebookPages() {
    return kPages;
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
