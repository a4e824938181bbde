#pragma once
// Writing a shortcut (.lnk) through the shell's link object.
#include <cstdint>
#include <string_view>

namespace klaxora::win {

// Writes folder\name.lnk (one backslash between them) pointing at `target` with the given
// arguments, working folder, show command and icon; an existing file of that name is
// replaced. Throws a UserError when the link object cannot be had or the file cannot be
// written, so a folder without write permission does not pass in silence.
void CreateShellLink(std::wstring_view name, std::wstring_view folder, std::wstring_view target,
                     std::wstring_view arguments, std::wstring_view workingDirectory,
                     int showCommand, std::wstring_view iconPath, uint8_t iconIndex);

}  // namespace klaxora::win
