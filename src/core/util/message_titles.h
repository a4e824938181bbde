#pragma once
// The titles of the program's message boxes, in one place; the application title is
// kApplicationTitle.
#include <string_view>

namespace klaxora {

inline constexpr std::wstring_view kErrorTitle = L"BŁĄD !!!";
inline constexpr std::wstring_view kWarningTitle = L"UWAGA !!!";
inline constexpr std::wstring_view kNoticeTitle = L"INFORMACJA";

}  // namespace klaxora
