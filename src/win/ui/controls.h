#pragma once
// The control kit: small typed wrappers of the standard controls the windows hold, each made
// one way, from its row of a layout table, with the reads and writes the windows do on it. A
// wrapper only names its child window, which the parent destroys, so it copies as the handle
// does and converts to it where the API wants one.
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "win/ui/layout.h"

namespace klaxora::win {

class Control {
  public:
    Control() = default;
    // A control made elsewhere (a test's, or one the system made): the same operations on it.
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}
    HWND Hwnd() const { return hwnd_; }
    operator HWND() const { return hwnd_; }

    // The one way a control is made: a visible child of `parent` of the class `cls` with its
    // id, its place (at 96 DPI, scaled by the window's), caption and style, in `font` (none:
    // the system's).
    void Create(const wchar_t* cls, HWND parent, UINT id, const Box& box, std::wstring_view text,
                DWORD style, HFONT font, DWORD exStyle = 0);

    std::wstring Text() const;
    void SetText(std::wstring_view text) const;
    // By the control's own flag: its parents may not be visible yet.
    bool OwnVisible() const;
    void SetVisible(bool visible) const;
    bool Enabled() const;
    void SetEnabled(bool enabled) const;
    // The width of a caption in the control's font, at the layout's scale (96 DPI).
    int TextWidth(std::wstring_view text) const;
    // A label that controls are laid into must not paint over them.
    void SendBehind() const;

  protected:
    HWND hwnd_ = nullptr;
};

class Label : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, UINT id, const Box& box, std::wstring_view text, HFONT font,
                DWORD style = SS_LEFT);
};

class GroupBox : public Control {
  public:
    void Create(HWND parent, UINT id, const Box& box, std::wstring_view text, HFONT font);
};

// Push buttons, check boxes, radio buttons and push-like toggles: a tab stop each.
class Button : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, UINT id, const Box& box, std::wstring_view text, HFONT font,
                DWORD style = BS_PUSHBUTTON);
    // A button whose face is a small drawn glyph; the caption stays its accessible name.
    void CreateGlyph(HWND parent, UINT id, const Box& box, std::wstring_view name, HFONT font,
                     HICON icon, DWORD style = BS_PUSHBUTTON);
    bool Checked() const;
    void SetChecked(bool checked) const;
};

class CheckBox : public Button {
  public:
    using Button::Button;
    void Create(HWND parent, UINT id, const Box& box, std::wstring_view text, HFONT font,
                DWORD style = BS_AUTOCHECKBOX) {
        Button::Create(parent, id, box, text, font, style);
    }
};

class Edit : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, UINT id, const Box& box, HFONT font, DWORD style = ES_AUTOHSCROLL);
    void SetLimit(size_t characters) const;
};

class ComboBox : public Control {
  public:
    using Control::Control;
    // `box.h` is the height of the opened list.
    void Create(HWND parent, UINT id, const Box& box, HFONT font, DWORD style);
    size_t Count() const;
    // Empty for an index the list does not hold.
    std::wstring ItemText(size_t index) const;
    // Empty when nothing is selected.
    std::wstring SelectedText() const;
    bool HasSelection() const;
    // The item whose text equals `text`, letter case ignored, never a mere prefix. A text that
    // is not in the list leaves no item selected. Whether an item is selected.
    bool SelectByText(std::wstring_view text) const;
    // The item whose text is exactly `text`, letter case included ("a" and "A" are different
    // keys); an empty text or one not in the list leaves no item selected.
    bool SelectExactly(std::wstring_view text) const;
    void Select(std::optional<size_t> index) const;
    void Add(std::wstring_view item) const;
    void AddItems(std::span<const std::wstring_view> items) const;
    void Clear() const;
    void SetLimit(size_t characters) const;
    // The opened list as wide as its widest item plus `margin`, never narrower than the box.
    void FitDroppedWidth(int margin) const;

  private:
    bool SelectFirst(std::wstring_view text,
                     bool (*same)(std::wstring_view, std::wstring_view)) const;
};

class ListView : public Control {
  public:
    using Control::Control;
    void Create(HWND parent, UINT id, const Box& box, HFONT font, DWORD style);
    int Count() const;
    std::wstring ItemText(int row, int column) const;
    std::optional<int> SelectedRow() const;
    // Selects and focuses the row, scrolled into view.
    void SelectRow(int row) const;
};

// A date or time picker; the local time stands for a picker without a valid time.
class DateTimePicker : public Control {
  public:
    void Create(HWND parent, UINT id, const Box& box, HFONT font, DWORD style);
    SYSTEMTIME Time() const;
    void SetTime(const SYSTEMTIME& time) const;
};

}  // namespace klaxora::win
