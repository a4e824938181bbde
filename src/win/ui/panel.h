#pragma once
// A plain child window that holds other controls: the notebook pages, the action panels and
// the two group boxes. It fills itself with one colour, may draw a group frame with its
// caption, colours its labels, and builds its controls the first time it is shown.
//
// A panel handles the commands and notifications of its own controls (OnCommand and OnNotify
// of the window base, by control id); whatever it does not handle goes up to the top-level
// window, so the window handles the controls it places on a plain panel (the group boxes).
#include <functional>
#include <optional>
#include <string>

#include "win/sys/handles.h"
#include "win/ui/controls.h"
#include "win/ui/layout.h"
#include "win/ui/window.h"

namespace klaxora::win {

// The text of an edit on a panel that may not be built yet: written into the edit when it
// exists, kept until then. Writing a value (the restore, the command line) then builds
// nothing; the panel's Build hands the kept text to the new edit.
class HeldText {
  public:
    void Set(HWND edit, const std::wstring& text);
    // The edit's text, or the kept one (empty when none) while there is no edit.
    std::wstring Get(HWND edit) const;
    // The edit exists now: it takes the kept text.
    void Apply(HWND edit);

  private:
    std::optional<std::wstring> text_;
};

// The chosen item of a drop-down list on a panel that may not be built yet, kept as HeldText
// keeps an edit's text. The item is matched exactly, letter case included.
class HeldChoice {
  public:
    void Set(const ComboBox& list, std::wstring_view item);
    // The list's chosen item, or the kept one (empty when none) while there is no list.
    std::wstring Get(const ComboBox& list) const;
    // The list exists now and holds its items: it takes the kept choice.
    void Apply(const ComboBox& list);

  private:
    std::optional<std::wstring> item_;
};

// A drop-down list's command, handled by the panel that holds the list: a new choice runs
// `changed`. Always true.
bool ListCommand(UINT code, const std::function<void()>& changed);

class Panel : public Window {
  public:
    // `frame`: draw an etched group frame with the window text as its caption. A panel is
    // created hidden unless `visible`; showing it builds its controls. `colour` is its fill
    // outside high contrast; with high contrast on it takes the palette's.
    void Create(HWND parent, const Box& box, COLORREF colour, bool visible = false,
                const wchar_t* caption = L"", bool frame = false, HFONT font = nullptr);
    void SetCaption(const std::wstring& caption);

    // Shows (building the controls the first time) or hides the panel.
    void SetShown(bool shown);
    // Shown while its window is still hidden, without building the controls: showing it again
    // (or writing to it) builds them.
    void ShowUnbuilt();
    bool Shown() const;
    // A plain group whose controls the window itself handles: their commands go up to it.
    // Any other panel keeps its controls' commands to itself.
    void SendCommandsToWindow() { commandsToWindow_ = true; }
    // Builds the controls unless they exist: for writing into them from outside.
    void EnsureBuilt();
    bool Built() const { return built_; }
    // The text colour of a control of the panel, from the current palette; unset: the
    // palette's text colour for the groups.
    std::function<COLORREF(HWND control)> TextColourOf;
    // Run once the controls exist: what the owner keeps for them while the panel is unbuilt.
    std::function<void()> AfterBuild;

  protected:
    // Creates the controls; called once, the first time the panel is shown or written.
    virtual void Build() {}
    // The text colour of a label or check box outside high contrast; the default asks
    // TextColourOf. With high contrast on, only TextColourOf (which reads the palette) is asked.
    virtual COLORREF TextColour(HWND control) const;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint(HDC dc);
    LRESULT PassUp(UINT msg, WPARAM wParam, LPARAM lParam);
    // The fill for the palette in force: the brush follows a change of colour.
    HBRUSH Brush(COLORREF fill);
    BrushHandle brush_;
    COLORREF colour_ = 0;
    COLORREF brushColour_ = 0;
    bool frame_ = false;
    HFONT font_ = nullptr;
    bool built_ = false;
    bool commandsToWindow_ = false;
};

}  // namespace klaxora::win
