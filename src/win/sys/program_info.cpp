#include "win/sys/program_info.h"

#include <vector>

#include "app/startup.h"
#include "resources/resource_ids.h"
#include "win/sys/file_system_win.h"
#include "win/sys/system_library.h"

namespace klaxora::win {

HICON AppIcon(int size) {
    auto icon =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KLAXORA),
                                      IMAGE_ICON, size, size, LR_SHARED));
    if (!icon)
        icon = static_cast<HICON>(
            LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED));
    return icon;
}

std::wstring ProgramVersionText() {
    const std::wstring path = ExecutablePath();
    DWORD ignored = 0;
    const DWORD size = delayed::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size != 0) {
        std::vector<BYTE> block(size);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (delayed::GetFileVersionInfoW(path.c_str(), 0, size, block.data()) &&
            delayed::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info),
                                    &length) &&
            info && length >= sizeof(VS_FIXEDFILEINFO)) {
            return FormatFileVersion(HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                     HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
        }
    }
    return FormatFileVersion(0, 0, 0, 0);
}

}  // namespace klaxora::win
