#include "win/app/application.h"

#include <commctrl.h>
#include <objbase.h>

#include <vector>

#include "app/startup.h"
#include "resources/resource_ids.h"
#include "win/actions/popup_window.h"
#include "win/app/main_window.h"
#include "win/cmdline/shortcut_window.h"
#include "win/config/alarm_window.h"
#include "win/dialogs/about_window.h"
#include "win/dialogs/options_window.h"
#include "win/dialogs/time_wizard_window.h"
#include "win/sys/file_system_win.h"
#include "win/sys/system_library.h"
#include "win/ui/window.h"

namespace klaxora::win {
namespace {

// COM on the one user-interface thread, for the shell's objects.
class ComApartment {
  public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool ok_;
};

int MessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // A window's own keys first, then dialog navigation.
        if (Window::PreTranslateMessage(msg))
            continue;
        // Windows that hold controls opt into dialog keyboard handling (Tab, Enter, Escape)
        // with WS_EX_CONTROLPARENT.
        const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (root && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
            IsDialogMessageW(root, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// Keeps App() from pointing at windows that no longer exist once the run ends.
struct FormsReset {
    ~FormsReset() { App() = {}; }
};

}  // namespace

Forms& App() {
    static Forms forms;
    return forms;
}

void EnsureCom() {
    // Started on first use rather than at start-up: loading COM costs the start-up time of a
    // program that mostly sits in the notification area.
    static ComApartment com;
}

int RunApplication() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    FormsReset reset;
    // Created in this order; each lives until the program ends. The main window's creation
    // (its registry set-up) runs before any other window exists.
    TF_Glowna glowna;
    App().F_Glowna = &glowna;
    glowna.Create();
    TF_Alarm alarm;
    App().F_Alarm = &alarm;
    alarm.Create();
    TF_About about;
    App().F_About = &about;
    about.Create();
    TF_Opcje opcje;
    App().F_Opcje = &opcje;
    opcje.Create();
    alarm.ShowOptions = [&opcje] { ShowDialogOverConfiguration(&opcje); };
    alarm.ShowAbout = [&about] { ShowDialogOverConfiguration(&about); };
    alarm.CloseMainWindow = [&glowna] { PostMessageW(glowna.Hwnd(), WM_CLOSE, 0, 0); };
    TF_ALARMUJ alarmuj;
    App().F_ALARMUJ = &alarmuj;
    alarmuj.Create();
    Tf_WprowadzCzas wprowadzCzas;
    App().f_WprowadzCzas = &wprowadzCzas;
    wprowadzCzas.Create();
    Tf_Skrot skrot;
    App().f_Skrot = &skrot;
    skrot.Create();

    glowna.Start();
    return MessageLoop();
}

void ShowDialogOverConfiguration(Window* dialog) {
    if (!dialog)
        return;
    if (App().F_Alarm)
        App().F_Alarm->Enable(false);
    dialog->Show();
    SetForegroundWindow(dialog->Hwnd());
}

void HideDialogOverConfiguration(Window& dialog) {
    dialog.Hide();
    if (App().F_Alarm)
        App().F_Alarm->Enable(true);
}

void CenterOnScreen(HWND hwnd) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int x = work.left + (work.right - work.left - (r.right - r.left)) / 2;
    const int y = work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HICON AppIcon(int size) {
    auto icon = static_cast<HICON>(LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_KLAXORA),
                                              IMAGE_ICON, size, size, LR_SHARED));
    if (!icon)
        icon = static_cast<HICON>(
            LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED));
    return icon;
}

std::wstring ProgramVersionText() {
    const std::wstring path = ExecutablePath();
    DWORD ignored = 0;
    const DWORD size = delayed::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size != 0) {
        std::vector<BYTE> block(size);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (delayed::GetFileVersionInfoW(path.c_str(), 0, size, block.data()) &&
            delayed::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info),
                                    &length) &&
            info && length >= sizeof(VS_FIXEDFILEINFO)) {
            return FormatFileVersion(HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                     HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
        }
    }
    return FormatFileVersion(0, 0, 0, 0);
}

}  // namespace klaxora::win
