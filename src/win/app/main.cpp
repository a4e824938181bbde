// Klaxora's entry point.
#include <windows.h>

#include "win/app/application.h"
#include "win/ui/window.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return klaxora::win::RunApplication();
    } catch (...) {
        // A window that cannot be created leaves nothing to run; say why before ending.
        klaxora::win::ShowException();
        return 1;
    }
}
