#include "cmdline/command_line_split.h"

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
    std::vector<std::wstring> list = SplitCommandLine(commandLine);
    if (list.size() < 2)
        return {};
    // Entry 0 is the full path, however the program was named on the command line.
    list[0] = std::wstring(programPath);
    return list;
}

}  // namespace klaxora
