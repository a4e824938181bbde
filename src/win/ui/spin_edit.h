#pragma once
// A spin edit (an edit with an up-down control) that clamps every value it is given to its
// range, and the key filter that lets only digits and backspace into a numeric editor.
#include <windows.h>

#include <cstdint>

#include "util/spin_range.h"
#include "win/ui/controls.h"

namespace klaxora::win {

class SpinEdit {
  public:
    // `readOnly`: the text cannot be typed into, only changed by the arrows or the program.
    void Create(HWND parent, UINT id, const Box& box, SpinRange range, HFONT font,
                bool readOnly = false);
    HWND Edit() const { return edit_; }
    HWND UpDown() const { return upDown_; }
    operator HWND() const { return edit_; }

    // The value of the text, clamped to the range; text that is no number reads as the minimum.
    int64_t Value() const;
    void SetValue(int64_t value);
    void SetRange(SpinRange range);
    void SetLimit(size_t characters) const { edit_.SetLimit(characters); }
    // Rewrites the text as the clamped value when they differ (on leaving the editor).
    void Normalise();

  private:
    win::Edit edit_;
    Control upDown_;
    SpinRange range_{0, 0};
};

}  // namespace klaxora::win
