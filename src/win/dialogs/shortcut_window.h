#pragma once
// The shortcut dialog, over the configuration window: where the shortcut goes (a folder tree
// of the shell namespace with the chosen folder's path above it) and its name, with eight
// names offered. OK writes the shortcut; a folder that is not on disk or a name that cleans to
// nothing is refused with a message and the dialog stays open.
#include <array>
#include <string>

#include "win/actions/window_ports.h"
#include "win/cmdline/shell_folder_tree.h"
#include "win/sys/handles.h"
#include "win/ui/controls.h"
#include "win/ui/owned_dialog.h"

namespace klaxora::win {

class Tf_Skrot : public OwnedDialog {
  public:
    enum Id : int {
        kLokalizacja = 100,
        kPath,
        kTree,
        kNazwa,
        kName,
        kBitBtn1 = IDOK,
        kBitBtn2 = IDCANCEL,
    };
    static constexpr int kMaxName = 128;

    explicit Tf_Skrot(const WindowPorts& ports) : files_(ports.files), folders_(ports.folders) {}

    // Hidden until shown over `owner` (the configuration window); its controls are built when
    // it is first prepared or shown.
    void Create(HWND owner = nullptr);

    // ib_SkrotClick's part: offers the names, shows the dialog modally and, on OK, writes the
    // shortcut to the program with these arguments. True when a shortcut was written.
    bool CreateShortcut(const std::wstring& arguments, const std::array<std::wstring, 8>& names);
    // The two halves of it, for the tests: preparing (the tree's first selection, the names)
    // and showing without waiting.
    void Prepare(const std::wstring& arguments, const std::array<std::wstring, 8>& names);

    // Handlers, named after their events.
    void dfs_LokalizacjaSkrotuChange();
    void BitBtn1Click();  // OK
    void BitBtn2Click();  // Anuluj

    // The written shortcut's file, after OK (empty before).
    const std::wstring& WrittenFile() const { return writtenFile_; }

    Label l_Lokalizacja, l_Sciezka, l_Nazwa;
    ComboBox e_NazwaSkrotu;
    ShellFolderTree dfs_LokalizacjaSkrotu;
    Button BitBtn1, BitBtn2;

  protected:
    void BuildControls() override;
    bool OnCommand(UINT id, UINT code) override;
    bool OnNotify(const NMHDR& header) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Arrange();

    const FileSystemPort& files_;
    const SystemFoldersPort& folders_;
    std::wstring arguments_;
    std::wstring writtenFile_;
};

}  // namespace klaxora::win
