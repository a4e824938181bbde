#pragma once
// A dialog that stands over another window: it shows centred on its owner, keeps the owner
// disabled while it is shown, and on closing (the close box, WM_CLOSE or Close) hides and
// gives the owner back, enabled and active. It lives until the program ends.
//
// Its child controls are built the first time it is shown or needed, not with the window: the
// program creates every dialog at start-up, and most are never opened in a run.
#include "win/ui/window.h"

namespace klaxora::win {

class OwnedDialog : public HidingWindow {
  public:
    // Shows the dialog over its owner, or to the front when it already shows.
    void ShowOver();
    // Shows the dialog over its owner with the focus on `focus`, and handles the thread's
    // messages until it is closed. A quit request closes it and stays queued for the outer loop.
    void ShowModal(HWND focus);
    // Hides the dialog and gives the owner back.
    void Close() override;

    // Builds the child controls unless they exist; showing builds them, and so does every
    // method that touches them.
    void EnsureBuilt();
    bool Built() const { return built_; }

  protected:
    // A captioned dialog frame of the given outer size, hidden, owned by `owner` (may be null:
    // it then centres on the work area and disables nothing).
    void CreateDialogWindow(const wchar_t* className, const wchar_t* title, int width, int height,
                            HWND owner);
    // A small tool dialog of the given client size whose controls take Tab, Enter and Escape
    // from the message loop.
    void CreateToolDialog(const wchar_t* className, const wchar_t* title, int clientWidth,
                          int clientHeight, HWND owner);
    // Sizes the frame for a client area of the given size at 96 DPI, at the dialog's DPI.
    void SizeFrame(int clientWidth, int clientHeight);
    // The same for a frame of the given outer size at 96 DPI, with the dialog's styles.
    void SizeOuterFrame(int width, int height);
    // Creates the child controls (fonts and hints with them); called once.
    virtual void BuildControls() {}
    // The dialog is shown by a show of its own, its controls built; not when the owner's
    // restoring shows it again.
    virtual void FormShow() {}
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // A dialog of a fixed size takes its client area again at the new DPI.
    void OnDpiChanged(UINT dpi) override;

  private:
    SIZE layoutClient_{};  // at 96 DPI, as SizeFrame last set it
    HWND owner_ = nullptr;
    // Whether this dialog disabled the owner, so that it only enables what it disabled.
    bool ownerDisabled_ = false;
    bool built_ = false;
};

// Where a window of `size` goes to stand centred on `owner` (a visible, not minimised window)
// or else on `work`, moved back inside `work` where it would stick out.
POINT CentredPlace(SIZE size, const RECT* owner, const RECT& work);

}  // namespace klaxora::win
