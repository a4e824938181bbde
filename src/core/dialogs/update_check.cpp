#include "dialogs/update_check.h"

#include <array>

#include "config/time_text.h"
#include "util/text.h"

namespace klaxora {
namespace {

std::optional<std::array<int32_t, 4>> VersionParts(std::wstring_view text) {
    std::array<int32_t, 4> parts{};
    for (size_t i = 0; i < 4; ++i) {
        std::wstring_view part = text;
        if (i < 3) {
            const size_t dot = text.find(L'.');
            if (dot == std::wstring_view::npos) {
                // Fewer than four parts: the missing ones are empty and do not convert.
                return std::nullopt;
            }
            part = text.substr(0, dot);
            text.remove_prefix(dot + 1);
        }
        const auto number = ParseInteger(part);
        if (!number)
            return std::nullopt;
        parts[i] = *number;
    }
    return parts;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && EqualsAsciiNoCase(text.substr(0, prefix.size()), prefix);
}

// Calls `line` with each line of the text, without its end-of-line characters.
template <typename F>
void ForEachLine(std::wstring_view text, F&& line) {
    while (!text.empty()) {
        const size_t end = text.find_first_of(L"\r\n");
        line(text.substr(0, end));
        if (end == std::wstring_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::wstring_view> SectionName(std::wstring_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != L'[')
        return std::nullopt;
    const size_t close = line.find(L']');
    if (close == std::wstring_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

std::wstring_view Unquote(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

bool IsNewerVersion(std::wstring_view published, std::wstring_view current) {
    const auto p = VersionParts(published);
    const auto c = VersionParts(current);
    if (!p || !c)
        return false;
    for (size_t i = 0; i < 4; ++i) {
        if ((*p)[i] != (*c)[i])
            return (*p)[i] > (*c)[i];
    }
    return false;
}

bool IsWebAddress(std::wstring_view address) {
    if (address.size() > 2048)
        return false;
    // Printable ASCII only: a direction override, a no-break space or a look-alike letter would
    // show the user one address and open another.
    for (wchar_t c : address) {
        if (c <= L' ' || c >= 0x7F || c == L'"' || c == L'\\' || c == L'<' || c == L'>')
            return false;
    }
    std::wstring_view rest;
    if (StartsWithNoCase(address, L"http://"))
        rest = address.substr(7);
    else if (StartsWithNoCase(address, L"https://"))
        rest = address.substr(8);
    else
        return false;
    // The host: what stands before the path, the query or the fragment, less the user part and
    // the port.
    std::wstring_view host = rest.substr(0, rest.find_first_of(L"/?#"));
    if (const size_t at = host.rfind(L'@'); at != std::wstring_view::npos)
        host.remove_prefix(at + 1);
    if (const size_t colon = host.rfind(L':');
        colon != std::wstring_view::npos && host.find(L']', colon) == std::wstring_view::npos)
        host = host.substr(0, colon);
    return !host.empty();
}

std::wstring VersionFileAddress(std::optional<std::wstring_view> baseOverride) {
    const std::wstring_view base =
        baseOverride && IsWebAddress(*baseOverride) ? *baseOverride : kUpdateBaseAddress;
    return std::wstring(base) + std::wstring(kVersionFileName);
}

bool IniHasSection(std::wstring_view text, std::wstring_view section) {
    bool found = false;
    ForEachLine(text, [&](std::wstring_view line) {
        const auto name = SectionName(line);
        if (name && EqualsNoCase(*name, section))
            found = true;
    });
    return found;
}

std::optional<std::wstring> IniValue(std::wstring_view text, std::wstring_view section,
                                     std::wstring_view key) {
    std::optional<std::wstring> value;
    bool inSection = false;
    bool sectionSeen = false;
    ForEachLine(text, [&](std::wstring_view line) {
        if (value)
            return;
        if (const auto name = SectionName(line)) {
            // Only the first section of the name is looked at, as the system's reader does.
            inSection = !sectionSeen && EqualsNoCase(*name, section);
            sectionSeen = sectionSeen || inSection;
            return;
        }
        if (!inSection)
            return;
        const std::wstring_view trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == L';')
            return;
        const size_t equals = trimmed.find(L'=');
        if (equals == std::wstring_view::npos)
            return;
        if (EqualsNoCase(Trim(trimmed.substr(0, equals)), key))
            value = std::wstring(Unquote(Trim(trimmed.substr(equals + 1))));
    });
    return value;
}

void ApplyVersionFile(UpdateInfo& info, const std::optional<std::wstring>& file) {
    namespace vf = version_file;
    info.homePage = std::wstring(kBuiltInHomePage);
    if (!file || !IniHasSection(*file, vf::kProgramSection)) {
        info.downloadAddress.clear();
        info.description.clear();
    }
    if (!file)
        return;
    if (auto home = IniValue(*file, vf::kMakerSection, vf::kHomePageKey);
        home && IsWebAddress(*home))
        info.homePage = std::move(*home);
    if (auto version = IniValue(*file, vf::kProgramSection, vf::kVersionKey))
        info.publishedVersion = std::move(*version);
    if (auto url = IniValue(*file, vf::kProgramSection, vf::kUrlKey); url && IsWebAddress(*url))
        info.downloadAddress = std::move(*url);
    if (auto description = IniValue(*file, vf::kProgramSection, vf::kNewKey))
        info.description = std::move(*description);
}

bool OffersUpdate(const UpdateInfo& info, std::wstring_view programVersion) {
    return IsNewerVersion(info.publishedVersion, programVersion) &&
           IsWebAddress(info.downloadAddress);
}

}  // namespace klaxora
