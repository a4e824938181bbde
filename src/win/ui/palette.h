#pragma once
// The palette as the system stands now. High contrast and the system colours are read each
// time a window paints, so a window repainted after WM_SYSCOLORCHANGE or WM_SETTINGCHANGE
// shows the new colours; nothing holds the old ones.
#include <windows.h>

#include "util/palette.h"

namespace klaxora::win {

bool HighContrastOn();
Palette CurrentPalette();

// Whether a message of a top-level window says the colours may have changed.
bool ColoursMayHaveChanged(UINT msg, WPARAM wParam);
// Repaints a top-level window and all it holds in the new colours; its controls hear of the
// change as the system tells only top-level windows.
void RepaintInNewColours(HWND window);

}  // namespace klaxora::win
