#include "win/config/alarm_window.h"

#include <commctrl.h>
#include <mmsystem.h>
// winmm names a function PlaySound; here the name is the sound action.
#undef PlaySound
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>

#include "actions/key_names.h"
#include "app/startup.h"
#include "config/vocabulary.h"
#include "util/text.h"
#include "win/actions/sound_panel.h"
#include "win/app/application.h"
#include "win/dialogs/about_window.h"
#include "win/dialogs/options_window.h"
#include "win/config/alarm_texts.h"
#include "win/sys/process_win.h"
#include "win/ui/file_dialogs.h"
#include "win/ui/gdi.h"
#include "win/ui/message_box.h"

namespace klaxora::win {

namespace T = alarm_texts;

namespace {

constexpr int kClientWidth = 550;
constexpr int kClientHeight = 301;
constexpr COLORREF kGroupColour = RGB(0x72, 0xF6, 0x75);
constexpr COLORREF kFormatColour = RGB(0, 0x40, 0);
constexpr UINT_PTR kClockTimer = 1;      // t_TimerDoCzasu
constexpr UINT_PTR kPickerTimer = 2;     // t_PozycjaMyszy
constexpr UINT kSyncLater = WM_APP + 1;  // a list's text is only final after its notification
constexpr int kRowHeight = 21;

TF_Alarm* g_hooked = nullptr;
int g_nextId = 1000;

HMENU NextId() {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_nextId++));
}

