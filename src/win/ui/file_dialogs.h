#pragma once
// The system's file-open dialog and folder picker.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace klaxora::win {

// `filter` is written as "Name|*.a;*.b|Name 2|*.c"; `mustExist`: the file must exist (the
// folder must exist in every case).
std::optional<std::wstring> ChooseFile(HWND owner, std::wstring_view filter,
                                       const std::wstring& current, bool mustExist);
std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& current);

}  // namespace klaxora::win
