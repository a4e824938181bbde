#pragma once
// The balloon that tells a user who started the program out of sight where its icon went:
// newer Windows puts a new icon among the hidden ones, and a user who sees nothing starts a
// second copy that knows nothing of the armed alarm.
#include <string_view>

#include "ports/registry.h"

namespace klaxora {

namespace settings {
// REG_DWORD 1 once the balloon was shown to this user.
inline constexpr std::wstring_view kTrayNoticeShown = L"PokazanoDymek";
}  // namespace settings

inline constexpr std::wstring_view kTrayNoticeTitle = L"Klaxora działa w tle";
inline constexpr std::wstring_view kTrayNoticeText =
    L"Ikona budzika jest w obszarze powiadomień, przy zegarze. Jeśli jej nie widać, kliknij "
    L"strzałkę „Pokaż ukryte ikony”. Kliknięcie ikony pokazuje okno programu.";

// Once per user, and only at a start that shows no window. A registry that cannot be read says
// nothing: it could not remember the balloon either, and the start has reported it already.
bool ShouldTellWhereTheIconIs(RegistryPort& registry, bool windowShownAtStart);

// After the balloon was shown. False when the registry refused; the balloon then simply comes
// again at the next such start.
bool RememberToldWhereTheIconIs(RegistryPort& registry);

}  // namespace klaxora
