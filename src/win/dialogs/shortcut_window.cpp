#include "win/dialogs/shortcut_window.h"

#include "cmdline/cmdline_texts.h"
#include "cmdline/shortcut_name.h"
#include "util/user_error.h"
#include "win/sys/file_system_win.h"
#include "win/sys/shell_link.h"
#include "win/ui/dpi.h"
#include "win/ui/fonts.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace {

constexpr int kOuterWidth = 410, kOuterHeight = 395;
constexpr int kMinOuterWidth = 300, kMinOuterHeight = 330;
constexpr int kMargin = 8;
constexpr int kNameListHeight = 84;  // the edit and about four suggestions below it
constexpr int kButtonWidth = 75, kButtonHeight = 25;

namespace text {
constexpr const wchar_t* kCaption = L"Utwórz skrót";
constexpr const wchar_t* kLokalizacja = L"&Wskaż lokalizację skrótu:";
constexpr const wchar_t* kNazwa = L"&Nazwa skrótu:";
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
    SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SizeOuterFrame(kOuterWidth, kOuterHeight);
}

void Tf_Skrot::BuildControls() {
    const HFONT f = Font(-11, FontWeight::Normal);
    const HWND w = Hwnd();
    const Box none{};  // Arrange places them
    // The caption comes right before the tree, which assistive tools name by it; the path
    // label under the caption is its elder.
    l_Sciezka.Create(w, kPath, none, L"", f, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS);
    l_Lokalizacja.Create(w, kLokalizacja, none, text::kLokalizacja, f);
    dfs_LokalizacjaSkrotu.Create(w, kTree, f);
    dfs_LokalizacjaSkrotu.SelectionChanged = [this] { dfs_LokalizacjaSkrotuChange(); };
    l_Nazwa.Create(w, kNazwa, none, text::kNazwa, f);
    e_NazwaSkrotu.Create(w, kName, none, f, CBS_SIMPLE | CBS_AUTOHSCROLL);
    e_NazwaSkrotu.SetLimit(kMaxName);
    BitBtn1.Create(w, kBitBtn1, none, text::kOk, f, BS_DEFPUSHBUTTON);
    BitBtn2.Create(w, kBitBtn2, none, text::kCancel, f);
    // Nothing is chosen until the tree is filled on the first showing.
    BitBtn1.SetEnabled(false);
    Arrange();
}

void Tf_Skrot::Arrange() {
    // Laid out at 96 DPI in the client area brought back to that scale.
    RECT client{};
    GetClientRect(Hwnd(), &client);
    client.right = Unscale(client.right, Dpi());
    client.bottom = Unscale(client.bottom, Dpi());
    const int width = client.right - kMargin * 2;
    const int bottom = client.bottom;
    const int buttonsY = bottom - kMargin - kButtonHeight;
    const int nameY = buttonsY - kMargin - kNameListHeight;
    const int label2Y = nameY - 18;
    const int treeY = 44;
    const auto place = [this](HWND c, int x, int y, int cx, int cy) {
        SetWindowPos(c, nullptr, Scaled(x), Scaled(y), Scaled(cx), Scaled(cy),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(l_Lokalizacja, kMargin, kMargin, width, 16);
    place(l_Sciezka, kMargin, 26, width, 16);
    place(dfs_LokalizacjaSkrotu.Hwnd(), kMargin, treeY, width, label2Y - 6 - treeY);
    place(l_Nazwa, kMargin, label2Y, width, 16);
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
    e_NazwaSkrotu.Clear();
    for (const std::wstring& name : names)
        e_NazwaSkrotu.Add(name);
    e_NazwaSkrotu.SetText(names[0]);
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
    l_Sciezka.SetText(path);
    // A virtual folder (the computer, the network) cannot receive a file.
    BitBtn1.SetEnabled(!path.empty() && files_.DirectoryExists(path));
}

void Tf_Skrot::BitBtn1Click() {
    EnsureBuilt();
    const std::wstring folder = dfs_LokalizacjaSkrotu.SelectedPath();
    const ShortcutFile file = PlanShortcutFile(
        files_.DirectoryExists(folder) ? folder : std::wstring(), e_NazwaSkrotu.Text());
    // The name as it will be written, so the user sees what became of it.
    e_NazwaSkrotu.SetText(file.name);
    if (!file.refusal.empty()) {
        ShowError(file.refusal);
        return;
    }
    try {
        CreateShellLink(file.name, folder, ExecutablePath(), arguments_,
                        folders_.ExecutableDirectory(), SW_SHOWNORMAL, L"", 0);
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

bool Tf_Skrot::OnCommand(UINT id, UINT code) {
    if (code != BN_CLICKED)
        return false;
    // Enter in the name box arrives here even while OK is disabled.
    if (id == kBitBtn1 && BitBtn1.Enabled())
        BitBtn1Click();
    else if (id == kBitBtn2)
        BitBtn2Click();
    return true;
}

bool Tf_Skrot::OnNotify(const NMHDR& header) {
    return header.idFrom == kTree && dfs_LokalizacjaSkrotu.HandleNotify(header);
}

LRESULT Tf_Skrot::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            if (BitBtn2)
                Arrange();
            break;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {Scaled(kMinOuterWidth), Scaled(kMinOuterHeight)};
            return 0;
        }
        default:
            break;
    }
    return OwnedDialog::HandleMessage(msg, wParam, lParam);
}

}  // namespace klaxora::win
