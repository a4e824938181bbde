#include "win/config/alarm_window.h"

#include <commctrl.h>
#include <mmsystem.h>
// winmm names a function PlaySound; here the name is the sound action.
#undef PlaySound
#include <shellapi.h>

#include "app/startup.h"
#include "config/vocabulary.h"
#include "util/text.h"
#include "win/config/alarm_layout.h"
#include "win/config/alarm_texts.h"
#include "win/ui/dpi.h"
#include "win/sys/process_win.h"
#include "win/ui/fonts.h"
#include "win/ui/link_button.h"
#include "win/ui/message_box.h"
#include "win/ui/palette.h"

namespace klaxora::win {

namespace T = alarm_texts;
namespace L = alarm_layout;

namespace {

constexpr COLORREF kGroupColour = RGB(0x72, 0xF6, 0x75);
constexpr UINT_PTR kClockTimer = 1;  // t_TimerDoCzasu

// The top row, left to right.
struct TopButton {
    ImageButton TF_Alarm::*button;
    TF_Alarm::Id id;
    int x;
    ButtonGlyph glyph;
    std::wstring_view hint;
    void (TF_Alarm::*click)();
};
using A = TF_Alarm;
constexpr TopButton kTopRow[] = {
    {&A::ib_Stop, A::kStop, 240, ButtonGlyph::Stop, T::kStopHint, &A::ib_StopClick},
    {&A::ib_WWW, A::kWWW, 284, ButtonGlyph::Www, T::kWwwHint, &A::ib_WWWClick},
    {&A::ib_Skrot, A::kSkrot, 321, ButtonGlyph::Shortcut, T::kSkrotHint, &A::ib_SkrotClick},
    {&A::ib_About, A::kAbout, 358, ButtonGlyph::About, T::kAboutHint, &A::ib_AboutClick},
    {&A::ib_Opcje, A::kOpcje, 395, ButtonGlyph::Options, T::kOpcjeHint, &A::ib_OpcjeClick},
    {&A::ib_Koniec, A::kKoniec, 432, ButtonGlyph::Quit, T::kKoniecHint, &A::ib_KoniecClick},
    {&A::ib_Minimalizuj, A::kMinimalizuj, 469, ButtonGlyph::Minimize, T::kMinimalizujHint,
     &A::ib_MinimalizujClick},
    {&A::ib_Start, A::kStart, 506, ButtonGlyph::Start, T::kStartHint, &A::ib_StartClick},
};

void EnableChildren(HWND parent) {
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM) -> BOOL {
            EnableWindow(child, TRUE);
            return TRUE;
        },
        0);
}

}  // namespace

TF_Alarm::TF_Alarm(const WindowPorts& ports)
    : ports_(ports),
      registry_(ports.registry),
      files_(ports.files),
      folders_(ports.folders),
      processes_(ports.processes),
      processControl_(ports.processControl),
      player_(ports.sound),
      program_nie_odpowiada(T::kProgramNieOdpowiada, kit_),
      program_uruch(T::kProgramUruchomiony, kit_),
      program_zamkniety(L"", kit_),
      p_UrProg(T::kSciezkaProgramu, T::kFilterProgram, true, kit_),
      p_Plik(T::kSciezkaPliku, T::kFilterAny, false, kit_),
      p_OtworzFolder(T::kSciezkaFolderu, L"", true, kit_) {
    // What each page and panel reports, and the handler it reaches.
    const auto sync = [this] { cb_A_WykonajChange(); };
    odlicz_w_dol.Changed = [this] { se_ur_po_czasie_secChange(); };
    for (ProgramPage* page : {&program_nie_odpowiada, &program_uruch, &program_zamkniety})
        page->Changed = sync;
    brak_neta.Changed = [this] { SyncView(); };
    p_k_komunikat.Changed = sync;
    p_k_PdegrajDzwiek.Changed = sync;
    p_Zamknij.Changed = sync;
    for (PathPanel* panel : {&p_UrProg, &p_Plik, &p_OtworzFolder})
        panel->Changed = sync;
    p_WWW.Changed = sync;
    p_Inne.Changed = sync;
    p_Inne.p_Inne_Klawisz.Changed = [this] { cb_KlawiszeChange(); };
    p_Inne.p_Inne_DyskCD.Changed = [this] { cb_Inne_DyskCDChange(); };
    p_ZabijProces.RowChanged = [this] { lv_ProcesyChange(); };
    ConnectRecentSlots();
    odlicz_w_dol.WizardClicked = [this] { sb_SpecialTimeClick(); };
    wykonaj_o.WizardClicked = [this] { SpeedButton2Click(); };
}

