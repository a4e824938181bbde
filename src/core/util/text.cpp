#include "util/text.h"

#include <cstdint>

namespace klaxora {

wchar_t AsciiUpper(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? wchar_t(c - 32) : c;
}
wchar_t AsciiLower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c;
}

std::wstring AsciiUpper(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out)
        c = AsciiUpper(c);
    return out;
}

bool EqualsAsciiNoCase(std::wstring_view a, std::wstring_view b) {
    return CompareAsciiNoCase(a, b) == 0;
}

int CompareAsciiNoCase(std::wstring_view a, std::wstring_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int ca = AsciiUpper(a[i]);
        const int cb = AsciiUpper(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

wchar_t FoldUpper(wchar_t c) {
    const uint32_t u = static_cast<uint32_t>(c);
    if (u < 0x80)
        return AsciiUpper(c);
    // Latin-1: à..þ except the division sign; ÿ goes to Ÿ.
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return wchar_t(u - 0x20);
    if (u == 0xFF)
        return wchar_t(0x178);
    // Latin Extended-A: pairs of capital then small letter, with two runs shifted by one.
    if (u >= 0x100 && u <= 0x17F) {
        if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) {
            return (u % 2 == 0) ? wchar_t(u - 1) : c;  // ĺ ľ ł ń ň ź ż ž ...
        }
        if (u == 0x131 || u == 0x130 || u == 0x138 || u == 0x149 || u == 0x178 || u == 0x17F) {
            return c;  // dotless i, dotted I, kra, 'n, Ÿ, long s: no simple pair here
        }
        return (u % 2 == 1) ? wchar_t(u - 1) : c;  // ą ć ę ś ...
    }
    // Greek and Cyrillic basic letters.
    if (u >= 0x3B1 && u <= 0x3C9 && u != 0x3C2)
        return wchar_t(u - 0x20);
    if (u >= 0x430 && u <= 0x44F)
        return wchar_t(u - 0x20);
    if (u >= 0x450 && u <= 0x45F)
        return wchar_t(u - 0x50);
    return c;
}

std::wstring FoldUpper(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out)
        c = FoldUpper(c);
    return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldUpper(a[i]) != FoldUpper(b[i]))
            return false;
    }
    return true;
}

std::wstring FromUtf8(std::string_view text) {
    std::wstring out;
    size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        uint32_t cp = 0xFFFD;
        size_t len = 1;
        if (b0 < 0x80) {
            cp = b0;
        } else if ((b0 >> 5) == 0x6 && i + 1 < text.size()) {
            cp = ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            len = 2;
        } else if ((b0 >> 4) == 0xE && i + 2 < text.size()) {
            cp = ((b0 & 0x0Fu) << 12) | ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
            len = 3;
        } else if ((b0 >> 3) == 0x1E && i + 3 < text.size()) {
            cp = ((b0 & 0x07u) << 18) | ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 12) |
                 ((static_cast<unsigned char>(text[i + 2]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(text[i + 3]) & 0x3Fu);
            len = 4;
        }
        i += len;
        if (cp >= 0x10000 && sizeof(wchar_t) == 2) {
            cp -= 0x10000;
            out.push_back(wchar_t(0xD800 + (cp >> 10)));
            out.push_back(wchar_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(wchar_t(cp));
        }
    }
    return out;
}

std::string ToUtf8(std::wstring_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = static_cast<uint32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {
            const uint32_t lo = static_cast<uint32_t>(text[i + 1]);
            if (lo >= 0xDC00 && lo < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && (s.front() == L' ' || s.front() == L'\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == L' ' || s.back() == L'\t'))
        s.remove_suffix(1);
    return s;
}

}  // namespace klaxora
