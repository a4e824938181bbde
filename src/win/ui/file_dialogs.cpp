#include "win/ui/file_dialogs.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <vector>

#include "win/sys/handles.h"
#include "win/sys/system_error.h"
#include "win/sys/system_library.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace {
const std::wstring kCannotOpen = L"Nie można otworzyć: ";
}  // namespace

std::optional<std::wstring> ChooseFile(HWND owner, std::wstring_view filter,
                                       const std::wstring& current, bool mustExist) {
    std::wstring pairs(filter);
    for (wchar_t& c : pairs) {
        if (c == L'|')
            c = L'\0';
    }
    pairs.push_back(L'\0');
    pairs.push_back(L'\0');
    std::vector<wchar_t> name(32768, L'\0');
    current.copy(name.data(), std::min(current.size(), name.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = pairs.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR |
                (mustExist ? OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST : 0);
    if (!delayed::GetOpenFileNameW(&ofn))
        return std::nullopt;
    return std::wstring(name.data());
}

std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& current) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(dialog.Put())))) {
        return std::nullopt;
    }
    DWORD options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    if (!current.empty()) {
        ComPtr<IShellItem> start;
        if (SUCCEEDED(
                SHCreateItemFromParsingName(current.c_str(), nullptr, IID_PPV_ARGS(start.Put())))) {
            dialog->SetFolder(start.Get());
        }
    }
    if (FAILED(dialog->Show(owner)))
        return std::nullopt;
    ComPtr<IShellItem> item;
    if (FAILED(dialog->GetResult(item.Put())))
        return std::nullopt;
    CoTaskMem<PWSTR> path;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, path.Put())))
        return std::nullopt;
    return std::wstring(path.Get());
}

void ShellOpen(HWND owner, const std::wstring& target, int showCommand) {
    // The refusal is ours to show, once, not also the shell's.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = target.c_str();
    info.nShow = showCommand;
    if (!ShellExecuteExW(&info))
        ShowStandardError(kCannotOpen + target + L"\r\n" + SystemErrorMessage(GetLastError()));
}

}  // namespace klaxora::win
