#pragma once
// The program's seven windows, created at start-up in this order and kept until it ends.
// Windows reach each other through here, the way the program's units call each other.
#include <windows.h>

#include <string>

namespace klaxora::win {

class Window;
class TF_Glowna;
class TF_Alarm;
class TF_About;
class TF_Opcje;
class TF_ALARMUJ;
class Tf_WprowadzCzas;
class Tf_Skrot;

struct Forms {
    TF_Glowna* F_Glowna = nullptr;
    TF_Alarm* F_Alarm = nullptr;
    TF_About* F_About = nullptr;
    TF_Opcje* F_Opcje = nullptr;
    TF_ALARMUJ* F_ALARMUJ = nullptr;
    Tf_WprowadzCzas* f_WprowadzCzas = nullptr;
    Tf_Skrot* f_Skrot = nullptr;
};

// The windows of this process; members are null until created (and in tests that create
// only some of them).
Forms& App();

// Creates the seven windows in order, shows the main window and runs the message loop until
// the main window closes; returns the process's exit code.
int RunApplication();

// Initialises COM (single-threaded apartment) for this thread on first call; every use of the
// shell's COM objects (shell links, folder pickers, ShellExecute) calls it first.
void EnsureCom();

// Places a window in the middle of the screen's work area.
void CenterOnScreen(HWND hwnd);

// The options dialog and the about box: the configuration window is disabled (the dialog
// enables it again when it closes), then the dialog is shown. Nothing happens without a dialog.
void ShowDialogOverConfiguration(Window* dialog);
// Their closing: the dialog hides and the configuration window is enabled again.
void HideDialogOverConfiguration(Window& dialog);

// The program icon at the given size (shared, never destroyed); Windows' default application
// icon when the executable carries none.
HICON AppIcon(int size);

// The executable's file version as four numbers joined by "."; "0.0.0.0" when it carries no
// version information.
std::wstring ProgramVersionText();

}  // namespace klaxora::win
