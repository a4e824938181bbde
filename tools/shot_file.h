#pragma once
// What the screenshot tools share: pumping the windows' messages for a while, and saving a
// window's rectangle on the screen as a bitmap file (the screenshot script makes PNGs of them).
#include <windows.h>

#include <cstdio>
#include <string>

namespace shots {

inline void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

inline void WriteBmp(HDC dc, HBITMAP bmp, int w, int h, const std::wstring& path) {
    BITMAPINFOHEADER bi{sizeof(bi), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = ((w * 3 + 3) / 4) * 4;
    std::string pixels(static_cast<size_t>(stride) * h, '\0');
    GetDIBits(dc, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(bi) + pixels.size()), 0, 0,
                        sizeof(fh) + sizeof(bi)};
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (f) {
        fwrite(&fh, sizeof(fh), 1, f);
        fwrite(&bi, sizeof(bi), 1, f);
        fwrite(pixels.data(), 1, pixels.size(), f);
        fclose(f);
    }
}

// The window's rectangle on the screen, as a 24-bit bitmap file.
inline void Save(HWND hwnd, const std::wstring& path, int margin = 10) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    const int w = rc.right - rc.left + 2 * margin, h = rc.bottom - rc.top + 2 * margin;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, bmp);
    BitBlt(dc, 0, 0, w, h, screen, rc.left - margin, rc.top - margin, SRCCOPY);
    SelectObject(dc, old);
    WriteBmp(dc, bmp, w, h, path);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

}  // namespace shots
