#pragma once
// Paths longer than the system's classic limit. The manifest declares the program long-path
// aware, but Windows honours that only where an administrator enabled long paths; the extended
// form ("\\?\") is taken at any length everywhere.
#include <cstddef>
#include <string>
#include <string_view>

namespace klaxora {

// The classic limit, the terminating zero included: a path of this length or more fails.
inline constexpr size_t kClassicPathLimit = 260;

// The extended form of a full path ("C:\..." or "\\server\share\...") that reaches the limit,
// its forward slashes turned back, since the extended form takes a path exactly as written.
// Anything else (shorter, already extended, a device path, not a full path) is returned as
// given.
std::wstring ExtendedLengthPath(std::wstring_view fullPath);

}  // namespace klaxora
