#include "win/dialogs/about_window.h"

#include <string_view>

#include "app/startup.h"
#include "win/sys/program_info.h"
#include "win/sys/system_library.h"
#include "win/sys/test_seams.h"
#include "win/ui/fonts.h"
#include "win/ui/palette.h"
#include "win/ui/link_button.h"

namespace klaxora::win {
namespace {

namespace text {
constexpr std::wstring_view kCaption = L"O programie ...";
constexpr std::wstring_view kDownUpdate = L"Dostępna jest nowa wersja programu";
constexpr std::wstring_view kPomoc = L"Pomoc";
constexpr std::wstring_view kOk = L"OK";
constexpr std::wstring_view kVersionPrefix = L"v ";
constexpr std::wstring_view kMakerPrefix = L"© 2009-";
constexpr std::wstring_view kMakerSuffix = L" Vantrelix";
}  // namespace text

// The maker's contacts: the caption, the text shown and what a click opens (empty: the home
// page, which the version file may change).
struct Contact {
    std::wstring_view caption;
    std::wstring_view value;
    std::wstring_view target;
    std::wstring_view hint;
};
constexpr Contact kContacts[] = {
    {L"E-mail:", L"klaxora@vantrelix.pl",
     L"mailto:klaxora@vantrelix.pl?subject=Uwagi%20o%20programie&body=Program%20Klaxora",
     L"Napisz do autora programu"},
    {L"Jabber:", L"klaxora@vantrelix.pl", L"xmpp:klaxora@vantrelix.pl?message",
     L"Porozmawiaj z autorem przez komunikator"},
    {L"IRC:", L"#klaxora", L"irc://irc.vantrelix.pl/klaxora", L"Kanał użytkowników programu"},
    {L"Strona WWW:", L"", L"", L"Odwiedź stronę domową autora"},
};
constexpr size_t kHomePageRow = 3;

constexpr UINT kUpdateAnswerMessage = WM_APP + 12;
constexpr UINT_PTR kDeadlineTimer = 1;

constexpr int kClientWidth = 460;  // wide enough for the update button's caption
constexpr int kMargin = 16;
constexpr int kPictureHeight = 64;
constexpr int kLineHeight = 16;
constexpr int kRowHeight = 20;
constexpr int kValueGap = 10;  // between a contact's caption and its value
constexpr int kButtonHeight = 25, kOkWidth = 75, kPomocWidth = 75;

// A contact's value: the link of its row.
bool IsContact(UINT id) {
    const UINT first = TF_About::kFirstContact;
    return id >= first && id < first + std::size(kContacts);
}

std::wstring CurrentYear() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return std::to_wstring(now.wYear);
}

}  // namespace

void TF_About::Create(HWND owner) {
    if (VersionFileAddress.empty()) {
        const std::wstring base = TestSeamValue(TestSeam::UpdateBase);
        VersionFileAddress = klaxora::VersionFileAddress(
            base.empty() ? std::nullopt : std::optional<std::wstring_view>(base));
    }
    CreateDialogWindow(L"TF_About", std::wstring(text::kCaption).c_str(), kClientWidth, 300, owner);
    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE,
                      GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    // The box has its final size before its controls exist.
    Layout();
}

void TF_About::BuildControls() {
    const HFONT f = Font(-11, FontWeight::Normal);
    const HFONT linkFont = Font(-11, FontWeight::Normal, kWindowFace, FontLook::Underlined);
    const HWND w = Hwnd();
    const Box none{};  // Layout places them
    Picture.Create(w, kPicture, none, L"", f, SS_OWNERDRAW);
    l_Version.Create(w, kVersion, none, L"", f);
    l_Maker.Create(
        w, kMaker, none,
        std::wstring(text::kMakerPrefix) + CurrentYear() + std::wstring(text::kMakerSuffix), f);
    hints_.CreateHints(w);
    for (size_t i = 0; i < std::size(kContacts); ++i) {
        ContactRow& row = contacts.emplace_back();
        row.caption.Create(w, 0, none, kContacts[i].caption, f);
        row.value.Create(w, kFirstContact + static_cast<UINT>(i), none, kContacts[i].value,
                         linkFont, BS_OWNERDRAW);
        hints_.Add(row.value, std::wstring(kContacts[i].hint));
    }
    sb_DownUpdate.Create(w, kDownUpdate, none, text::kDownUpdate, f);
    sb_DownUpdate.SetVisible(false);
    sb_Pomoc.Create(w, kPomoc, none, text::kPomoc, f);
    sb_OK.Create(w, kOk, none, text::kOk, f, BS_DEFPUSHBUTTON);
    hints_.Add(sb_DownUpdate, L"");
    hints_.Realize();
    ShowUpdateState();
    Layout();
}