HWND Make(const wchar_t* cls, std::wstring_view text, DWORD style, int x, int y, int w, int h,
          HWND parent, HFONT font, DWORD exStyle = 0) {
    const std::wstring caption(text);
    HWND hwnd = CreateWindowExW(exStyle, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                                w, h, parent, NextId(), ModuleInstance(), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

HWND MakeLabel(HWND parent, std::wstring_view text, int x, int y, int w, int h, HFONT font,
               DWORD style = 0) {
    return Make(L"STATIC", text, SS_LEFT | style, x, y, w, h, parent, font);
}

HWND MakeCombo(HWND parent, int x, int y, int w, DWORD style, HFONT font) {
    return Make(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | style, x, y, w, 220, parent, font);
}

HWND MakeButton(HWND parent, std::wstring_view text, int x, int y, int w, int h, HFONT font,
                DWORD style = BS_PUSHBUTTON) {
    return Make(L"BUTTON", text, WS_TABSTOP | style, x, y, w, h, parent, font);
}

HWND MakeEdit(HWND parent, int x, int y, int w, int h, HFONT font) {
    return Make(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, x, y, w, h, parent, font,
                WS_EX_CLIENTEDGE);
}

// A button whose face is a small drawn glyph; the caption stays its accessible name.
HWND MakeGlyphButton(HWND parent, std::wstring_view name, int x, int y, int w, int h, HFONT font,
                     HICON icon, DWORD style = BS_PUSHBUTTON) {
    HWND b = MakeButton(parent, name, x, y, w, h, font, style | BS_ICON);
    SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    return b;
}

std::wstring TextOf(HWND hwnd) {
    if (!hwnd)
        return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring SelectedText(HWND combo) {
    if (!combo)
        return {};
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return {};
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

bool HasSelection(HWND combo) {
    return combo && SendMessageW(combo, CB_GETCURSEL, 0, 0) != CB_ERR;
}

void AddItems(HWND combo, std::span<const std::wstring_view> items) {
    for (std::wstring_view item : items) {
        const std::wstring s(item);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    }
}

int TextWidth(HFONT font, std::wstring_view text) {
    WindowDc dc(nullptr);
    SIZE size{};
    {
        SelectedObject f(dc, font);
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    }
    return size.cx;
}

void SetVisible(HWND hwnd, bool visible) {
    // The window's own flag: its parents may not be visible yet (the first show).
    if (hwnd && ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0) != visible) {
        ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void SetEnabled(HWND hwnd, bool enabled) {
    if (hwnd)
        EnableWindow(hwnd, enabled ? TRUE : FALSE);
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Labels that a control is laid into must not paint over it.
void SendBehind(HWND label) {
    SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void EnableChildren(HWND parent) {
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM) -> BOOL {
            EnableWindow(child, TRUE);
            return TRUE;
        },
        0);
}

// A window of this thread by its class, for the other forms this window shows.
HWND ThreadWindowOfClass(const wchar_t* className) {
    struct Search {
        const wchar_t* name;
        HWND found;
    } search{className, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t cls[64] = {};
            GetClassNameW(hwnd, cls, 64);
            if (lstrcmpW(cls, s->name) == 0) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The actions whose panel BuildDeferredControls makes.
bool ShowsDeferredPanel(ActionKind action) {
    switch (action) {
        case ActionKind::Message:
        case ActionKind::OpenFolder:
        case ActionKind::OpenFile:
        case ActionKind::RunProgram:
        case ActionKind::OpenWebPage:
        case ActionKind::ShutDown:
        case ActionKind::Other:
            return true;
        default:
            return false;
    }
}

// The triggers whose notebook page BuildDeferredControls makes.
bool ShowsDeferredPage(TriggerKind trigger) {
    return trigger == TriggerKind::NoInternet || trigger == TriggerKind::ProgramNotResponding ||
           trigger == TriggerKind::ProgramClosed || trigger == TriggerKind::ProgramStarted;
}

// Process-wide sort state of the process list.
int g_sortColumn = -1;
bool g_sortAscending = false;

// lv_ProcesyCompare: the texts of the sort column, letter case of a..z ignored. Rows carry
// their index in the list of texts the last fill made.
int CALLBACK CompareProcessRows(LPARAM a, LPARAM b, LPARAM rows) {
    const auto& texts = *reinterpret_cast<const std::vector<std::array<std::wstring, 3>>*>(rows);
    const size_t column = static_cast<size_t>(g_sortColumn);
    const int result = CompareAsciiNoCase(texts[static_cast<size_t>(a)][column],
                                          texts[static_cast<size_t>(b)][column]);
    return g_sortAscending ? result : -result;
}

}  // namespace

LRESULT CALLBACK AlarmMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && g_hooked && g_hooked->Hwnd()) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
            (msg->hwnd == g_hooked->Hwnd() || IsChild(g_hooked->Hwnd(), msg->hwnd))) {
            bool handled = false;
            try {
                handled = g_hooked->PreviewKey(*msg);
            } catch (...) {
                ShowException();
                handled = true;
            }
            if (handled)
                msg->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

DeferredControl::operator HWND() const {
    if (!hwnd_ && owner_)
        owner_->BuildDeferredControls();
    return hwnd_;
}

HWND DeferredSpinEdit::Edit() const {
    if (!SpinEdit::Edit())
        owner_->BuildDeferredControls();
    return SpinEdit::Edit();
}

int64_t DeferredSpinEdit::Value() const {
    Edit();
    return SpinEdit::Value();
}

void DeferredSpinEdit::SetValue(int64_t value) {
    Edit();
    SpinEdit::SetValue(value);
}

TF_Alarm::TF_Alarm() {
    OpenDocument = [](const std::wstring& path) {
        ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    };
    CloseMainWindow = [] {
        if (HWND main = ThreadWindowOfClass(L"TF_Glowna"))
            PostMessageW(main, WM_CLOSE, 0, 0);
    };
    ProcessPath = [](DWORD processId) { return Win32ProcessWatch().GetProcessPath(processId); };
}

TF_Alarm::~TF_Alarm() {
    created_ = false;
    if (hook_)
        UnhookWindowsHookEx(hook_);
    if (g_hooked == this)
        g_hooked = nullptr;
    // The controls go while every member is still alive.
    if (Hwnd())
        DestroyWindow(Hwnd());
}

// ---------------------------------------------------------------------------------------------
// Creation

void TF_Alarm::Create() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    font_.Reset(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
    boldFont_.Reset(CreateFontW(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
    bigBoldFont_.Reset(CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
    groupBrush_.Reset(CreateSolidBrush(kGroupColour));
    playIcon_.Reset(CreateSmallGlyphIcon(SmallGlyph::Play));
    pauseIcon_.Reset(CreateSmallGlyphIcon(SmallGlyph::Pause));
    stopIcon_.Reset(CreateSmallGlyphIcon(SmallGlyph::Stop));
    dropIcon_.Reset(CreateSmallGlyphIcon(SmallGlyph::DropDown));
    skin_.Create(kClientWidth, kClientHeight);

    // No frame and no caption bar: the window is exactly its client area.
    CreateWindowOf({L"TF_Alarm", 0, nullptr}, T::kCaption.data(),
                   WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                   WS_EX_CONTROLPARENT | WS_EX_APPWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                   kClientWidth, kClientHeight, nullptr);
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    SetWindowRgn(Hwnd(), skin_.CreateRegion(), FALSE);
    bigIcon_.Reset(CreateBellIcon(GetSystemMetrics(SM_CXICON)));
    smallIcon_.Reset(CreateBellIcon(GetSystemMetrics(SM_CXSMICON)));
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));

    CreateTopRow();
    CreateTriggerGroup();
    CreateActionGroup();
    FormCreate();
    // Tab runs through the trigger, the action, then the top row.
    for (ImageButton* b : {&ib_Stop, &ib_WWW, &ib_Skrot, &ib_About, &ib_Opcje, &ib_Koniec,
                           &ib_Minimalizuj, &ib_Start}) {
        SetWindowPos(b->Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    hook_ = SetWindowsHookExW(WH_GETMESSAGE, &AlarmMessageHook, nullptr, GetCurrentThreadId());
    g_hooked = this;
    created_ = true;
}

void TF_Alarm::CreateTopRow() {
    struct ControlDef {
        ImageButton* button;
        int x;
        ButtonGlyph glyph;
        std::wstring_view hint;
    };
    const ControlDef defs[] = {
        {&ib_Stop, 240, ButtonGlyph::Stop, T::kStopHint},
        {&ib_WWW, 284, ButtonGlyph::Www, T::kWwwHint},
        {&ib_Skrot, 321, ButtonGlyph::Shortcut, T::kSkrotHint},
        {&ib_About, 358, ButtonGlyph::About, T::kAboutHint},
        {&ib_Opcje, 395, ButtonGlyph::Options, T::kOpcjeHint},
        {&ib_Koniec, 432, ButtonGlyph::Quit, T::kKoniecHint},
        {&ib_Minimalizuj, 469, ButtonGlyph::Minimize, T::kMinimalizujHint},
        {&ib_Start, 506, ButtonGlyph::Start, T::kStartHint},
    };
    for (const ControlDef& s : defs) {
        const POINT origin{s.x, 10};
        const ButtonGlyph glyph = s.glyph;
        s.button->Create(
            Hwnd(), g_nextId++, s.x, 10, 37, 37, std::wstring(s.hint),
            [this, glyph, origin](HDC dc, const RECT& rc, ImageState state, bool focused) {
                DrawButtonPicture(dc, rc, glyph, state, focused, skin_, origin);
            });
    }
}

void TF_Alarm::CreateTriggerGroup() {
    HFONT f = static_cast<HFONT>(font_.Get());
    HFONT bold = static_cast<HFONT>(boldFont_.Get());
    HFONT big = static_cast<HFONT>(bigBoldFont_.Get());
    gb1.Create(Hwnd(), 12, 51, 213, 222, kGroupColour, T::kGb1Caption.data(), true, f);
    HWND g = gb1.Hwnd();
    Label20 = MakeLabel(g, T::kLabel20, 8, 18, 197, 13, f);
    cb_A_Wykonaj = MakeCombo(g, 6, 33, 201, CBS_DROPDOWNLIST | CBS_SORT, f);
    for (const TriggerInfo& t : Triggers()) {
        if (t.kind == TriggerKind::AfterWindowsStart)
            continue;  // no item of its own
        const std::wstring s(t.caption);
        SendMessageW(cb_A_Wykonaj, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    }

    nb_Zakladki.Create(g, 3, 60, 207, 121, kGroupColour);
    for (size_t i = 0; i < pages.size(); ++i) {
        pages[i].Create(nb_Zakladki.Hwnd(), 0, 0, 207, 121, kGroupColour);
        ShowWindow(pages[i].Hwnd(), NotebookPages()[i] == kEmptyPage ? SW_SHOWNA : SW_HIDE);
    }
    auto page = [this](std::wstring_view name) {
        for (size_t i = 0; i < pages.size(); ++i) {
            if (NotebookPages()[i] == name)
                return pages[i].Hwnd();
        }
        return HWND{};
    };

    // A row of three spin edits with the colons of the bold label between them.
    auto timeRow = [&](HWND p, HWND& colons, SpinEdit& h, SpinEdit& m, SpinEdit& s, HWND& list,
                       SpinRange hr, SpinRange mr, SpinRange sr, int hoursWidth,
                       std::wstring_view listHint) {
        const int y = 22;
        const int colonWidth = TextWidth(big, L":");
        const int run = TextWidth(big, T::kColons.substr(0, 10));  // ":" and nine spaces
        const int colon1 = 4 + hoursWidth + 2;
        const int colon2 = colon1 + run;
        colons =
            MakeLabel(p, T::kColons, colon1, y, run + colonWidth + 2, kRowHeight, big, SS_NOPREFIX);
        h.Create(p, g_nextId++, 4, y, hoursWidth, kRowHeight, hr);
        const int mx = colon1 + colonWidth + 2;
        m.Create(p, g_nextId++, mx, y, colon2 - 2 - mx, kRowHeight, mr);
        const int sx = colon2 + colonWidth + 2;
        s.Create(p, g_nextId++, sx, y, 46, kRowHeight, sr);
        for (SpinEdit* e : {&h, &m, &s})
            SendMessageW(e->Edit(), WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        list = MakeGlyphButton(p, listHint, sx + 46 + 4, y, 22, kRowHeight, f,
                               static_cast<HICON>(dropIcon_.Get()));
        SendBehind(colons);
    };

    HWND odl = page(Info(TriggerKind::Countdown).page);
    Label23 = MakeLabel(odl, T::kLabel23, 4, 4, 199, 13, f);
    timeRow(odl, Label2, se_ur_po_czasie_godz, se_ur_po_czasie_min, se_ur_po_czasie_sec,
            sb_ur_alarm_za, ranges::kCountdownHours, ranges::kCountdownMinutes,
            ranges::kCountdownSeconds, 60, T::kZaHint);
    sb_SpecialTime = MakeButton(odl, T::kKreator, 4, 52, 75, 23, f);
    Label24 = MakeLabel(odl, T::kTimeFormat, 0, 100, 207, 14, bold, SS_CENTER);

    HWND at = page(Info(TriggerKind::AtTime).page);
    Label22 = MakeLabel(at, T::kLabel22, 4, 4, 199, 13, f);
    timeRow(at, Label21, se_ur_o_godz_godz, se_ur_o_godz_min, se_ur_o_godz_sec, sb_ur_alarm_o,
            ranges::kAtHour, ranges::kAtMinute, ranges::kAtSecond, 46, T::kOHint);
    SpeedButton2 = MakeButton(at, T::kKreator, 4, 52, 75, 23, f);
    Label13 = MakeLabel(at, T::kTimeFormat, 0, 100, 207, 14, bold, SS_CENTER);

    HWND win = page(Info(TriggerKind::AfterWindowsStart).page);
    Label27 = MakeLabel(win, T::kLabel27, 4, 4, 199, 40, f);

    // The repeat edit lies in the gap of the check box's caption.
    cb_PowtorzAkcje = MakeButton(g, T::kPowtorz, 8, 193, 200, 17, f, BS_AUTOCHECKBOX);
    const int gapX = 8 + GetSystemMetrics(SM_CXMENUCHECK) + 5 + TextWidth(f, T::kPowtorzLead);
    e_CzasPowtorki = MakeEdit(g, gapX, 191, 49, 20, f);
    SendMessageW(e_CzasPowtorki, EM_LIMITTEXT, 9, 0);
    SetWindowTextW(e_CzasPowtorki, L"60");
    EnableWindow(e_CzasPowtorki, FALSE);
    InstallDigitFilter(e_CzasPowtorki);
    SendBehind(cb_PowtorzAkcje);
}

void TF_Alarm::CreateActionGroup() {
    HFONT f = static_cast<HFONT>(font_.Get());
    gb2.Create(Hwnd(), 232, 51, 310, 222, kGroupColour, T::kGb2Caption.data(), true, f);
    HWND g = gb2.Hwnd();
    cb_Typ_Alarmu = MakeCombo(g, 7, 18, 296, CBS_DROPDOWNLIST, f);
    for (const ActionInfo& a : Actions()) {
        const std::wstring s(a.caption);
        SendMessageW(cb_Typ_Alarmu, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    }

    const int px = 7, py = 46, pw = 296, ph = 145;
    for (Panel* p : {&p_k_komunikat, &p_k_PdegrajDzwiek, &p_Zamknij, &p_UrProg, &p_Plik,
                     &p_OtworzFolder, &p_WWW, &p_Inne, &p_ZabijProces}) {
        p->Create(g, px, py, pw, ph, kGroupColour);
        if (p != &p_ZabijProces)
            ShowWindow(p->Hwnd(), SW_HIDE);
    }

    // The sound and kill panels are built now: the sound panel's player and hints and the
    // visible process list need their controls from the start. The others wait.
    CreateSoundPanel();

    // Kill a process: the list fills its panel.
    lv_Procesy =
        Make(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0,
             pw, ph, p_ZabijProces.Hwnd(), f, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(lv_Procesy, LVS_EX_FULLROWSELECT);
    const std::wstring_view columns[] = {T::kColumnName, T::kColumnThreads, T::kColumnId};
    for (int i = 0; i < 3; ++i) {
        std::wstring caption(columns[i]);
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        col.pszText = caption.data();
        col.cx = ListView_GetStringWidth(lv_Procesy, caption.c_str()) + 16;
        col.iSubItem = i;
        ListView_InsertColumn(lv_Procesy, i, &col);
    }

    amh_Help = MakeLabel(g, T::kAmhHelp, 9, 200, 60, 13, f, SS_NOTIFY);
    ShowWindow(amh_Help, SW_HIDE);
    SetWindowSubclass(
        amh_Help,
        [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) -> LRESULT {
            auto* self = reinterpret_cast<TF_Alarm*>(data);
            switch (msg) {
                case WM_LBUTTONDOWN:
                    self->amhPressed_ = true;
                    SetCapture(hwnd);
                    InvalidateRect(hwnd, nullptr, TRUE);
                    return 0;
                case WM_LBUTTONUP: {
                    if (!self->amhPressed_)
                        break;
                    self->amhPressed_ = false;
                    ReleaseCapture();
                    InvalidateRect(hwnd, nullptr, TRUE);
                    RECT rc;
                    GetClientRect(hwnd, &rc);
                    const POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
                    if (PtInRect(&rc, pt))
                        Guarded([self] { self->amh_HelpClick(); });
                    return 0;
                }
                case WM_SETCURSOR:
                    SetCursor(LoadCursorW(nullptr, IDC_HAND));
                    return TRUE;
                default:
                    break;
            }
            return DefSubclassProc(hwnd, msg, wp, lp);
        },
        1, reinterpret_cast<DWORD_PTR>(this));
    cb_Podglad = MakeButton(g, T::kPodglad, 228, 194, 75, 23, f, BS_PUSHBUTTON | BS_FLAT);

    fileEditors_ = {&e_ZawieszonyProgram, &e_UruchomionyProgram, &e_ProgramZamkniety,
                    &fne_PlikWAV,         &fne_PlikEXE,          &fne_Plik,
                    &de_Foldery};
}

void TF_Alarm::BuildDeferredControls() {
    // Before the first control exists: reading one while the panels are built must not start
    // building them again.
    if (deferredBuilt_ || !p_Inne.Hwnd())
        return;
    deferredBuilt_ = true;
    // The new controls' own notifications (a spin edit's first value) are not the user's.
    building_ = true;
    struct BuildingEnds {
        bool& flag;
        ~BuildingEnds() { flag = false; }
    } ends{building_};
    HFONT f = static_cast<HFONT>(font_.Get());
    const int pw = 296;

    auto programEditor = [&](HWND p, DeferredControl& label, FileEditor& editor) {
        label = MakeLabel(p, T::kProgramPath, 4, 4, 199, 13, f);
        editor.edit = MakeEdit(p, 4, 22, 176, kRowHeight, f);
        editor.browse = MakeButton(p, L"...", 182, 22, 21, kRowHeight, f);
        editor.filter = T::kFilterExe;
        editor.mustExist = true;
    };
    HWND po = PageWindow(Info(TriggerKind::ProgramNotResponding).page);
    programEditor(po, Label30, e_ZawieszonyProgram);
    Label31 = MakeLabel(po, T::kLabel31, 4, 76, 199, 40, f);
    HWND pu = PageWindow(Info(TriggerKind::ProgramStarted).page);
    programEditor(pu, Label29, e_UruchomionyProgram);
    Label28 = MakeLabel(pu, T::kLabel28, 4, 76, 199, 40, f);
    HWND pz = PageWindow(Info(TriggerKind::ProgramClosed).page);
    programEditor(pz, Label25, e_ProgramZamkniety);
    Label32 = MakeLabel(pz, T::kLabel32, 4, 76, 199, 40, f);

    HWND bn = PageWindow(Info(TriggerKind::NoInternet).page);
    Label1 = MakeLabel(bn, T::kLabel1, 4, 4, 199, 13, f);
    se_BrakNeta.Create(bn, g_nextId++, 4, 22, 113, kRowHeight, ranges::kNoInternetSeconds);
    SendMessageW(se_BrakNeta.Raw().Edit(), WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    Label15 = MakeLabel(bn, T::kLabel15, 121, 26, 12, 13, f);
    Label26 = MakeLabel(bn, T::kLabel26, 0, 100, 207, 14, f, SS_CENTER | SS_NOTIFY);
    if (hints_.Hwnd()) {
        hints_.Add(se_BrakNeta.Raw().Edit(), std::wstring(T::kBrakNetaHint));
        hints_.Add(Label26.Raw(), std::wstring(T::kLabel26Hint));
    }

    // Message.
    HWND k = p_k_komunikat.Hwnd();
    Label4 = MakeLabel(k, T::kLabel4, 0, 2, pw, 13, f);
    cb_Komunikat = MakeCombo(k, 0, 18, pw, CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL, f);
    AddItems(cb_Komunikat, MessageTextPresets());
    Label5 = MakeLabel(k, T::kLabel5, 0, 50, pw, 13, f);
    cb_Caption = MakeCombo(k, 0, 66, pw, CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL, f);
    AddItems(cb_Caption, MessageCaptionPresets());

    // Shut down.
    HWND z = p_Zamknij.Hwnd();
    Label7 = MakeLabel(z, T::kLabel7, 0, 2, pw, 13, f);
    cb_ZamknijSystem = MakeCombo(z, 0, 18, pw, CBS_DROPDOWNLIST | CBS_SORT, f);
    for (const ShutdownInfo& s : ShutdownKinds()) {
        const std::wstring c(s.caption);
        SendMessageW(cb_ZamknijSystem, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.c_str()));
    }

    // Program, file, folder: a label, the editor with its browse button, the recent list.
    auto fileRow = [&](HWND p, DeferredControl& label, std::wstring_view caption,
                       FileEditor& editor, std::wstring_view filter, bool mustExist,
                       DeferredControl& list) {
        label = MakeLabel(p, caption, 0, 2, pw, 13, f);
        editor.edit = MakeEdit(p, 0, 18, 248, kRowHeight, f);
        editor.browse = MakeButton(p, L"...", 250, 18, 21, kRowHeight, f);
        editor.filter = filter;
        editor.mustExist = mustExist;
        list = MakeGlyphButton(p, L"Lista", 274, 18, 22, kRowHeight, f,
                               static_cast<HICON>(dropIcon_.Get()));
    };
    fileRow(p_UrProg.Hwnd(), Label8, T::kLabel8, fne_PlikEXE, T::kFilterProgram, true,
            sb_ListaPlikowEXE);
    fileRow(p_Plik.Hwnd(), Label9, T::kLabel9, fne_Plik, T::kFilterAny, false, sb_ListaPlikow);
    fileRow(p_OtworzFolder.Hwnd(), Label10, T::kLabel10, de_Foldery, L"", true, sb_ListaFolderow);

    HWND w = p_WWW.Hwnd();
    Label11 = MakeLabel(w, T::kLabel11, 0, 2, pw, 13, f);
    e_WWW = MakeEdit(w, 0, 18, 272, kRowHeight, f);
    sb_ListaWWW = MakeGlyphButton(w, L"Lista", 274, 18, 22, kRowHeight, f,
                                  static_cast<HICON>(dropIcon_.Get()));

    CreateOtherPanel();
}

void TF_Alarm::CreateSoundPanel() {
    HFONT f = static_cast<HFONT>(font_.Get());
    HWND s = p_k_PdegrajDzwiek.Hwnd();
    Label6 = MakeLabel(s, T::kLabel6, 0, 2, 296, 13, f);
    fne_PlikWAV.edit = MakeEdit(s, 0, 18, 248, kRowHeight, f);
    fne_PlikWAV.browse = MakeButton(s, L"...", 250, 18, 21, kRowHeight, f);
    fne_PlikWAV.filter = T::kFilterSound;
    fne_PlikWAV.mustExist = true;
    sb_ListaPlikowWAV = MakeGlyphButton(s, L"Lista", 274, 18, 22, kRowHeight, f,
                                        static_cast<HICON>(dropIcon_.Get()));
    Label128 = MakeLabel(s, T::kLabel128, 0, 50, 30, 13, f);
    LabelCzas =
        MakeLabel(s, kNoSoundFile, 32, 50, 150, 13, static_cast<HFONT>(boldFont_.Get()), SS_NOTIFY);
    // Transport: push-like check buttons, checked meaning "down".
    Play = MakeGlyphButton(s, T::kPlayHint, 0, 72, 30, 24, f, static_cast<HICON>(playIcon_.Get()),
                           BS_CHECKBOX | BS_PUSHLIKE);
    Pause = MakeGlyphButton(s, T::kPauseHint, 31, 72, 30, 24, f,
                            static_cast<HICON>(pauseIcon_.Get()), BS_CHECKBOX | BS_PUSHLIKE);
    Stop = MakeGlyphButton(s, T::kStopSoundHint, 62, 72, 30, 24, f,
                           static_cast<HICON>(stopIcon_.Get()), BS_CHECKBOX | BS_PUSHLIKE);
    SendMessageW(Stop, BM_SETCHECK, BST_CHECKED, 0);
    LoopCheckBox = MakeButton(s, T::kLoop, 104, 76, 190, 17, f, BS_AUTOCHECKBOX);
    for (HWND c : {Play, Pause, Stop, LoopCheckBox})
        EnableWindow(c, FALSE);
    Player().Attach({LabelCzas, Play, Pause, Stop, LoopCheckBox, Hwnd()});
}

void TF_Alarm::CreateOtherPanel() {
    HFONT f = static_cast<HFONT>(font_.Get());
    HWND p = p_Inne.Hwnd();
    Label12 = MakeLabel(p, T::kLabel12, 0, 2, 296, 13, f);
    cb_InneOpcje = MakeCombo(p, 0, 18, 296, CBS_DROPDOWNLIST | CBS_SORT, f);
    for (const OtherActionInfo& o : OtherActions()) {
        const std::wstring c(o.caption);
        SendMessageW(cb_InneOpcje, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.c_str()));
    }
    for (Panel* sub : {&p_Inne_Klawisz, &p_Inne_DyskCD, &p_Inne_Klikniecie1}) {
        sub->Create(p, 0, 46, 296, 99, kGroupColour);
        ShowWindow(sub->Hwnd(), SW_HIDE);
    }

    HWND k = p_Inne_Klawisz.Hwnd();
    Label14 = MakeLabel(k, T::kLabel14, 0, 2, 296, 13, f);
    cb_Klawisze = MakeCombo(k, 0, 18, 296, CBS_DROPDOWNLIST, f);
    for (std::wstring_view name : KeyNames()) {
        const std::wstring c(name);
        SendMessageW(cb_Klawisze, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.c_str()));
    }

    HWND cd = p_Inne_DyskCD.Hwnd();
    Label18 = MakeLabel(cd, T::kLabel18, 0, 2, 296, 13, f);
    Label19 = MakeLabel(cd, T::kLabel19, 0, 24, 296, 13, f);
    const int driveX = TextWidth(f, T::kLabel19Lead1);
    const int opX = TextWidth(f, T::kLabel19Lead2);
    cb_Inne_DyskCD =
        MakeCombo(cd, driveX, 20, std::max(36, opX - TextWidth(f, L"Operacja: ") - driveX - 4),
                  CBS_DROPDOWNLIST | CBS_SORT | CBS_UPPERCASE, f);
    cd_Inne_DyskCD_WsWy =
        MakeCombo(cd, opX, 20, 90, CBS_DROPDOWNLIST | CBS_SORT | CBS_UPPERCASE, f);
    AddItems(cd_Inne_DyskCD_WsWy, CdTrayOperations());
    SendBehind(Label19);

    HWND c = p_Inne_Klikniecie1.Hwnd();
    Label16 = MakeLabel(c, T::kLabel16, 0, 2, 296, 13, f);
    Label17 = MakeLabel(c, T::kLabel17, 0, 24, 200, 13, f);
    const int xX = TextWidth(f, T::kLabel17Lead1);
    const int yX = TextWidth(f, T::kLabel17Lead2);
    const int yLabel = TextWidth(f, L"x =                     ");
    se_Inne_X_DC.Create(c, g_nextId++, xX, 20, std::min(70, yLabel - xX - 4), kRowHeight, {0, 0},
                        true);
    se_Inne_Y_DC.Create(c, g_nextId++, yX, 20, 70, kRowHeight, {0, 0}, true);
    for (SpinEdit* e : {&se_Inne_X_DC, &se_Inne_Y_DC}) {
        SendMessageW(e->Edit(), WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        SendMessageW(e->Edit(), EM_LIMITTEXT, 10, 0);
    }
    SpeedButton1 = MakeButton(c, T::kOkreslPunkt, yX + 74, 19, 296 - (yX + 74), 23, f);
    Label3 = MakeLabel(c, T::kLabel3, 0, 50, 296, 48, f);
    ShowWindow(Label3, SW_HIDE);
    SendBehind(Label17);
    se_Inne_X_DC.SetRange({0, GetSystemMetrics(SM_CXSCREEN)});
    se_Inne_Y_DC.SetRange({0, GetSystemMetrics(SM_CYSCREEN)});
}

void TF_Alarm::FormCreate() {
    CreateHints();
    ClockTick();
    SetTimer(Hwnd(), kClockTimer, 1000, nullptr);
    // ib_Stop waits outside the window until an alarm runs; out there Tab must not reach it.
    SetWindowPos(ib_Stop, nullptr, -40, -40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowLongPtrW(ib_Stop, GWL_STYLE, GetWindowLongPtrW(ib_Stop, GWL_STYLE) & ~WS_TABSTOP);
}

void TF_Alarm::CreateHints() {
    // Balloons first, as the window's first act; the ordinary hints come in addition.
    const std::wstring info(T::kInfoTitle);
    if (infoBalloons_.CreateBalloons(Hwnd(), info, TTI_INFO)) {
        infoBalloons_.AddClientArea(cb_Typ_Alarmu, std::wstring(T::kBalloonTyp));
        auto labelArea = [this](HWND label, std::wstring_view text) {
            RECT rc;
            if (!GetWindowRect(label, &rc))
                return;
            HWND page = GetParent(label);
            MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rc), 2);
            infoBalloons_.AddArea(page, rc, std::wstring(text));
        };
        labelArea(Label22, T::kBalloonLabel22);
        for (SpinEdit* e : {&se_ur_o_godz_godz, &se_ur_o_godz_min, &se_ur_o_godz_sec}) {
            infoBalloons_.AddClientArea(e->Edit(), std::wstring(T::kBalloonAt));
        }
        labelArea(Label23, T::kBalloonLabel23);
        for (SpinEdit* e : {&se_ur_po_czasie_godz, &se_ur_po_czasie_min, &se_ur_po_czasie_sec}) {
            infoBalloons_.AddClientArea(e->Edit(), std::wstring(T::kBalloonCountdown));
        }
    }
    if (warnBalloons_.CreateBalloons(Hwnd(), std::wstring(T::kWarnTitle), TTI_WARNING)) {
        warnBalloons_.AddClientArea(cb_PowtorzAkcje, std::wstring(T::kBalloonPowtorz));
    }
    if (infoBalloons_.Hwnd()) {
        infoBalloons_.AddClientArea(e_CzasPowtorki, std::wstring(T::kBalloonCzasPowtorki));
    }

    if (!hints_.CreateHints(Hwnd()))
        return;
    const std::pair<HWND, std::wstring_view> hints[] = {
        {ib_Stop, T::kStopHint},
        {ib_WWW, T::kWwwHint},
        {ib_Skrot, T::kSkrotHint},
        {ib_About, T::kAboutHint},
        {ib_Opcje, T::kOpcjeHint},
        {ib_Koniec, T::kKoniecHint},
        {ib_Minimalizuj, T::kMinimalizujHint},
        {ib_Start, T::kStartHint},
        {sb_ur_alarm_za, T::kZaHint},
        {sb_ur_alarm_o, T::kOHint},
        {LabelCzas, T::kLabelCzasHint},
        {Play, T::kPlayHint},
        {Pause, T::kPauseHint},
        {Stop, T::kStopSoundHint},
        {LoopCheckBox, T::kLoopHint},
        {lv_Procesy, T::kProcessesHint},
    };
    for (const auto& [control, text] : hints)
        hints_.Add(control, std::wstring(text));
}

// ---------------------------------------------------------------------------------------------
// Showing

void TF_Alarm::Close() {
    Hide();
}

void TF_Alarm::FirstShow() {
    // Centred on the primary monitor's work area.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(Hwnd(), nullptr, work.left + (work.right - work.left - kClientWidth) / 2,
                 work.top + (work.bottom - work.top - kClientHeight) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Until the last alarm is restored from the registry, a fresh window starts with the
    // time-of-day trigger unless the command line chose something.
    FirstShowDone = true;
    if (!HasSelection(cb_A_Wykonaj) && commandLineCount_ == 0) {
        const std::wstring at(Info(TriggerKind::AtTime).caption);
        SendMessageW(cb_A_Wykonaj, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(at.c_str()));
    }
    FillProcessList();
    SyncView();
}

void TF_Alarm::ClockTick() {
    wchar_t time[80] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, time, 80);
    gb1.SetCaption(ClockLine(time));
}

// ---------------------------------------------------------------------------------------------
// The view synchroniser

TimeFields TF_Alarm::Countdown() const {
    return {static_cast<int32_t>(se_ur_po_czasie_godz.Value()),
            static_cast<int32_t>(se_ur_po_czasie_min.Value()),
            static_cast<int32_t>(se_ur_po_czasie_sec.Value())};
}

SyncViewInput TF_Alarm::ReadInput() const {
    SyncViewInput in;
    in.firstShowDone = FirstShowDone;
    in.triggerText = SelectedText(cb_A_Wykonaj);
    in.countdown = Countdown();
    // Controls not built yet read as they would start: empty, nothing chosen.
    in.zawieszonyProgram = TextOf(e_ZawieszonyProgram.edit.Raw());
    in.programZamkniety = TextOf(e_ProgramZamkniety.edit.Raw());
    in.uruchomionyProgram = TextOf(e_UruchomionyProgram.edit.Raw());
    in.actionText = SelectedText(cb_Typ_Alarmu);
    in.messageText = TextOf(cb_Komunikat.Raw());
    in.messageCaption = TextOf(cb_Caption.Raw());
    in.soundFile = TextOf(fne_PlikWAV);
    in.shutdownSelected = HasSelection(cb_ZamknijSystem.Raw());
    in.programPath = TextOf(fne_PlikEXE.edit.Raw());
    in.filePath = TextOf(fne_Plik.edit.Raw());
    in.folderPath = TextOf(de_Foldery.edit.Raw());
    in.webAddress = TextOf(e_WWW.Raw());
    in.otherActionText = SelectedText(cb_InneOpcje.Raw());
    in.keySelected = HasSelection(cb_Klawisze.Raw());
    in.cdDriveSelected = HasSelection(cb_Inne_DyskCD.Raw());
    in.cdOperationSelected = HasSelection(cd_Inne_DyskCD_WsWy.Raw());
    in.pickerRunning = pickerRunning_;
    const std::wstring kill(Info(ActionKind::KillProcess).caption);
    in.killFromCommandLine = watch_ && watch_->ActionCaption == kill &&
                             watch_->ActionParameter == kill && !watch_->ActionDetail.empty();
    in.repeatChecked = Checked(cb_PowtorzAkcje);
    return in;
}

void TF_Alarm::SyncView() {
    if (!FirstShowDone)
        return;
    const std::wstring actionText = SelectedText(cb_Typ_Alarmu);
    const std::optional<ActionKind> action = ActionByCaption(actionText);
    const std::optional<TriggerKind> trigger = TriggerByCaption(SelectedText(cb_A_Wykonaj));
    if ((action && ShowsDeferredPanel(*action)) || (trigger && ShowsDeferredPage(*trigger)))
        BuildDeferredControls();
    // Sub-actions with their own fields refresh and restore them before they are judged.
    const SubActionPreparation prepare =
        PrepareSubAction(actionText, SelectedText(cb_InneOpcje.Raw()));
    if (prepare.refreshCdDrives)
        RefreshCdDriveList();
    if (prepare.restore && RestoreSubAction)
        RestoreSubAction(*prepare.restore);
    const SyncViewInput in = ReadInput();
    SoundOutcome outcome = SoundOutcome::NotAsked;
    const SoundStep step = SoundStepFor(in, files_);
    if (step == SoundStep::Load || step == SoundStep::Clear) {
        try {
            outcome = Player().ApplyFileChange(in.soundFile) == SoundFileChange::Loaded
                          ? SoundOutcome::Loaded
                          : SoundOutcome::NoFile;
        } catch (...) {
            // The states set so far stay; the error reaches the standard error box.
            ApplyDecision(DecideSyncView(in, files_, SoundOutcome::Failed));
            throw;
        }
    }
    const SyncViewDecision d = DecideSyncView(in, files_, outcome);
    ApplyDecision(d);
    if (!d.message.empty())
        ShowPlain(d.message);
}

void TF_Alarm::ApplyDecision(const SyncViewDecision& d) {
    if (!d.run)
        return;
    SetEnabled(cb_Podglad, d.podgladEnabled);
    SetVisible(cb_Podglad, d.podgladVisible);
    SetVisible(cb_Typ_Alarmu, true);
    ShowPage(d.page);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (NotebookPages()[i] == d.page)
            EnableChildren(pages[i].Hwnd());
    }
    ShowActionPanel(d.panel);
    if (d.sound == SoundStep::Load || d.sound == SoundStep::Clear) {
        if (d.skrotEnabled) {
            for (HWND c : {Play, Pause, Stop, LoopCheckBox})
                SetEnabled(c, d.transportEnabled);
        }
    }
    if (d.action == ActionKind::Other) {
        SetVisible(Label3, d.label3Visible);
        ShowSubPanel(d.subPanel);
        if (d.amhHint)
            amhHint_ = *d.amhHint;
    }
    SetVisible(amh_Help, d.amhHelpVisible);
    SetEnabled(ib_Start, d.startEnabled);
    if (d.skrotEnabled)
        SetEnabled(ib_Skrot, *d.skrotEnabled);
    if (d.repeatBoxEnabled)
        SetEnabled(cb_PowtorzAkcje, *d.repeatBoxEnabled);
    if (d.repeatEditEnabled)
        SetEnabled(e_CzasPowtorki, *d.repeatEditEnabled);
}

void TF_Alarm::ShowPage(std::wstring_view name) {
    // The new page appears before the old one goes, so nothing flashes through.
    for (size_t i = 0; i < pages.size(); ++i) {
        if (NotebookPages()[i] == name)
            SetVisible(pages[i].Hwnd(), true);
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        if (NotebookPages()[i] != name)
            SetVisible(pages[i].Hwnd(), false);
    }
}

// The action panels and the sub-panels of "Inne możliwości", named as the vocabulary names them.
std::array<std::pair<const Panel*, std::wstring_view>, 9> TF_Alarm::ActionPanels() const {
    return {{
        {&p_k_komunikat, Info(ActionKind::Message).panel},
        {&p_k_PdegrajDzwiek, Info(ActionKind::PlaySound).panel},
        {&p_Zamknij, Info(ActionKind::ShutDown).panel},
        {&p_UrProg, Info(ActionKind::RunProgram).panel},
        {&p_Plik, Info(ActionKind::OpenFile).panel},
        {&p_OtworzFolder, Info(ActionKind::OpenFolder).panel},
        {&p_WWW, Info(ActionKind::OpenWebPage).panel},
        {&p_Inne, Info(ActionKind::Other).panel},
        {&p_ZabijProces, Info(ActionKind::KillProcess).panel},
    }};
}

std::array<std::pair<const Panel*, std::wstring_view>, 3> TF_Alarm::SubPanels() const {
    return {{
        {&p_Inne_Klawisz, Info(OtherActionKind::PressKeys).subPanel},
        {&p_Inne_DyskCD, Info(OtherActionKind::CdTray).subPanel},
        {&p_Inne_Klikniecie1, Info(OtherActionKind::SingleClick).subPanel},
    }};
}

void TF_Alarm::ShowActionPanel(std::wstring_view name) {
    for (const auto& [panel, panelName] : ActionPanels())
        SetVisible(panel->Hwnd(), panelName == name);
}

void TF_Alarm::ShowSubPanel(std::wstring_view name) {
    for (const auto& [panel, panelName] : SubPanels())
        SetVisible(panel->Hwnd(), panelName == name);
}

HWND TF_Alarm::PageWindow(std::wstring_view name) const {
    for (size_t i = 0; i < pages.size(); ++i) {
        if (NotebookPages()[i] == name)
            return pages[i].Hwnd();
    }
    return nullptr;
}

std::wstring TF_Alarm::CurrentPage() const {
    for (size_t i = 0; i < pages.size(); ++i) {
        if (GetWindowLongPtrW(pages[i].Hwnd(), GWL_STYLE) & WS_VISIBLE) {
            return std::wstring(NotebookPages()[i]);
        }
    }
    return {};
}

std::wstring TF_Alarm::VisiblePanel() const {
    for (const auto& [panel, name] : ActionPanels()) {
        if (GetWindowLongPtrW(panel->Hwnd(), GWL_STYLE) & WS_VISIBLE)
            return std::wstring(name);
    }
    return {};
}

std::wstring TF_Alarm::VisibleSubPanel() const {
    for (const auto& [panel, name] : SubPanels()) {
        if (GetWindowLongPtrW(panel->Hwnd(), GWL_STYLE) & WS_VISIBLE)
            return std::wstring(name);
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// Change handlers

void TF_Alarm::cb_A_WykonajChange() {
    SyncView();
}

void TF_Alarm::cb_Typ_AlarmuChange() {
    SyncView();
    if (SelectedText(cb_Typ_Alarmu) == Info(ActionKind::KillProcess).caption)
        FillProcessList();
}

void TF_Alarm::se_BrakNetaChange() {
    SetWindowTextW(Label26, NoInternetLabel(se_BrakNeta.Value()).c_str());
    SyncView();
}

void TF_Alarm::se_ur_po_czasie_secChange() {
    const bool enabled = CountdownAllowsStart(Countdown());
    SetEnabled(ib_Start, enabled);
    SetEnabled(ib_Skrot, enabled);
}

void TF_Alarm::cb_KlawiszeChange() {
    const bool enabled = HasSelection(cb_Klawisze);
    SetEnabled(cb_Podglad, enabled);
    SetEnabled(ib_Start, enabled);
    SetEnabled(ib_Skrot, enabled);
}

void TF_Alarm::cb_Inne_DyskCDChange() {
    const bool enabled = HasSelection(cb_Inne_DyskCD) && HasSelection(cd_Inne_DyskCD_WsWy);
    SetEnabled(cb_Podglad, enabled);
    SetEnabled(ib_Start, enabled);
    SetEnabled(ib_Skrot, enabled);
}

void TF_Alarm::cb_PowtorzAkcjeClick() {
    SetEnabled(e_CzasPowtorki, RepeatEditEnabled(Checked(cb_PowtorzAkcje),
                                                 IsWindowEnabled(cb_PowtorzAkcje) != FALSE));
}

void TF_Alarm::amh_HelpClick() {
    const auto [text, title] = SplitHelpHint(amhHint_);
    ShowMessageBox(text, title, MB_ICONINFORMATION | MB_TOPMOST);
}

void TF_Alarm::DropDownWidth(HWND combo, int margin) {
    RECT rc;
    GetWindowRect(combo, &rc);
    WindowDc dc(combo);
    int widest = 0;
    {
        SelectedObject f(dc, font_.Get());
        const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
            if (length <= 0)
                continue;
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(length), &size);
            widest = std::max<int>(widest, size.cx);
        }
    }
    // Back to the box's width first: some list implementations refuse a width narrower than
    // the list's previous one.
    SendMessageW(combo, CB_SETDROPPEDWIDTH, 1, 0);
    SendMessageW(combo, CB_SETDROPPEDWIDTH, DroppedWidth(rc.right - rc.left, widest, margin), 0);
}

// ---------------------------------------------------------------------------------------------
// Keys and buttons

void TF_Alarm::OpenHelp() {
    const std::wstring path = HelpFilePath(files_.ExecutableDirectory());
    if (files_.FileExists(path) && OpenDocument)
        OpenDocument(path);
}

void TF_Alarm::FormKeyDown(WPARAM key) {
    if (key == VK_F1)
        OpenHelp();
    if (key == VK_F10)
        ib_AboutClick();
}

bool TF_Alarm::PreviewKey(MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        const WPARAM key = msg.wParam;
        if (msg.hwnd == se_Inne_X_DC.Raw().Edit() || msg.hwnd == se_Inne_Y_DC.Raw().Edit()) {
            if (key == VK_F1 || key == VK_F10 || key == VK_RETURN || key == VK_ESCAPE) {
                PickerKeyDown(key);
                return true;
            }
        } else if (msg.hwnd == lv_Procesy) {
            if (key == VK_F5) {
                FillProcessList();
                return true;
            }
            if (key == VK_F1 || key == VK_F10) {
                FormKeyDown(key);
                return true;
            }
        } else if (key == VK_F1 || key == VK_F10) {
            FormKeyDown(key);
            return true;
        }
    }
    // The action group's caption carries the mnemonic of its list.
    if (msg.message == WM_SYSCHAR && (msg.wParam == L'z' || msg.wParam == L'Z')) {
        SetFocus(cb_Typ_Alarmu);
        return true;
    }
    // Tab, the mnemonics of the labels and the arrow keys, as in a dialog.
    return IsDialogMessageW(Hwnd(), &msg) != FALSE;
}

void TF_Alarm::ib_OpcjeClick() {
    ShowDialogOverConfiguration(App().F_Opcje);
}

void TF_Alarm::ib_AboutClick() {
    ShowDialogOverConfiguration(App().F_About);
}

void TF_Alarm::ib_KoniecClick() {
    if (watch_ && watch_->Armed && !AskQuestion(T::kQuitWhileArmed))
        return;
    if (CloseMainWindow)
        CloseMainWindow();
}

void TF_Alarm::ib_MinimalizujClick() {
    Close();
}

void TF_Alarm::ib_WWWClick() {
    if (OpenDocument)
        OpenDocument(std::wstring(T::kHomePage));
}

void TF_Alarm::ib_StopClick() {}

// ---------------------------------------------------------------------------------------------
// Click-point picker

void TF_Alarm::SpeedButton1Click() {
    ShowMessageBox(T::kPickerStart, kWarningTitle, MB_ICONINFORMATION);
    pickerRunning_ = true;
    SetVisible(Label3, true);
    SetTimer(Hwnd(), kPickerTimer, 10, nullptr);
}

void TF_Alarm::PickerTick() {
    POINT pt{};
    if (!GetCursorPos(&pt))
        return;
    se_Inne_X_DC.SetValue(pt.x);
    se_Inne_Y_DC.SetValue(pt.y);
    if (GetFocus() != se_Inne_X_DC.Edit() && IsWindowVisible(se_Inne_X_DC.Edit())) {
        SetFocus(se_Inne_X_DC.Edit());
    }
}

void TF_Alarm::StopPicker() {
    KillTimer(Hwnd(), kPickerTimer);
    pickerRunning_ = false;
}

void TF_Alarm::PickerKeyDown(WPARAM key) {
    if (key == VK_F1 || key == VK_F10)
        FormKeyDown(key);
    if (key == VK_RETURN) {
        StopPicker();
        SetVisible(Label3, false);
        ShowNotice(PickedPointText(se_Inne_X_DC.Value(), se_Inne_Y_DC.Value()));
    }
    if (key == VK_ESCAPE)
        StopPicker();
    SetVisible(Label3, pickerRunning_);
}

// ---------------------------------------------------------------------------------------------
// Time texts and drives

void TF_Alarm::ApplyAtTimeText(const std::wstring& text) {
    wchar_t separator[8] = L":";
    if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8)) {
        lstrcpyW(separator, L":");
    }
    const std::optional<TimeFields> time = ParseAtTimeText(text, separator);
    se_ur_o_godz_godz.SetValue(time ? time->hours : 0);
    se_ur_o_godz_min.SetValue(time ? time->minutes : 0);
    se_ur_o_godz_sec.SetValue(time ? time->seconds : 0);
    if (!time)
        ShowError(kTimeFormatError);
}

void TF_Alarm::ApplyCountdownText(const std::wstring& text) {
    const std::optional<TimeFields> time = ParseCountdownText(text);
    se_ur_po_czasie_godz.SetValue(time ? time->hours : 0);
    se_ur_po_czasie_min.SetValue(time ? time->minutes : 0);
    se_ur_po_czasie_sec.SetValue(time ? time->seconds : 0);
    if (!time)
        ShowError(kTimeFormatError);
}

void TF_Alarm::RefreshCdDriveList() {
    // A drive the command line put into the list stays there. The drive the user has chosen
    // stays chosen while it is still a CD drive.
    const std::wstring chosen = SelectedText(cb_Inne_DyskCD);
    if (commandLineCount_ < 6)
        SendMessageW(cb_Inne_DyskCD, CB_RESETCONTENT, 0, 0);
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        const wchar_t item[] = {letter, L'\0'};
        if (GetDriveTypeW(root) == DRIVE_CDROM &&
            SendMessageW(cb_Inne_DyskCD, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(item)) == CB_ERR) {
            SendMessageW(cb_Inne_DyskCD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
    }
    if (!chosen.empty() && !HasSelection(cb_Inne_DyskCD)) {
        SendMessageW(cb_Inne_DyskCD, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(chosen.c_str()));
    }
}

// ---------------------------------------------------------------------------------------------
// Process list

void TF_Alarm::FillProcessList() {
    // One redraw for the whole fill rather than one per row.
    SendMessageW(lv_Procesy, WM_SETREDRAW, FALSE, 0);
    struct Redraw {
        HWND list;
        ~Redraw() {
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
        }
    } redraw{lv_Procesy};
    ListView_DeleteAllItems(lv_Procesy);
    processRows_.clear();
    // Processes only: a full system snapshot (heaps, modules) would cost far more.
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    int row = 0;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID <= 10)
            continue;  // the idle and system processes
        auto& texts = processRows_.emplace_back(
            std::array<std::wstring, 3>{entry.szExeFile, std::to_wstring(entry.cntThreads),
                                        std::to_wstring(entry.th32ProcessID)});
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = texts[0].data();
        item.lParam = static_cast<LPARAM>(processRows_.size() - 1);
        const int index = ListView_InsertItem(lv_Procesy, &item);
        if (index < 0)
            continue;
        ListView_SetItemText(lv_Procesy, index, 1, texts[1].data());
        ListView_SetItemText(lv_Procesy, index, 2, texts[2].data());
        ++row;
    }
}

void TF_Alarm::lv_ProcesyChange() {
    SyncView();
    const int row = ListView_GetNextItem(lv_Procesy, -1, LVNI_SELECTED);
    SetEnabled(ib_Start, row >= 0);
    SetEnabled(ib_Skrot, row >= 0);
    if (row < 0 || !ProcessPath)
        return;
    // A shortcut must be able to name the program.
    wchar_t id[32] = {};
    ListView_GetItemText(lv_Procesy, row, 2, id, 32);
    const std::wstring path = ProcessPath(static_cast<DWORD>(_wtoi64(id)));
    SetEnabled(ib_Skrot, !path.empty() && files_.FileExists(path));
}

void TF_Alarm::lv_ProcesyColumnClick(int column) {
    if (column == g_sortColumn) {
        g_sortAscending = !g_sortAscending;
    } else {
        g_sortColumn = column;
        g_sortAscending = true;
    }
    if (g_sortColumn < 0 || g_sortColumn > 2)
        return;
    ListView_SortItems(lv_Procesy, &CompareProcessRows, reinterpret_cast<LPARAM>(&processRows_));
}

// ---------------------------------------------------------------------------------------------
// Messages

void TF_Alarm::Browse(const FileEditor& editor) {
    const std::wstring current = TextOf(editor.edit);
    const std::optional<std::wstring> chosen =
        editor.filter.empty() ? ChooseFolder(Hwnd(), current)
                              : ChooseFile(Hwnd(), editor.filter, current, editor.mustExist);
    if (chosen)
        SetWindowTextW(editor.edit, chosen->c_str());
}

bool TF_Alarm::OnCommand(HWND c, WORD code) {
    if (!c)
        return false;
    if (code == CBN_DROPDOWN) {
        if (c == cb_A_Wykonaj || c == cb_InneOpcje)
            DropDownWidth(c, 30);
        if (c == cb_Komunikat || c == cb_Caption)
            DropDownWidth(c, 20);
        return true;
    }
    if (code == CBN_SELCHANGE) {
        if (c == cb_A_Wykonaj || c == cb_ZamknijSystem || c == cb_InneOpcje)
            cb_A_WykonajChange();
        else if (c == cb_Typ_Alarmu)
            cb_Typ_AlarmuChange();
        else if (c == cb_Klawisze)
            cb_KlawiszeChange();
        else if (c == cb_Inne_DyskCD || c == cd_Inne_DyskCD_WsWy)
            cb_Inne_DyskCDChange();
        else if (c == cb_Komunikat || c == cb_Caption)
            PostMessageW(Hwnd(), kSyncLater, 0, 0);
        return true;
    }
    if (code == CBN_EDITCHANGE) {
        if (c == cb_Komunikat || c == cb_Caption)
            cb_A_WykonajChange();
        return true;
    }
    if (code == EN_CHANGE) {
        if (c == se_BrakNeta.Raw().Edit())
            se_BrakNetaChange();
        else if (c == se_ur_po_czasie_godz.Edit() || c == se_ur_po_czasie_min.Edit() ||
                 c == se_ur_po_czasie_sec.Edit()) {
            se_ur_po_czasie_secChange();
        } else if (c == e_WWW) {
            cb_A_WykonajChange();
        } else {
            for (const FileEditor* editor : fileEditors_) {
                if (c == editor->edit)
                    cb_A_WykonajChange();
            }
        }
        return true;
    }
    if (code == EN_KILLFOCUS) {
        for (SpinEdit* e :
             {&se_ur_po_czasie_godz, &se_ur_po_czasie_min, &se_ur_po_czasie_sec, &se_ur_o_godz_godz,
              &se_ur_o_godz_min, &se_ur_o_godz_sec, &se_BrakNeta.Raw(), &se_Inne_X_DC.Raw(),
              &se_Inne_Y_DC.Raw()}) {
            if (c == e->Edit())
                e->Normalise();
        }
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (c == ib_Opcje)
        ib_OpcjeClick();
    else if (c == ib_About)
        ib_AboutClick();
    else if (c == ib_Koniec)
        ib_KoniecClick();
    else if (c == ib_Minimalizuj)
        ib_MinimalizujClick();
    else if (c == ib_WWW)
        ib_WWWClick();
    else if (c == ib_Stop)
        ib_StopClick();
    else if (c == cb_PowtorzAkcje)
        cb_PowtorzAkcjeClick();
    else if (c == SpeedButton1)
        SpeedButton1Click();
    else if (c == Play)
        Player().PlayClick();
    else if (c == Pause)
        Player().PauseClick();
    else if (c == Stop)
        Player().StopClick();
    else {
        for (const FileEditor* editor : fileEditors_) {
            if (c == editor->browse)
                Browse(*editor);
        }
    }
    return true;
}

LRESULT TF_Alarm::OnColour(HDC dc, HWND control) {
    wchar_t cls[16] = {};
    GetClassNameW(control, cls, 16);
    if (lstrcmpiW(cls, L"Edit") == 0) {
        // Read-only editors keep the look of an editor.
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, kGroupColour);
    if (control == Label24 || control == Label13)
        SetTextColor(dc, kFormatColour);
    if (control == amh_Help)
        SetTextColor(dc, amhPressed_ ? RGB(255, 255, 255) : RGB(0, 0, 160));
    return reinterpret_cast<LRESULT>(groupBrush_.Get());
}

LRESULT TF_Alarm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Hwnd(), &ps);
            RECT all{0, 0, kClientWidth, kClientHeight};
            skin_.PaintArea(dc, all);
            EndPaint(Hwnd(), &ps);
            return 0;
        }
        case WM_NCHITTEST: {
            // Dragging the background moves the window.
            const LRESULT hit = Default(msg, wParam, lParam);
            return hit == HTCLIENT ? HTCAPTION : hit;
        }
        case WM_SHOWWINDOW:
            if (wParam && !FirstShowDone && created_)
                FirstShow();
            if (!wParam && pickerRunning_) {
                // A hidden window cannot take the point's Enter; the picker stops with it.
                StopPicker();
                SetVisible(Label3, false);
            }
            return Default(msg, wParam, lParam);
        case WM_ACTIVATE:
            // Like a dialog: the keyboard focus comes back to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Hwnd(), focus))
                    lastFocus_ = focus;
            } else if (created_) {
                HWND target = lastFocus_ && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) &&
                                      IsWindowEnabled(lastFocus_)
                                  ? lastFocus_
                                  : cb_A_Wykonaj;
                PostMessageW(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
            }
            return Default(msg, wParam, lParam);
        case WM_NEXTDLGCTL: {
            // As a dialog answers it: a given control, or the next or previous tab stop.
            HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(Hwnd(), GetFocus(), wParam != 0);
            if (target)
                SetFocus(target);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kClockTimer)
                ClockTick();
            if (wParam == kPickerTimer)
                PickerTick();
            return 0;
        case WM_KEYDOWN:
            FormKeyDown(wParam);
            return 0;
        case WM_COMMAND:
            if (created_ && !building_ && lParam)
                OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        case kSyncLater:
            SyncView();
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (created_ && header->hwndFrom == lv_Procesy) {
                if (header->code == LVN_ITEMCHANGED) {
                    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
                    if ((change->uChanged & LVIF_STATE) &&
                        ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
                        lv_ProcesyChange();
                    }
                } else if (header->code == LVN_COLUMNCLICK) {
                    lv_ProcesyColumnClick(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
                }
            }
            return 0;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (ImageButton* button = ImageButton::From(item->hwndItem)) {
                button->Draw(*item);
                return TRUE;
            }
            return FALSE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case MM_MCINOTIFY:
            Player().PlayerNotify(wParam, lParam);
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

}  // namespace klaxora::win
