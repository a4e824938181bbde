#pragma once
// The program's seven windows, created at start-up in this order and kept until it ends. The
// application builds them and hands each what it needs of the others; no window includes this
// header.
#include <windows.h>

#include <string>

#include "win/app/program_info.h"

namespace klaxora::win {

class OwnedDialog;
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
// only some of them). Only the configuration window still looks its dialogs up here.
Forms& App();

// Creates the seven windows in order, shows the main window and runs the message loop until
// the main window closes; returns the process's exit code.
int RunApplication();

// The options dialog or the about box over the configuration window (a dialog built without
// an owner takes the configuration window as its owner). Nothing happens without a dialog.
void ShowDialogOverConfiguration(OwnedDialog* dialog);

}  // namespace klaxora::win
