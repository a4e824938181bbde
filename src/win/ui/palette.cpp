#include "win/ui/palette.h"

#include "win/sys/test_seams.h"

namespace klaxora::win {

bool HighContrastOn() {
    // Wine cannot switch high contrast on: the tests' build lets the environment say it is.
    if (TestSeamValue(TestSeam::HighContrast) == L"1")
        return true;
    HIGHCONTRASTW state{};
    state.cbSize = sizeof(state);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(state), &state, 0) &&
           (state.dwFlags & HCF_HIGHCONTRASTON);
}

Palette CurrentPalette() {
    const SystemColours system{
        .window = GetSysColor(COLOR_WINDOW),
        .windowText = GetSysColor(COLOR_WINDOWTEXT),
        .face = GetSysColor(COLOR_BTNFACE),
        .faceText = GetSysColor(COLOR_BTNTEXT),
        .grayText = GetSysColor(COLOR_GRAYTEXT),
        .hotLight = GetSysColor(COLOR_HOTLIGHT),
    };
    return ChoosePalette(HighContrastOn(), system);
}

bool ColoursMayHaveChanged(UINT msg, WPARAM wParam) {
    return msg == WM_SYSCOLORCHANGE || (msg == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST);
}

void RepaintInNewColours(HWND window) {
    EnumChildWindows(
        window,
        [](HWND child, LPARAM) {
            SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
            return TRUE;
        },
        0);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace klaxora::win
