#include "win/sys/system_library.h"

#include <commdlg.h>
#include <powrprof.h>
#include <wininet.h>

namespace klaxora::win {
namespace {

SystemLibrary& CommonDialogs() {
    static SystemLibrary library(L"comdlg32.dll");
    return library;
}
SystemLibrary& Internet() {
    static SystemLibrary library(L"wininet.dll");
    return library;
}
SystemLibrary& Version() {
    static SystemLibrary library(L"version.dll");
    return library;
}
SystemLibrary& Multimedia() {
    static SystemLibrary library(L"winmm.dll");
    return library;
}
SystemLibrary& Power() {
    static SystemLibrary library(L"powrprof.dll");
    return library;
}

}  // namespace

namespace delayed {

BOOL GetOpenFileNameW(OPENFILENAMEW* ofn) {
    static auto* f = CommonDialogs().Find<decltype(::GetOpenFileNameW)>("GetOpenFileNameW");
    return f ? f(ofn) : FALSE;
}

BOOL InternetGetConnectedState(DWORD* flags, DWORD reserved) {
    static auto* f =
        Internet().Find<decltype(::InternetGetConnectedState)>("InternetGetConnectedState");
    return f ? f(flags, reserved) : FALSE;
}

DWORD GetFileVersionInfoSizeW(const wchar_t* path, DWORD* handle) {
    static auto* f = Version().Find<decltype(::GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
    return f ? f(path, handle) : 0;
}

BOOL GetFileVersionInfoW(const wchar_t* path, DWORD handle, DWORD size, void* data) {
    static auto* f = Version().Find<decltype(::GetFileVersionInfoW)>("GetFileVersionInfoW");
    return f ? f(path, handle, size, data) : FALSE;
}

BOOL VerQueryValueW(const void* block, const wchar_t* subBlock, void** buffer, UINT* length) {
    static auto* f = Version().Find<decltype(::VerQueryValueW)>("VerQueryValueW");
    return f ? f(block, subBlock, buffer, length) : FALSE;
}

MCIERROR WINAPI mciSendCommandW(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                                DWORD_PTR parameters) {
    static auto* f = Multimedia().Find<decltype(::mciSendCommandW)>("mciSendCommandW");
    return f ? f(device, message, flags, parameters) : MCIERR_CANNOT_LOAD_DRIVER;
}

MMRESULT WINAPI waveOutSetVolume(HWAVEOUT device, DWORD volume) {
    static auto* f = Multimedia().Find<decltype(::waveOutSetVolume)>("waveOutSetVolume");
    return f ? f(device, volume) : MMSYSERR_ERROR;
}

DWORD WINAPI PowerGetActiveScheme(HKEY root, GUID** scheme) {
    static auto* f = Power().Find<decltype(::PowerGetActiveScheme)>("PowerGetActiveScheme");
    return f ? f(root, scheme) : ERROR_PROC_NOT_FOUND;
}

DWORD WINAPI PowerReadACValueIndex(HKEY root, const GUID* scheme, const GUID* subgroup,
                                   const GUID* setting, DWORD* index) {
    static auto* f = Power().Find<decltype(::PowerReadACValueIndex)>("PowerReadACValueIndex");
    return f ? f(root, scheme, subgroup, setting, index) : ERROR_PROC_NOT_FOUND;
}

DWORD WINAPI PowerReadDCValueIndex(HKEY root, const GUID* scheme, const GUID* subgroup,
                                   const GUID* setting, DWORD* index) {
    static auto* f = Power().Find<decltype(::PowerReadDCValueIndex)>("PowerReadDCValueIndex");
    return f ? f(root, scheme, subgroup, setting, index) : ERROR_PROC_NOT_FOUND;
}

BOOLEAN WINAPI GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities) {
    static auto* f = Power().Find<decltype(::GetPwrCapabilities)>("GetPwrCapabilities");
    return f ? f(capabilities) : FALSE;
}

}  // namespace delayed
}  // namespace klaxora::win
