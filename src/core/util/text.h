#pragma once
// Text comparison under the two letter-case rules the program uses.
//
// Ascii rule: only the letters a..z change case. Used where paths are compared and for the
// process list's sort, like the classic file-name comparison of the shell.
//
// Full rule: letter case is ignored for every letter (Polish ones included), the way the
// registry compares names and the way captions and codes on the command line are matched.
// The folding table is our own, so the answers do not depend on the C library or locale and
// are the same natively and on Windows.
#include <string>
#include <string_view>

namespace klaxora {

wchar_t AsciiUpper(wchar_t c);
wchar_t AsciiLower(wchar_t c);
std::wstring AsciiUpper(std::wstring_view text);
bool EqualsAsciiNoCase(std::wstring_view a, std::wstring_view b);
// Negative, zero or positive, comparing code units after upper-casing a..z, so that
// characters between the two letter blocks ("_", "^") sort after every letter.
int CompareAsciiNoCase(std::wstring_view a, std::wstring_view b);

wchar_t FoldUpper(wchar_t c);
std::wstring FoldUpper(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// UTF-8 <-> UTF-16 for the rare places that meet narrow text (tests, build data).
// The text without the spaces and tabs around it.
std::wstring_view Trim(std::wstring_view s);

std::wstring FromUtf8(std::string_view text);
std::string ToUtf8(std::wstring_view text);

}  // namespace klaxora
