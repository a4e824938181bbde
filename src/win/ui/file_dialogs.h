#pragma once
// The system's file-open dialog and folder picker, and opening a document through the shell.
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

// Opens a document or address through the shell with the verb "open"; a refusal is shown in
// the standard error box.
void ShellOpen(HWND owner, const std::wstring& target, int showCommand);

// How the windows open documents and addresses: the shell (ShellOpen) in the program, a
// recorder in the tests.
class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    virtual void Open(HWND owner, const std::wstring& target, int showCommand) = 0;
};

class ShellDocuments : public DocumentOpener {
  public:
    void Open(HWND owner, const std::wstring& target, int showCommand) override {
        ShellOpen(owner, target, showCommand);
    }
};

}  // namespace klaxora::win
