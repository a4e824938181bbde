#include "win/sys/system_error.h"

#include <cwchar>
#include <string_view>

namespace klaxora::win {
namespace {

constexpr std::wstring_view kSystemErrorCode = L"Błąd systemu. Kod: ";
constexpr std::wstring_view kUnknownSystemError = L"Nieznany błąd systemu";

}  // namespace

std::wstring SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr)
        text.assign(buffer, length);
    if (buffer != nullptr)
        LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty())
        text = std::wstring(kUnknownSystemError) + L" " + std::to_wstring(code);
    return text;
}

std::wstring SystemErrorMessage(DWORD code) {
    // An HRESULT reads as the hexadecimal number its documentation gives.
    wchar_t number[16];
    swprintf(number, 16, (code & 0x80000000u) ? L"0x%08lX" : L"%lu",
             static_cast<unsigned long>(code));
    return std::wstring(kSystemErrorCode) + number + L".\r\n" + SystemErrorText(code);
}

}  // namespace klaxora::win