TF_Alarm::~TF_Alarm() {
    created_ = false;
    // The controls go while every member is still alive.
    if (Hwnd())
        DestroyWindow(Hwnd());
}

void TF_Alarm::Connect(Links links) {
    links_ = std::move(links);
    alarm_ = links_.alarm;
}

// ---------------------------------------------------------------------------------------------
// Creation

void TF_Alarm::Create() {
    // No frame and no caption bar: the window is exactly its client area, sized for its DPI
    // once it exists.
    CreateWindowOf({L"TF_Alarm", 0, nullptr}, T::kCaption.data(),
                   WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                   WS_EX_CONTROLPARENT | WS_EX_APPWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                   L::kClientWidth, L::kClientHeight, nullptr);
    kit_.colour = kGroupColour;
    kit_.hints = &hints_;
    kit_.balloons = &infoBalloons_;
    MakeLook(Dpi());
    SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(kit_.font), FALSE);

    // Tab runs through the trigger, the action, then the top row: the order of creation, as
    // each new child goes below its elder siblings.
    CreateTriggerGroup();
    CreateActionGroup();
    CreateTopRow();
    FormCreate();
    // The process panel is the one shown at creation. Its list is built when something writes
    // to it or the first show keeps it; the first show usually shows another panel.
    p_ZabijProces.ShowUnbuilt();
    created_ = true;
}

// The fonts, the skin, the window's shape, its icons and the glyphs, for `dpi`.
void TF_Alarm::MakeLook(UINT dpi) {
    const auto remade = [&](IconHandle& icon, HICON next) {
        const HICON before = icon.Get();
        icon.Reset(next);
        return std::pair{before, next};
    };
    const int glyph = Scale(16, dpi);
    const std::vector<std::pair<HICON, HICON>> icons{
        remade(playIcon_, CreateSmallGlyphIcon(SmallGlyph::Play, glyph)),
        remade(pauseIcon_, CreateSmallGlyphIcon(SmallGlyph::Pause, glyph)),
        remade(stopIcon_, CreateSmallGlyphIcon(SmallGlyph::Stop, glyph)),
        remade(dropIcon_, CreateSmallGlyphIcon(SmallGlyph::DropDown, glyph))};
    ReplaceButtonIcons(Hwnd(), icons);
    kit_.font = Font(-11, FontWeight::Normal);
    kit_.bold = Font(-11, FontWeight::Bold);
    kit_.bigBold = Font(-16, FontWeight::Bold);
    kit_.playIcon = playIcon_.Get();
    kit_.pauseIcon = pauseIcon_.Get();
    kit_.stopIcon = stopIcon_.Get();
    kit_.dropIcon = dropIcon_.Get();
    skin_.Create(L::kClientWidth, L::kClientHeight, dpi);
    SetWindowPos(Hwnd(), nullptr, 0, 0, skin_.Width(), skin_.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowRgn(Hwnd(), skin_.CreateRegion(), IsWindowVisible(Hwnd()));
    bigIcon_.Reset(CreateBellIcon(SystemMetricAt(SM_CXICON, dpi)));
    smallIcon_.Reset(CreateBellIcon(SystemMetricAt(SM_CXSMICON, dpi)));
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

void TF_Alarm::OnDpiChanged(UINT dpi) {
    MakeLook(dpi);
}

void TF_Alarm::CreateTopRow() {
    for (const TopButton& b : kTopRow) {
        const ButtonGlyph glyph = b.glyph;
        ImageButton TF_Alarm::*button = b.button;
        (this->*b.button)
            .Create(Hwnd(), b.id, L::TopButton(b.x), b.hint,
                    [this, glyph, button](HDC dc, const RECT& rc, ImageState state, bool focused) {
                        // The skin under the button, wherever the window's scale put it.
                        RECT at{};
                        GetWindowRect((this->*button).Hwnd(), &at);
                        MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&at), 2);
                        DrawButtonPicture(dc, rc, glyph, state, focused, skin_, {at.left, at.top});
                    });
    }
}

