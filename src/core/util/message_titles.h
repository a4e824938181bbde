#pragma once
// The program's name and the titles of its message boxes, in one place.
#include <string_view>

namespace klaxora {

inline constexpr std::wstring_view kApplicationTitle = L"Klaxora";
inline constexpr std::wstring_view kErrorTitle = L"BŁĄD !!!";
inline constexpr std::wstring_view kWarningTitle = L"UWAGA !!!";
inline constexpr std::wstring_view kNoticeTitle = L"INFORMACJA";

}  // namespace klaxora
