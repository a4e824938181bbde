#pragma once
// Small wrappers of standard controls used by the configuration window: a spin edit (an edit
// with an up-down control) that clamps every value it is given to its range, and the key
// filter that lets only digits and backspace into a numeric editor.
#include <windows.h>

#include <cstdint>

#include "config/time_text.h"

namespace klaxora::win {

// Discards every typed character other than "0".."9" and backspace.
void InstallDigitFilter(HWND edit);

class SpinEdit {
  public:
    // `readOnly`: the text cannot be typed into, only changed by the arrows or the program.
    void Create(HWND parent, int id, int x, int y, int width, int height, SpinRange range,
                bool readOnly = false);
    HWND Edit() const { return edit_; }
    HWND UpDown() const { return upDown_; }
    operator HWND() const { return edit_; }

    // The value of the text, clamped to the range; text that is no number reads as the minimum.
    int64_t Value() const;
    void SetValue(int64_t value);
    void SetRange(SpinRange range);
    // Rewrites the text as the clamped value when they differ (on leaving the editor).
    void Normalise();
    void Enable(bool enabled) const;
    void Show(bool visible) const;

  private:
    HWND edit_ = nullptr;
    HWND upDown_ = nullptr;
    SpinRange range_{0, 0};
};

}  // namespace klaxora::win
