#pragma once
// Splitting a command line the way our shortcuts write it: each parameter is enclosed in
// double quotes without any escaping, so a double quote only opens or closes a quoted stretch
// and a backslash is an ordinary character. A folder such as "C:\" thus arrives whole, which
// the system's usual splitting (a backslash before a quote escapes it) would break.
#include <string>
#include <string_view>
#include <vector>

namespace klaxora {

// Every parameter of the line, the program as typed first. Spaces and tabs outside quotes
// separate parameters; "" is an empty parameter.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

// CommandLineList: the program's full path followed by the parameters when there is at least
// one parameter, otherwise nothing.
std::vector<std::wstring> CommandLineListFor(std::wstring_view commandLine,
                                             std::wstring_view programPath);

}  // namespace klaxora