void TF_About::FormShow() {
    EnsureBuilt();
    if (!update_.checked && ports_.processes.IsInternetConnected())
        CheckForUpdate();
    l_Version.SetText(std::wstring(text::kVersionPrefix) + ports_.program.version);
    sb_Pomoc.SetVisible(ports_.HelpExists());
    ShowUpdateState();
    Layout();
    SetFocus(sb_OK);
}

void TF_About::CheckForUpdate() {
    // Run once per run: a check that fails or finds nothing is not tried again.
    update_.checked = true;
    if (!download_.Start(VersionFileAddress, Hwnd(), kUpdateAnswerMessage, kUpdateDeadlineMs,
                         kMaxVersionFileBytes)) {
        UpdateAnswer(std::nullopt);
        return;
    }
    SetTimer(Hwnd(), kDeadlineTimer, kUpdateDeadlineMs, nullptr);
}

void TF_About::UpdateAnswer(const std::optional<std::wstring>& file) {
    KillTimer(Hwnd(), kDeadlineTimer);
    ApplyVersionFile(update_, file);
    ShowUpdateState();
}

void TF_About::ShowUpdateState() {
    // The answer is kept in update_ and shown when the controls are built.
    if (!Built())
        return;
    sb_DownUpdate.SetVisible(OffersUpdate(update_, ports_.program.version));
    hints_.SetText(sb_DownUpdate, update_.description);
    contacts[kHomePageRow].value.SetText(update_.homePage);
    Layout();
}

