#include "win/sys/shell_link.h"

#include <windows.h>
#include <objbase.h>
#include <shobjidl.h>

#include <string>

#include "cmdline/cmdline_texts.h"
#include "cmdline/shortcut_name.h"
#include "util/user_error.h"
#include "win/sys/handles.h"
#include "win/sys/system_error.h"

namespace klaxora::win {
void CreateShellLink(std::wstring_view name, std::wstring_view folder, std::wstring_view target,
                     std::wstring_view arguments, std::wstring_view workingDirectory,
                     int showCommand, std::wstring_view iconPath, uint8_t iconIndex) {
    ComPtr<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(link.Put()));
    ComPtr<IPersistFile> file;
    if (SUCCEEDED(hr))
        hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()));
    if (FAILED(hr)) {
        throw UserError(std::wstring(cmdline::kShellLinkUnavailable) +
                        SystemErrorText(static_cast<DWORD>(hr)));
    }
    // Whatever a setter rejects shows in the saved file; only the save decides success.
    link->SetPath(std::wstring(target).c_str());
    link->SetArguments(std::wstring(arguments).c_str());
    link->SetWorkingDirectory(std::wstring(workingDirectory).c_str());
    link->SetShowCmd(showCommand);
    link->SetIconLocation(std::wstring(iconPath).c_str(), iconIndex);
    const std::wstring path = ShortcutFilePath(folder, name);
    hr = file->Save(path.c_str(), FALSE);
    if (FAILED(hr)) {
        throw UserError(std::wstring(cmdline::kShellLinkNotSaved) + path + L": " +
                        SystemErrorText(static_cast<DWORD>(hr)));
    }
}

}  // namespace klaxora::win
