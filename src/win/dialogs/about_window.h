#pragma once
// The about box, over the configuration window: the program's version, the maker's contact
// links and, when the maker publishes a newer version, a button that opens its download
// address. The update check runs once per run, off the window's thread and bounded in time:
// the box shows at once and the button appears when the answer arrives.
#include <string>
#include <vector>

#include "dialogs/update_check.h"
#include "win/actions/window_ports.h"
#include "win/dialogs/update_download.h"
#include "win/sys/handles.h"
#include "win/ui/controls.h"
#include "win/ui/owned_dialog.h"
#include "win/ui/tooltips.h"

namespace klaxora::win {

class TF_About : public OwnedDialog {
  public:
    enum Id : int {
        kPicture = 100,
        kVersion,
        kMaker,
        kDownUpdate,
        kPomoc,
        kFirstContact = 200,
        kOk = IDOK,
    };
    // How long the user may wait for the answer before the check counts as failed.
    static constexpr UINT kUpdateDeadlineMs = 5000;

    // The program's version, the help page, the shell's opening and whether the Internet is
    // there come from the ports.
    explicit TF_About(const WindowPorts& ports) : ports_(ports) {}
    // Hidden until shown over `owner` (the configuration window), at its final size; its
    // controls are built on the first show.
    void Create(HWND owner = nullptr);

    // The version file's address: the maker's, or the base the end-to-end tests give through the
    // test seam KLAXORA_UPDATE_BASE (win/sys/test_seams); tests in the process set it here.
    std::wstring VersionFileAddress;

    // Handlers, named after their events.
    void FormShow() override;
    void CheckForUpdate();
    void sb_DownUpdateClick();
    void sb_PomocClick();
    void sb_OKClick();
    void ContactClick(size_t row);

    bool CheckRunning() const { return download_.Running(); }

    Label l_Version, Picture, l_Maker;
    Button sb_DownUpdate, sb_Pomoc, sb_OK;
    struct ContactRow {
        Label caption;
        Button value;  // a link
    };
    std::vector<ContactRow> contacts;

  protected:
    void BuildControls() override;
    bool OnCommand(UINT id, UINT code) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged(UINT dpi) override;
    // Enter clicks a contact's link as Space does.
    bool PreTranslate(MSG& msg) override;

  private:
    void UpdateAnswer(const std::optional<std::wstring>& file);
    void ShowUpdateState();
    void Layout();
    void DrawPicture(const DRAWITEMSTRUCT& draw);
    std::wstring ContactTarget(size_t row) const;

    const WindowPorts ports_;
    UpdateInfo update_;
    BackgroundDownload download_;
    ToolTips hints_;
};

}  // namespace klaxora::win
