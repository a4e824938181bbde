// Tells whether handles that pile up around sound playback are the program's or the system's:
// a bare MCI client, with none of the program's code, plays a file N times on one open device
// and then opens, plays and closes it N times, printing its own handles after each. Growth in
// the second line and not the first belongs to the system's player of that file type.
//
//   mci_reopen <sound file> [n=30]
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <string>

#include "listed_handles.h"

namespace {

MCIDEVICEID Open(const std::wstring& file) {
    MCI_OPEN_PARMSW open{};
    open.lpstrElementName = file.c_str();
    if (mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&open)) != 0)
        return 0;
    return open.wDeviceID;
}

void Close(MCIDEVICEID device) {
    MCI_GENERIC_PARMS close{};
    mciSendCommandW(device, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
}

// Played with an end report to a window, as the program plays, then stopped.
void PlayAndStop(MCIDEVICEID device, HWND reports) {
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(reports);
    mciSendCommandW(device, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
    MCI_GENERIC_PARMS stop{};
    mciSendCommandW(device, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&stop));
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: mci_reopen <sound file> [n]\n");
        return 2;
    }
    const std::wstring file = argv[1];
    const int n = argc > 2 ? _wtoi(argv[2]) : 30;
    const HWND reports =
        CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const DWORD self = GetCurrentProcessId();
    MCIDEVICEID device = Open(file);
    if (!device) {
        std::fwprintf(stderr, L"cannot open %ls\n", file.c_str());
        return 1;
    }
    PlayAndStop(device, reports);  // the first play loads what stays loaded
    const long first = ListedHandles(self);
    for (int i = 0; i < n; ++i)
        PlayAndStop(device, reports);
    const long played = ListedHandles(self);
    for (int i = 0; i < n; ++i) {
        Close(device);
        device = Open(file);
        PlayAndStop(device, reports);
    }
    const long reopened = ListedHandles(self);
    Close(device);
    std::wprintf(
        L"%ls: %d plays on one device %+ld handles; %d open-play-close %+ld handles "
        L"(%.1f each)\n",
        file.c_str(), n, played - first, n, reopened - played,
        static_cast<double>(reopened - played) / n);
    return 0;
}