void TF_About::Layout() {
    // Until the controls are built only the box's own size is set.
    const bool controls = !contacts.empty();
    // Places are at 96 DPI, scaled to the box's.
    const auto place = [this, controls](HWND c, int x, int y, int width, int height) {
        if (controls) {
            SetWindowPos(c, nullptr, Scaled(x), Scaled(y), Scaled(width), Scaled(height),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    place(Picture, kMargin, kMargin, kClientWidth - 2 * kMargin, kPictureHeight);
    int y = kMargin + kPictureHeight + 8;
    place(l_Version, kMargin, y, kClientWidth - 2 * kMargin, kLineHeight);
    y += kLineHeight + 2;
    place(l_Maker, kMargin, y, kClientWidth - 2 * kMargin, kLineHeight);
    y += kLineHeight + 10;
    for (const ContactRow& row : contacts) {
        const int captionWidth = row.caption.TextWidth(row.caption.Text());
        const int valueWidth = row.value.TextWidth(row.value.Text());
        place(row.caption, kMargin, y, captionWidth, kLineHeight);
        const int valueX = kMargin + captionWidth + kValueGap;
        place(row.value, valueX, y, std::min(valueWidth + 2, kClientWidth - kMargin - valueX),
              kLineHeight);
        y += kRowHeight;
    }
    // Unbuilt, the rows take their room all the same.
    if (!controls)
        y += kRowHeight * static_cast<int>(std::size(kContacts));
    // The buttons on one line 16 pixels below the last row: OK at the right, "Pomoc" to its
    // left, the update button filling the rest from the left edge.
    const int buttonTop = y - (kRowHeight - kLineHeight) + 16;
    const int okX = kClientWidth - kMargin - kOkWidth;
    const int pomocX = okX - 16 - kPomocWidth;
    place(sb_OK, okX, buttonTop, kOkWidth, kButtonHeight);
    place(sb_Pomoc, pomocX, buttonTop, kPomocWidth, kButtonHeight);
    place(sb_DownUpdate, 8, buttonTop, pomocX - 8 - 8, kButtonHeight);
    // The box ends 32 pixels below the buttons.
    SizeFrame(kClientWidth, buttonTop + kButtonHeight + 32);
}

void TF_About::OnDpiChanged(UINT) {
    Layout();
}

void TF_About::DrawPicture(const DRAWITEMSTRUCT& draw) {
    const RECT r = draw.rcItem;
    HDC dc = draw.hDC;
    TRIVERTEX v[2] = {{r.left, r.top, 0x2000, 0x4000, 0x8800, 0},
                      {r.right, r.bottom, 0x5800, 0x9000, 0xE000, 0}};
    GRADIENT_RECT g{0, 1};
    GdiGradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_H);
    const int icon = Scaled(48);
    const int gap = Scaled(8);
    DrawIconEx(dc, r.left + gap, r.top + (r.bottom - r.top - icon) / 2, AppIcon(icon), icon, icon,
               0, nullptr, DI_NORMAL);
    SelectedObject font(dc, Font(-24, FontWeight::Bold, kWindowFace, FontLook::Smooth));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT textArea{r.left + gap + icon + Scaled(12), r.top, r.right - gap, r.bottom};
    DrawTextW(dc, std::wstring(kApplicationTitle).c_str(), -1, &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

std::wstring TF_About::ContactTarget(size_t row) const {
    if (row == kHomePageRow)
        return update_.homePage;
    return std::wstring(kContacts[row].target);
}

void TF_About::ContactClick(size_t row) {
    if (row >= std::size(kContacts))
        return;
    const std::wstring target = ContactTarget(row);
    // The home page may come from the network: it is opened only as a web address.
    if (row == kHomePageRow && !IsWebAddress(target))
        return;
    ports_.documents.Open(Hwnd(), target, row == kHomePageRow ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
}

void TF_About::sb_DownUpdateClick() {
    if (IsWindowVisible(sb_DownUpdate) && IsWebAddress(update_.downloadAddress))
        ports_.documents.Open(Hwnd(), update_.downloadAddress, SW_SHOWNORMAL);
}

void TF_About::sb_PomocClick() {
    if (IsWindowVisible(sb_Pomoc))
        ports_.OpenHelp(Hwnd());
}

void TF_About::sb_OKClick() {
    Close();
}

bool TF_About::OnCommand(UINT id, UINT code) {
    if (IsContact(id) && code == BN_CLICKED)
        ContactClick(id - kFirstContact);
    else if (code != BN_CLICKED)
        return false;
    else if (id == kOk || id == IDCANCEL)
        sb_OKClick();
    else if (id == kDownUpdate)
        sb_DownUpdateClick();
    else if (id == kPomoc)
        sb_PomocClick();
    return true;
}

bool TF_About::OnTimer(UINT_PTR id) {
    if (id != kDeadlineTimer)
        return false;
    // No answer in time: as a failed download, and a late answer is dropped.
    download_.Abandon();
    UpdateAnswer(std::nullopt);
    return true;
}

bool TF_About::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (IsContact(item.CtlID)) {
        const COLORREF link = CurrentPalette().link;
        DrawLinkButton(item, link, link, GetSysColor(COLOR_BTNFACE));
        return true;
    }
    if (item.CtlID != kPicture)
        return false;
    DrawPicture(item);
    return true;
}

bool TF_About::PreTranslate(MSG& msg) {
    const UINT id = static_cast<UINT>(GetDlgCtrlID(msg.hwnd));
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || GetParent(msg.hwnd) != Hwnd() ||
        !IsContact(id))
        return false;
    ContactClick(id - kFirstContact);
    return true;
}

LRESULT TF_About::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case kUpdateAnswerMessage:
            if (auto answer = download_.TakeResult())
                UpdateAnswer(*answer);
            return 0;
        case WM_SETCURSOR:
            if (IsContact(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
    }
    return OwnedDialog::HandleMessage(msg, wParam, lParam);
}

}  // namespace klaxora::win
