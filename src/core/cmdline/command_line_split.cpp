#include "cmdline/command_line_split.h"

#include "util/text.h"

namespace klaxora {

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
    std::vector<std::wstring> parameters;
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    size_t i = 0;
    for (;;) {
        while (i < line.size() && blank(line[i]))
            ++i;
        if (i == line.size())
            break;
        std::wstring parameter;
        bool quoted = false;
        for (; i < line.size(); ++i) {
            const wchar_t c = line[i];
            if (c == L'"') {
                quoted = !quoted;
            } else if (!quoted && blank(c)) {
                break;
            } else {
                parameter.push_back(c);
            }
        }
        parameters.push_back(std::move(parameter));
    }
    return parameters;
}

std::vector<std::wstring> CommandLineListFor(std::wstring_view commandLine,
                                             std::wstring_view programPath) {
    // A Run entry or a hand-made shortcut may name this program bare although its path holds a
    // space; that stretch is still the program, not its first parameters.
    std::wstring replaced;
    const size_t start = commandLine.find_first_not_of(L" \t");
    if (start != std::wstring_view::npos && !programPath.empty()) {
        const std::wstring_view rest = commandLine.substr(start);
        if (rest.size() >= programPath.size() &&
            EqualsNoCase(rest.substr(0, programPath.size()), programPath) &&
            (rest.size() == programPath.size() || rest[programPath.size()] == L' ' ||
             rest[programPath.size()] == L'\t')) {
            replaced = L"\"\"" + std::wstring(rest.substr(programPath.size()));
            commandLine = replaced;
        }
    }
    std::vector<std::wstring> list = SplitCommandLine(commandLine);
    if (list.size() < 2)
        return {};
    // Entry 0 is the full path, however the program was named on the command line.
    list[0] = std::wstring(programPath);
    return list;
}

}  // namespace klaxora
