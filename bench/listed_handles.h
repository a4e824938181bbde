#pragma once
// The handles a process holds, from the system's list of every handle. Under Wine this is
// wineserver's list, the one count of another process's handles Wine gives.
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <vector>

// -1 when the list cannot be read.
inline long ListedHandles(DWORD pid) {
    struct Entry {
        PVOID object;
        ULONG_PTR process;
        ULONG_PTR handle;
        ULONG access;
        USHORT backTrace;
        USHORT type;
        ULONG attributes;
        ULONG reserved;
    };
    struct List {
        ULONG_PTR count;
        ULONG_PTR reserved;
        Entry entries[1];
    };
    using Query = NTSTATUS(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return -1;
    constexpr ULONG kExtendedHandleInformation = 64;
    std::vector<unsigned char> buffer(1 << 20);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ULONG needed = 0;
        const NTSTATUS status = query(kExtendedHandleInformation, buffer.data(),
                                      static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<NTSTATUS>(0xC0000004L)) {  // too small
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 65536));
            continue;
        }
        if (status != 0)
            return -1;
        const auto* list = reinterpret_cast<const List*>(buffer.data());
        long n = 0;
        for (ULONG_PTR i = 0; i < list->count; ++i) {
            if (list->entries[i].process == pid)
                ++n;
        }
        return n;
    }
    return -1;
}
