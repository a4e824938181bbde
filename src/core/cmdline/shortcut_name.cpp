#include "cmdline/shortcut_name.h"

#include "cmdline/cmdline_texts.h"
#include "util/text.h"

namespace klaxora {
namespace {

// Control characters and the dot above "˙" (byte 0xFF of the Polish code page) are left out of
// a name.
bool IsRemovable(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == L'\u02D9';
}

bool IsForbidden(wchar_t c) {
    return IsRemovable(c) || std::wstring_view(L";\\/<>|*?\":").find(c) != std::wstring_view::npos;
}

// Names Windows keeps for devices, with or without an extension.
bool IsDeviceName(std::wstring_view name) {
    const std::wstring_view base = Trim(name.substr(0, name.find(L'.')));
    for (std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL"}) {
        if (EqualsAsciiNoCase(base, device))
            return true;
    }
    if (base.size() == 4 && base[3] >= L'1' && base[3] <= L'9') {
        const std::wstring_view stem = base.substr(0, 3);
        return EqualsAsciiNoCase(stem, L"COM") || EqualsAsciiNoCase(stem, L"LPT");
    }
    return false;
}

}  // namespace

std::wstring SanitizeShortcutName(std::wstring_view name) {
    size_t start = 0;
    while (start < name.size() && (name[start] == L' ' || IsRemovable(name[start])))
        ++start;
    const std::wstring_view trimmed = name.substr(start);
    std::wstring cleaned;
    for (wchar_t c : trimmed) {
        if (!IsForbidden(c))
            cleaned.push_back(c);
    }
    // Spaces are collapsed only when the name itself held a double space; spaces that meet
    // because a character between them was removed otherwise stay.
    if (trimmed.find(L"  ") == std::wstring_view::npos)
        return cleaned;
    std::wstring collapsed;
    for (wchar_t c : cleaned) {
        if (c == L' ' && !collapsed.empty() && collapsed.back() == L' ')
            continue;
        collapsed.push_back(c);
    }
    return collapsed;
}

std::array<std::wstring, 8> ShortcutNameSuggestions(TriggerKind trigger,
                                                    std::optional<ActionKind> action) {
    const std::wstring triggerCaption = TriggerListText(trigger);
    const std::wstring actionCaption = action ? std::wstring(Info(*action).caption) : L"";
    return {
        L"Skrót do programu Klaxora",
        L"Skrót do programu Klaxora uruchamiający " + actionCaption,
        L"Skrót uruchamiający odliczanie",
        L"Skrót uruchamiający Klaxora",
        L"Skrót uruchamiający program Klaxora",
        triggerCaption + L" - " + actionCaption,
        L"Skrót uruchamiający Klaxora - " + triggerCaption,
        L"Skrót uruchamiający Klaxora i odliczający czas",
    };
}

std::wstring ShortcutFilePath(std::wstring_view folder, std::wstring_view name) {
    std::wstring path(folder);
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    return path + std::wstring(name) + L".lnk";
}

ShortcutFile PlanShortcutFile(std::wstring_view folder, std::wstring_view typedName) {
    ShortcutFile file;
    file.name = SanitizeShortcutName(typedName);
    if (folder.empty()) {
        file.refusal = cmdline::kRefuseNoFolder;
    } else if (Trim(file.name).empty()) {
        // Nothing but spaces would make a file called " .lnk".
        file.refusal = cmdline::kRefuseEmptyName;
    } else if (IsDeviceName(file.name)) {
        file.refusal = cmdline::kRefuseReservedName;
    } else {
        file.path = ShortcutFilePath(folder, file.name);
    }
    return file;
}

}  // namespace klaxora