void TF_Alarm::CreateTriggerGroup() {
    HFONT f = kit_.font;
    gb1.Create(Hwnd(), L::kTriggerGroup, kGroupColour, true, T::kGb1Caption.data(), true, f);
    gb1.SendCommandsToWindow();
    HWND g = gb1.Hwnd();
    l_Wyzwalacz.Create(g, kTriggerLabel, L::kTriggerLabel, T::kTriggerLabel, f);
    // Filled in the triggers' order, which the system's sort would change by locale.
    cb_A_Wykonaj.Create(g, kTriggerList, L::kTriggerList, f, CBS_DROPDOWNLIST);
    for (const TriggerInfo& t : Triggers()) {
        if (t.kind != TriggerKind::AfterWindowsStart)  // no item of its own
            cb_A_Wykonaj.Add(t.caption);
    }

    nb_Zakladki.Create(g, L::kNotebook, kGroupColour, true);
    for (const TriggerInfo& t : Triggers())
        PageOf(t.kind).Create(nb_Zakladki.Hwnd(), L::kPage, kGroupColour, false);
    empty.Create(nb_Zakladki.Hwnd(), L::kPage, kGroupColour, true);

    // Left to right, as they are read: the check box as wide as its caption, the edit, "s".
    const Box box = L::kRepeatBox;
    const int captionWidth = Unscale(SystemMetricAt(SM_CXMENUCHECK, Dpi()), Dpi()) + 5 +
                             Unscale(TextWidth(f, T::kPowtorzLead), Dpi());
    cb_PowtorzAkcje.Create(g, kRepeatBox, {box.x, box.y, captionWidth, box.h}, T::kPowtorz, f);
    const Box edit{box.x + captionWidth, L::kRepeatEditY, L::kRepeatEditWidth,
                   L::kRepeatEditHeight};
    CreateFieldName(l_CzasPowtorkiNazwa, g, kFieldName, edit, T::kRepeatSecondsName);
    e_CzasPowtorki.Create(g, kRepeatEdit, edit, f, ES_AUTOHSCROLL | ES_NUMBER);
    e_CzasPowtorki.SetLimit(kRepeatTextLimit);
    e_CzasPowtorki.SetText(T::kRepeatSeconds);
    e_CzasPowtorki.SetEnabled(false);
    l_CzasPowtorkiSek.Create(
        g, kRepeatUnit,
        {edit.Right() + L::kRepeatUnitGap, L::kRepeatUnit.y, L::kRepeatUnit.w, L::kRepeatUnit.h},
        T::kSekundy, f);
}

void TF_Alarm::CreateActionGroup() {
    HFONT f = kit_.font;
    gb2.Create(Hwnd(), L::kActionGroup, kGroupColour, true, T::kGb2Caption.data(), true, f);
    gb2.SendCommandsToWindow();
    HWND g = gb2.Hwnd();
    gb2.TextColourOf = [](HWND) { return CurrentPalette().groupText; };
    CreateFieldName(l_Typ_AlarmuNazwa, g, kFieldName, L::kActionList, Trim(T::kGb2Caption));
    cb_Typ_Alarmu.Create(g, kActionList, L::kActionList, f, CBS_DROPDOWNLIST);
    for (const ActionInfo& a : Actions())
        cb_Typ_Alarmu.Add(a.caption);
    for (const ActionInfo& a : Actions()) {
        if (Panel* panel = PanelOf(a.kind))
            panel->Create(g, L::kActionPanel, kGroupColour);
    }

    amh_Help.Create(g, kHelpLabel, L::kHelpLabel, T::kAmhHelp, f, BS_OWNERDRAW);
    amh_Help.SetVisible(false);
    cb_Podglad.Create(g, kPreview, L::kPreview, T::kPodglad, f, BS_PUSHBUTTON | BS_FLAT);
}

