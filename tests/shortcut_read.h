#pragma once
// Reads a shortcut back through the shell's own link object, as Explorer would: what the tests
// of the shortcut writer and of the shortcut dialog compare with what was meant.
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace klaxora::testing {

struct ShortcutRead {
    bool loaded = false;  // the shell could open the file as a shortcut
    std::wstring path, arguments, workingDirectory, iconPath;
    int showCommand = -1;
    int iconIndex = -1;
};

inline ShortcutRead ReadShortcut(const std::wstring& file) {
    ShortcutRead out;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return out;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
            out.loaded = true;
            wchar_t buffer[INFOTIPSIZE] = {};
            link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
            out.path = buffer;
            buffer[0] = 0;
            link->GetArguments(buffer, INFOTIPSIZE);
            out.arguments = buffer;
            buffer[0] = 0;
            link->GetWorkingDirectory(buffer, MAX_PATH);
            out.workingDirectory = buffer;
            buffer[0] = 0;
            link->GetIconLocation(buffer, MAX_PATH, &out.iconIndex);
            out.iconPath = buffer;
            link->GetShowCmd(&out.showCommand);
        }
        persist->Release();
    }
    link->Release();
    return out;
}

}  // namespace klaxora::testing
