#pragma once
// The base of every window of the program: registers its class once, keeps `this` with the
// window and forwards messages to virtual handlers: the commands, notifications, timers and
// owner-drawn items of its controls by their ids, everything else to HandleMessage. Exceptions
// never reach Windows: a UserError (or any other) thrown by a handler ends that handler and is
// shown in the application's standard error box.
#include <windows.h>

#include <string>
#include <vector>

#include "win/ui/fonts.h"

namespace klaxora::win {

struct WindowClass {
    const wchar_t* name;  // registered class name, such as L"TF_Alarm"
    UINT style = 0;       // class style
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HICON icon = nullptr;  // large icon; the small one is derived by Windows
    HICON smallIcon = nullptr;
};

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const { return hwnd_; }
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    void Show(int command = SW_SHOW) const { ShowWindow(hwnd_, command); }
    void Hide() const { ShowWindow(hwnd_, SW_HIDE); }
    void Enable(bool enabled) const { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

    // The window's own handling of a message of its thread before it is dispatched and before
    // the dialog manager navigates (the one keyboard path of the program: no hooks). True
    // when the message was handled and must not be dispatched. The default handles nothing.
    virtual bool PreTranslate(MSG& msg);
    // Asks the top-level window of ours that a message is for to pre-translate it; called by
    // the message loop for every message before IsDialogMessageW.
    static bool PreTranslateMessage(MSG& msg);

    // Lays the window out for `dpi` (what WM_DPICHANGED does): its fonts are made again, every
    // control is moved, sized and given its new font, the window makes its pictures again
    // (OnDpiChanged) and, when given, takes the suggested frame.
    void ApplyDpi(UINT dpi, const RECT* suggested);

  protected:
    // Registers the class (once per process) and creates the window; throws on failure.
    void CreateWindowOf(const WindowClass& cls, const wchar_t* title, DWORD style, DWORD exStyle,
                        int x, int y, int width, int height, HWND owner);
    // A command of a control or menu item (WM_COMMAND) by its id and notification code, a
    // notification of a control (WM_NOTIFY), a timer (WM_TIMER), an owner-drawn item
    // (WM_DRAWITEM). True when handled; otherwise the message goes on to HandleMessage.
    virtual bool OnCommand(UINT id, UINT code);
    virtual bool OnNotify(const NMHDR& header);
    virtual bool OnTimer(UINT_PTR id);
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& item);
    // The window's other messages; the default passes them to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // A font of the window, made for the DPI it is laid out at and made again when that changes
    // (the controls that use it are handed the new one). The window owns it.
    HFONT Font(int height, FontWeight weight, const wchar_t* face = kWindowFace,
               FontLook look = FontLook::Plain);
    // The window was laid out again for `dpi`: its own pictures and sizes follow here.
    virtual void OnDpiChanged(UINT dpi);
    UINT Dpi() const;
    // A length of the layout (96 DPI) at the window's DPI.
    int Scaled(int value) const;

    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }

    // Dialog behaviour for a window that holds controls (WS_EX_CONTROLPARENT) without being a
    // dialog: the focus comes back to the control that had it when the window is activated
    // again, and WM_NEXTDLGCTL (sent by the dialog manager for Tab) moves the focus. True when
    // the message was one of these; `result` is then the answer.
    bool HandleDialogMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Set while the window makes its controls: their own first notifications are not the
    // user's and reach no handler.
    bool muted_ = false;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
    struct OwnedFont {
        int height;
        FontWeight weight;
        std::wstring face;
        FontLook look;
        FontHandle handle;
    };
    std::vector<OwnedFont> fonts_;
};

// A window that lives until the program ends: closing it (the close box, WM_CLOSE or Close)
// only hides it.
class HidingWindow : public Window {
  public:
    virtual void Close() { Hide(); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CLOSE) {
            Close();
            return 0;
        }
        return Default(msg, wParam, lParam);
    }
};

// One queued message as a message loop of the program handles it: the window's own keys first
// (Window::PreTranslateMessage), then dialog navigation for windows that hold controls
// (WS_EX_CONTROLPARENT: Tab, mnemonics, arrows), then translation and dispatch.
void HandleQueuedMessage(MSG& msg);

// Runs a handler body; an exception is shown in the standard error box instead of escaping.
template <typename F>
void Guarded(F&& body);
void ShowException() noexcept;

template <typename F>
void Guarded(F&& body) {
    try {
        body();
    } catch (...) {
        ShowException();
    }
}

HINSTANCE ModuleInstance();

}  // namespace klaxora::win