void TF_Alarm::FormCreate() {
    CreateHints();
    ClockTick();  // the clock line's timer runs only while the window shows (WM_SHOWWINDOW)
    // ib_Stop waits outside the window until an alarm runs; out there Tab must not reach it.
    SetWindowPos(ib_Stop, nullptr, Scaled(L::kParkedStop.x), Scaled(L::kParkedStop.y), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowLongPtrW(ib_Stop, GWL_STYLE, GetWindowLongPtrW(ib_Stop, GWL_STYLE) & ~WS_TABSTOP);
}

void TF_Alarm::CreateHints() {
    // The pages add theirs when they are built; each tooltip window is made when the mouse
    // first comes over one of its tools (RealizeHints).
    infoBalloons_.CreateBalloons(Hwnd(), std::wstring(kNoticeTitle), TTI_INFO);
    infoBalloons_.AddClientArea(cb_Typ_Alarmu, std::wstring(T::kBalloonTyp));
    infoBalloons_.AddClientArea(e_CzasPowtorki, std::wstring(T::kBalloonCzasPowtorki));
    warnBalloons_.CreateBalloons(Hwnd(), std::wstring(T::kWarnTitle), TTI_WARNING);
    warnBalloons_.AddClientArea(cb_PowtorzAkcje, std::wstring(T::kBalloonPowtorz));
    hints_.CreateHints(Hwnd());
    for (const TopButton& b : kTopRow)
        hints_.Add((this->*b.button).Hwnd(), std::wstring(b.hint));
    // Placed and filled while Start is greyed (SetStartEnabled).
    startWhyTip_ = hints_.AddArea(Hwnd(), {}, std::wstring());
}

void TF_Alarm::RealizeHints(HWND under) {
    for (ToolTips* tips : {&infoBalloons_, &warnBalloons_, &hints_}) {
        if (!tips->Hwnd() && tips->Awaits(under))
            tips->Realize();
    }
}

// ---------------------------------------------------------------------------------------------
// Showing

void TF_Alarm::Close() {
    Hide();
}

void TF_Alarm::ClockTick() {
    wchar_t time[80] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, time, 80);
    gb1.SetCaption(ClockLine(time));
}

const Panel& TF_Alarm::PageOf(TriggerKind trigger) const {
    switch (trigger) {
        case TriggerKind::Countdown:
            return odlicz_w_dol;
        case TriggerKind::AtTime:
            return wykonaj_o;
        case TriggerKind::ProgramNotResponding:
            return program_nie_odpowiada;
        case TriggerKind::NoInternet:
            return brak_neta;
        case TriggerKind::ProgramStarted:
            return program_uruch;
        case TriggerKind::ProgramClosed:
            return program_zamkniety;
        case TriggerKind::AfterWindowsStart:
            return wykonaj_win;
    }
    return empty;
}

const Panel* TF_Alarm::PanelOf(ActionKind action) const {
    switch (action) {
        case ActionKind::DefaultWindow:
            return nullptr;
        case ActionKind::Message:
            return &p_k_komunikat;
        case ActionKind::PlaySound:
            return &p_k_PdegrajDzwiek;
        case ActionKind::ShutDown:
            return &p_Zamknij;
        case ActionKind::RunProgram:
            return &p_UrProg;
        case ActionKind::OpenFile:
            return &p_Plik;
        case ActionKind::OpenFolder:
            return &p_OtworzFolder;
        case ActionKind::OpenWebPage:
            return &p_WWW;
        case ActionKind::Other:
            return &p_Inne;
        case ActionKind::KillProcess:
            return &p_ZabijProces;
    }
    return nullptr;
}

void TF_Alarm::ShowPage(TriggerKind trigger) {
    // The new page appears before the old one goes, so nothing flashes through.
    Panel& shown = PageOf(trigger);
    shown.SetShown(true);
    EnableChildren(shown.Hwnd());
    for (const TriggerInfo& t : Triggers()) {
        if (&PageOf(t.kind) != &shown)
            PageOf(t.kind).SetShown(false);
    }
    empty.SetShown(false);
}

void TF_Alarm::ShowActionPanel(std::optional<ActionKind> action) {
    Panel* shown = action ? PanelOf(*action) : nullptr;
    for (const ActionInfo& a : Actions()) {
        if (Panel* panel = PanelOf(a.kind))
            panel->SetShown(panel == shown);
    }
}

std::optional<TriggerKind> TF_Alarm::CurrentPage() const {
    for (const TriggerInfo& t : Triggers()) {
        if (PageOf(t.kind).Shown())
            return t.kind;
    }
    return std::nullopt;
}

