#include "win/cmdline/shortcut_window.h"

#include "cmdline/cmdline_texts.h"
#include "cmdline/shortcut_name.h"
#include "util/user_error.h"
#include "win/dialogs/dialog_controls.h"
#include "win/sys/file_system_win.h"
#include "win/sys/shell_link.h"
#include "win/ui/fonts.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace {

using dialogs::ControlText;
using dialogs::MakeControl;
using dialogs::Place;

constexpr int kOuterWidth = 410, kOuterHeight = 395;
constexpr int kMinOuterWidth = 300, kMinOuterHeight = 330;
constexpr int kMargin = 8;
constexpr int kNameListHeight = 84;  // the edit and about four suggestions below it
constexpr int kButtonWidth = 75, kButtonHeight = 25;

namespace text {
constexpr const wchar_t* kCaption = L"Utwórz skrót";
constexpr const wchar_t* kLabel1 = L"&Wskaż lokalizację skrótu:";
constexpr const wchar_t* kLabel2 = L"&Nazwa skrótu:";
constexpr const wchar_t* kOk = L"OK";
constexpr const wchar_t* kCancel = L"Anuluj";
}  // namespace text

}  // namespace

void Tf_Skrot::Create(HWND owner) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    CreateDialogWindow(L"Tf_Skrot", text::kCaption, kOuterWidth, kOuterHeight, owner);
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, style);
    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, exStyle);
    SetWindowPos(Hwnd(), nullptr, 0, 0, kOuterWidth, kOuterHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Tf_Skrot::BuildControls() {
    font_ = MakeFont(-11, FontWeight::Normal);
    const HFONT f = font_.Get();
    const HWND w = Hwnd();
    const Place none{0, 0, 0, 0};  // Arrange places them
    Label1 = MakeControl(w, L"STATIC", L"&Wskaż lokalizację skrótu:", SS_LEFT, none, kLabel1, f);
    XPathLabel1 =
        MakeControl(w, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, none, kPath, f);
    dfs_LokalizacjaSkrotu.Create(w, kTree, f);
    dfs_LokalizacjaSkrotu.SelectionChanged = [this] { dfs_LokalizacjaSkrotuChange(); };
    Label2 = MakeControl(w, L"STATIC", L"&Nazwa skrótu:", SS_LEFT, none, kLabel2, f);
    e_NazwaSkrotu =
        MakeControl(w, L"COMBOBOX", L"", CBS_SIMPLE | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                    none, kName, f);
    SendMessageW(e_NazwaSkrotu, CB_LIMITTEXT, kMaxName, 0);
    BitBtn1 =
        MakeControl(w, L"BUTTON", text::kOk, BS_DEFPUSHBUTTON | WS_TABSTOP, none, kBitBtn1, f);
    BitBtn2 =
        MakeControl(w, L"BUTTON", text::kCancel, BS_PUSHBUTTON | WS_TABSTOP, none, kBitBtn2, f);
    // Nothing is chosen until the tree is filled on the first showing.
    EnableWindow(BitBtn1, FALSE);
    Arrange();
}

void Tf_Skrot::Arrange() {
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const int width = client.right - kMargin * 2;
    const int bottom = client.bottom;
    const int buttonsY = bottom - kMargin - kButtonHeight;
    const int nameY = buttonsY - kMargin - kNameListHeight;
    const int label2Y = nameY - 18;
    const int treeY = 44;
    const auto place = [](HWND c, int x, int y, int cx, int cy) {
        SetWindowPos(c, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(Label1, kMargin, kMargin, width, 16);
    place(XPathLabel1, kMargin, 26, width, 16);
    place(dfs_LokalizacjaSkrotu.Hwnd(), kMargin, treeY, width, label2Y - 6 - treeY);
    place(Label2, kMargin, label2Y, width, 16);
    place(e_NazwaSkrotu, kMargin, nameY, width, kNameListHeight);
    place(BitBtn1, client.right - kMargin - kButtonWidth * 2 - 6, buttonsY, kButtonWidth,
          kButtonHeight);
    place(BitBtn2, client.right - kMargin - kButtonWidth, buttonsY, kButtonWidth, kButtonHeight);
}

void Tf_Skrot::Prepare(const std::wstring& arguments, const std::array<std::wstring, 8>& names) {
    EnsureBuilt();
    arguments_ = arguments;
    writtenFile_.clear();
    // The first showing fills the tree and chooses the desktop, a folder on disk; later ones
    // keep the last choice.
    if (!dfs_LokalizacjaSkrotu.Root() && dfs_LokalizacjaSkrotu.Fill())
        dfs_LokalizacjaSkrotu.Select(dfs_LokalizacjaSkrotu.Root());
    dfs_LokalizacjaSkrotuChange();
    SendMessageW(e_NazwaSkrotu, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& name : names)
        SendMessageW(e_NazwaSkrotu, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SetWindowTextW(e_NazwaSkrotu, names[0].c_str());
}

bool Tf_Skrot::CreateShortcut(const std::wstring& arguments,
                              const std::array<std::wstring, 8>& names) {
    Prepare(arguments, names);
    // The configuration window waits until the dialog is closed.
    ShowModal(e_NazwaSkrotu);
    return !writtenFile_.empty();
}

void Tf_Skrot::dfs_LokalizacjaSkrotuChange() {
    EnsureBuilt();
    const std::wstring path = dfs_LokalizacjaSkrotu.SelectedPath();
    SetWindowTextW(XPathLabel1, path.c_str());
    // A virtual folder (the computer, the network) cannot receive a file.
    EnableWindow(BitBtn1, !path.empty() && Win32FileSystem().DirectoryExists(path));
}

void Tf_Skrot::BitBtn1Click() {
    EnsureBuilt();
    const std::wstring folder = dfs_LokalizacjaSkrotu.SelectedPath();
    const ShortcutFile file =
        PlanShortcutFile(Win32FileSystem().DirectoryExists(folder) ? folder : std::wstring(),
                         ControlText(e_NazwaSkrotu));
    // The name as it will be written, so the user sees what became of it.
    SetWindowTextW(e_NazwaSkrotu, file.name.c_str());
    if (!file.refusal.empty()) {
        ShowError(file.refusal);
        return;
    }
    try {
        Win32FileSystem files;
        CreateShellLink(file.name, folder, ExecutablePath(), arguments_,
                        files.ExecutableDirectory(), SW_SHOWNORMAL, L"", 0);
    } catch (const UserError& error) {
        // Another folder or name may do: the dialog stays.
        ShowError(error.Message());
        return;
    }
    writtenFile_ = file.path;
    Close();
}

void Tf_Skrot::BitBtn2Click() {
    Close();
}

LRESULT Tf_Skrot::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kBitBtn1) {
                // Enter in the name box arrives here even while OK is disabled.
                if (IsWindowEnabled(BitBtn1))
                    BitBtn1Click();
                return 0;
            }
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kBitBtn2) {
                BitBtn2Click();
                return 0;
            }
            break;
        case WM_NOTIFY:
            if (dfs_LokalizacjaSkrotu.HandleNotify(*reinterpret_cast<const NMHDR*>(lParam)))
                return 0;
            break;
        case WM_SIZE:
            if (BitBtn2)
                Arrange();
            break;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {kMinOuterWidth, kMinOuterHeight};
            return 0;
        }
        default:
            break;
    }
    return OwnedDialog::HandleMessage(msg, wParam, lParam);
}

}  // namespace klaxora::win
