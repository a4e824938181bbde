#pragma once
// The alarm popup: slides up out of the bottom-right corner of the work area, swings a bell,
// stays above every other window, optionally beeps twice a second, and waits for "OK" or a
// click on the notification-area icon. Never a taskbar button. Once it has the focus, Tab
// reaches its button and Enter, Esc and Space close it as the button does.
#include <functional>
#include <string>
#include <string_view>

#include "actions/popup_slide.h"
#include "win/sys/handles.h"
#include "win/ui/controls.h"
#include "win/ui/window.h"

namespace klaxora::win {

class TF_ALARMUJ : public Window {
  public:
    static constexpr int kWidth = 232;
    static constexpr int kHeight = 173;

    ~TF_ALARMUJ() override;
    void Create();
    // Closes the popup whether or not it is open; the close handling always runs and enables
    // the configuration window again.
    void Close();

    // t_Beep's enabled state; the caller sets it from the PlayBeep option before showing.
    void SetBeepEnabled(bool enabled);
    // The showing, in its order: disable the configuration window, set the beep, show the
    // popup and slide it in (10 ms, 2 pixels). Returns once it rests; messages keep flowing.
    // `alarmText`, when the alarm has one, ends the name screen readers announce. With
    // `snooze`, "Drzemka" stands beside OK: a click runs it and closes the popup.
    void PopUp(bool playBeep, std::wstring_view alarmText = {}, std::function<void()> snooze = {});
    // What the popup uses of the rest of the program; any may be missing.
    struct Links {
        // The configuration window: when it is in front as the popup shows, the popup takes the
        // foreground from it (the user is at the program); otherwise it leaves the focus alone.
        HWND configurationWindow = nullptr;
        // Disables the configuration window while the popup shows and enables it on closing.
        std::function<void(bool enabled)> enableConfiguration;
        // Told whenever the popup has closed, by any way.
        std::function<void()> closed;
    };
    void Connect(Links links) { links_ = std::move(links); }
    // Where a beep goes: MessageBeep(0) unless replaced.
    void SetBeeper(std::function<void()> beeper) { beeper_ = std::move(beeper); }

    bool BeepEnabled() const { return beepEnabled_; }
    // Which animation frame shows: true for the first (Img1).
    bool Img1Visible() const { return img1Visible_; }
    HWND OkButton() const { return okButton_; }
    HWND SnoozeButton() const { return snoozeButton_; }

  protected:
    bool OnCommand(UINT id, UINT code) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged(UINT dpi) override;
    // The popup's size at its DPI.
    void FitToDpi();
    virtual void FormClose();

  private:
    void FormCreate();
    void MakePictures();
    void FormShow();
    void SpeedButton1Click();
    void Timer1Timer();
    void TimerStayOnTopTimer();
    void t_BeepTimer();
    void Paint(HDC dc);
    void DrawSpeedButton(const DRAWITEMSTRUCT& item);

    Button okButton_;
    Button snoozeButton_;
    std::function<void()> snooze_;
    BitmapHandle img1_, img2_, okGlyph_;
    bool img1Visible_ = true;
    bool beepEnabled_ = false;
    std::function<void()> beeper_;
    Links links_;
};

// Moves a window vertically at the right edge of the work area: in, from just below it up to
// rest on its bottom edge; out, the reverse. Messages are processed between steps, and a pause
// above 0 slides the window out again after that many milliseconds.
void SlideInPopup(HWND window, int delayMs, int step, SlideDirection direction, int pauseMs);

// Lets the application handle what is waiting in its queue (a quit request stays queued).
void ProcessMessages();

}  // namespace klaxora::win
