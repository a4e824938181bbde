#pragma once
// The program's seven windows, created at start-up in this order and kept until it ends.
// Windows reach each other through here, the way the program's units call each other.
namespace klaxora::win {

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

}  // namespace klaxora::win
