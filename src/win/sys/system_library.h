#pragma once
// System functions that only rarely used features need, taken from their DLL the first time
// one is called rather than imported. Every imported DLL is mapped and initialised before the
// first window appears; the common dialogs alone (with the printing support they pull in)
// cost a program that mostly sits in the notification area about 4 MB of private memory, and
// wininet, winmm and version add start-up time for calls most runs never make.
#include <windows.h>

#include <commdlg.h>
#include <mmsystem.h>

namespace klaxora::win {

// One system DLL, loaded from the system folder on first use and freed with its owner.
class SystemLibrary {
  public:
    explicit SystemLibrary(const wchar_t* name) : name_(name) {}
    ~SystemLibrary() {
        if (module_)
            FreeLibrary(module_);
    }
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // The export of that name as a pointer to F; null when the DLL or the export is missing.
    template <typename F>
    F* Find(const char* exportName) {
        if (!tried_) {
            tried_ = true;
            module_ = LoadLibraryExW(name_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        }
        if (!module_)
            return nullptr;
        return reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module_, exportName)));
    }

  private:
    const wchar_t* name_;
    HMODULE module_ = nullptr;
    bool tried_ = false;
};

// The functions, with the signatures of the system's own. When the DLL cannot be loaded each
// fails as the system's function reports failure (FALSE, 0, an MCI, wave-out or system error).
namespace delayed {
BOOL GetOpenFileNameW(OPENFILENAMEW* ofn);
BOOL InternetGetConnectedState(DWORD* flags, DWORD reserved);
DWORD GetFileVersionInfoSizeW(const wchar_t* path, DWORD* handle);
BOOL GetFileVersionInfoW(const wchar_t* path, DWORD handle, DWORD size, void* data);
BOOL VerQueryValueW(const void* block, const wchar_t* subBlock, void** buffer, UINT* length);
MCIERROR WINAPI mciSendCommandW(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                                DWORD_PTR parameters);
MMRESULT WINAPI waveOutSetVolume(HWAVEOUT device, DWORD volume);
DWORD WINAPI PowerGetActiveScheme(HKEY root, GUID** scheme);
DWORD WINAPI PowerReadACValueIndex(HKEY root, const GUID* scheme, const GUID* subgroup,
                                   const GUID* setting, DWORD* index);
DWORD WINAPI PowerReadDCValueIndex(HKEY root, const GUID* scheme, const GUID* subgroup,
                                   const GUID* setting, DWORD* index);
BOOLEAN WINAPI GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities);
}  // namespace delayed

}  // namespace klaxora::win
