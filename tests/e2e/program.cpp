#include "e2e/program.h"

#include <shellapi.h>

namespace klaxora::e2e {

std::wstring ProgramPath() {
    wchar_t self[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    std::wstring dir(self);
    dir.resize(dir.find_last_of(L'\\') + 1);
    return dir + L"Klaxora.exe";
}

RunningProgram::RunningProgram(const std::wstring& arguments, const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_)) {
        info_ = {};
    }
}

RunningProgram::~RunningProgram() {
    Kill();
    if (info_.hThread)
        CloseHandle(info_.hThread);
    if (info_.hProcess)
        CloseHandle(info_.hProcess);
}

bool RunningProgram::WaitIdle(DWORD ms) const {
    return info_.hProcess && WaitForInputIdle(info_.hProcess, ms) == 0;
}

bool RunningProgram::WaitExit(DWORD ms) const {
    return !info_.hProcess || WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
}

bool RunningProgram::Close(DWORD ms) {
    if (HWND main = FindWindowOf(L"TF_Glowna", L"", 0))
        PostMessageW(main, WM_CLOSE, 0, 0);
    return WaitExit(ms);
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void RunningProgram::Kill() {
    if (info_.hProcess && !WaitExit(0)) {
        TerminateProcess(info_.hProcess, 1);
        WaitExit(5000);
    }
}

std::vector<HWND> WindowsOfProcess(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->pid)
                s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND ComboListing(HWND window, const std::wstring& item) {
    for (HWND c : Descendants(window)) {
        if (ClassName(c) == L"ComboBox" &&
            SendMessageW(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(item.c_str())) != CB_ERR)
            return c;
    }
    return nullptr;
}

void Pick(HWND combo, const std::wstring& item) {
    SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[1024] = {};
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return buffer;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring found;
    for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child;
         child = FindWindowExW(box, child, L"Static", nullptr)) {
        const std::wstring text = WindowText(child);
        if (!text.empty())
            found = text;
    }
    return found;
}

HWND RunningProgram::FindWindowOf(const std::wstring& className, const std::wstring& title,
                                  DWORD waitMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND hwnd : WindowsOfProcess(Id())) {
            if (ClassName(hwnd) == className && (title.empty() || WindowText(hwnd) == title)) {
                return hwnd;
            }
        }
        if (GetTickCount() - start >= waitMs)
            return nullptr;
        Sleep(50);
    }
}

HWND RunningProgram::FindVisibleWindowOf(const std::wstring& className, DWORD waitMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND hwnd : WindowsOfProcess(Id())) {
            if (IsWindowVisible(hwnd) && ClassName(hwnd) == className)
                return hwnd;
        }
        if (GetTickCount() - start >= waitMs)
            return nullptr;
        Sleep(50);
    }
}

std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray)
        return icons;
    for (HWND child = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr); child;
         child = FindWindowExW(tray, child, L"__winex11_tray_icon", nullptr)) {
        icons.push_back(child);
    }
    return icons;
}

HWND WaitNewTrayIcon(const std::vector<HWND>& before, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND icon : TrayIcons()) {
            bool known = false;
            for (HWND old : before)
                known = known || old == icon;
            if (!known)
                return icon;
        }
        if (GetTickCount() - start >= ms)
            return nullptr;
        Sleep(50);
    }
}

void ClickTrayIcon(HWND icon, bool secondary) {
    const LPARAM at = MAKELPARAM(8, 8);
    PostMessageW(icon, secondary ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                 secondary ? MK_RBUTTON : MK_LBUTTON, at);
    PostMessageW(icon, secondary ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

HWND WaitPopupMenu(DWORD pid, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND hwnd : WindowsOfProcess(pid)) {
            if (IsWindowVisible(hwnd) && ClassName(hwnd) == L"#32768")
                return hwnd;
        }
        if (GetTickCount() - start >= ms)
            return nullptr;
        Sleep(50);
    }
}

void PressKeyInMenu(HWND menu, UINT virtualKey) {
    PostMessageW(menu, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(menu, WM_KEYUP, virtualKey, 0xC0000001);
}

namespace {
const wchar_t* const kSettings = L"Software\\Vantrelix\\Klaxora";
}

void DeleteSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettings);
}

std::optional<std::vector<StoredValue>> ReadKey(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<StoredValue> values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        BYTE data[8192] = {};
        DWORD size = sizeof(data) - 2;
        DWORD type = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        StoredValue value{std::wstring(name, nameLength), type, {}, 0};
        if (type == REG_SZ || type == REG_EXPAND_SZ) {
            value.text = reinterpret_cast<const wchar_t*>(data);
        } else if (type == REG_DWORD) {
            value.number = *reinterpret_cast<const DWORD*>(data);
        }
        values.push_back(value);
    }
    RegCloseKey(key);
    return values;
}

std::vector<std::wstring> ValueNames(const std::wstring& path) {
    std::vector<std::wstring> names;
    if (const auto values = ReadKey(path)) {
        for (const auto& v : *values)
            names.push_back(v.name);
    }
    return names;
}

std::vector<std::wstring> SubkeyNames(const std::wstring& path) {
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return names;
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

namespace {
void SetValue(const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
}
}  // namespace

void WriteDword(const std::wstring& path, const std::wstring& name, DWORD value) {
    SetValue(path, name, REG_DWORD, &value, sizeof(value));
}

void WriteString(const std::wstring& path, const std::wstring& name, const std::wstring& text) {
    SetValue(path, name, REG_SZ, text.c_str(),
             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void DeleteValue(const std::wstring& path, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, name.c_str());
        RegCloseKey(key);
    }
}

int TrayMenuHeight(const RunningProgram& program, HWND icon) {
    ClickTrayIcon(icon, true);
    const HWND menu = WaitPopupMenu(program.Id());
    if (!menu)
        return -1;
    RECT r{};
    GetWindowRect(menu, &r);
    PressKeyInMenu(menu, VK_ESCAPE);
    WaitFor([menu] { return !IsWindowVisible(menu); }, 5000);
    return r.bottom - r.top;
}

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        Sleep(50);
    }
    return true;
}

}  // namespace klaxora::e2e