std::optional<ActionKind> TF_Alarm::VisiblePanel() const {
    for (const ActionInfo& a : Actions()) {
        if (const Panel* panel = PanelOf(a.kind); panel && panel->Shown())
            return a.kind;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Messages

bool TF_Alarm::OnCommand(UINT id, UINT code) {
    if (!created_)
        return false;
    if (id == kTriggerList && code == CBN_DROPDOWN)
        cb_A_Wykonaj.FitDroppedWidth(30);
    else if (id == kTriggerList && code == CBN_SELCHANGE)
        cb_A_WykonajChange();
    else if (id == kActionList && code == CBN_SELCHANGE)
        cb_Typ_AlarmuChange();
    else if (id == kRepeatBox && code == BN_CLICKED)
        cb_PowtorzAkcjeClick();
    else if (id == kPreview && code == BN_CLICKED && links_.preview)
        links_.preview(ReadSettings());
    else if (id == kHelpLabel && code == BN_CLICKED)
        amh_HelpClick();
    else if (code != BN_CLICKED)
        return false;
    for (const TopButton& b : kTopRow) {
        if (b.id == id)
            (this->*b.click)();
    }
    return true;
}

bool TF_Alarm::OnTimer(UINT_PTR id) {
    if (id != kClockTimer)
        return false;
    ClockTick();
    return true;
}

bool TF_Alarm::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem == amh_Help.Hwnd()) {
        // "Pomoc ?" is a link, drawn in white while it is pressed.
        const Palette palette = CurrentPalette();
        DrawLinkButton(item, palette.helpLink, palette.helpLinkPressed,
                       palette.highContrast ? palette.group : kGroupColour);
        return true;
    }
    for (const TopButton& b : kTopRow) {
        ImageButton& button = this->*b.button;
        if (button.Hwnd() == item.hwndItem) {
            button.Draw(item);
            return true;
        }
    }
    return false;
}

LRESULT TF_Alarm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (created_ && HandleDialogMessage(msg, wParam, lParam, result))
        return result;
    switch (msg) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            if (ColoursMayHaveChanged(msg, wParam))
                RepaintInNewColours(Hwnd());
            return Default(msg, wParam, lParam);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintDc dc(Hwnd());
            if (dc)
                skin_.Paint(dc, dc.Area());
            return 0;
        }
        case WM_SETCURSOR:
            // Over the window or any of its controls (which pass this up first).
            RealizeHints(reinterpret_cast<HWND>(wParam));
            if (reinterpret_cast<HWND>(wParam) == amh_Help.Hwnd()) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            return Default(msg, wParam, lParam);
        case WM_NCHITTEST: {
            // Dragging the background moves the window. A greyed Start passes the mouse to the
            // window, which keeps it as client area there so that the hint saying why shows.
            const LRESULT hit = Default(msg, wParam, lParam);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT start{};
            if (hit == HTCLIENT && IsWindowVisible(ib_Start) && !IsWindowEnabled(ib_Start) &&
                GetWindowRect(ib_Start, &start) && PtInRect(&start, at))
                return HTCLIENT;
            return hit == HTCLIENT ? HTCAPTION : hit;
        }
        case WM_SHOWWINDOW:
            if (wParam && !FirstShowDone && created_)
                FirstShow();
            // A hidden window cannot take the point's Enter; the picker stops with it.
            if (!wParam)
                p_Inne.p_Inne_Klikniecie1.StopPicker();
            // The clock line ticks only while it can be seen: hidden in the notification area
            // the program is not woken at all.
            if (wParam) {
                ClockTick();
                SetTimer(Hwnd(), kClockTimer, 1000, nullptr);
            } else {
                KillTimer(Hwnd(), kClockTimer);
            }
            return Default(msg, wParam, lParam);
        case WM_CONTEXTMENU: {
            // The mouse over the background keeps the window menu; the keyboard and the
            // controls get the program's menu, under the focused control.
            const auto from = reinterpret_cast<HWND>(wParam);
            if ((lParam != -1 && from == Hwnd()) || !links_.showProgramMenu)
                return Default(msg, wParam, lParam);
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT rc{};
            if (lParam == -1 && GetWindowRect(IsChild(Hwnd(), from) ? from : Hwnd(), &rc))
                at = {rc.left, rc.bottom};
            links_.showProgramMenu(at);
            return 0;
        }
        case MM_MCINOTIFY:
            ports_.sound.Notify(wParam, lParam);
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

}  // namespace klaxora::win
