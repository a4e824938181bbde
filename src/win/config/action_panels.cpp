#include "win/config/action_panels.h"

#include <commctrl.h>

#include <algorithm>

#include "actions/sound_player.h"
#include "config/sync_view.h"
#include "util/decimal.h"
#include "util/text.h"
#include "win/actions/sound_panel.h"
#include "win/config/alarm_layout.h"
#include "win/config/alarm_texts.h"
#include "win/sys/handles.h"
#include "win/ui/controls.h"

namespace klaxora::win {

namespace T = alarm_texts;
namespace L = alarm_layout::panel;

namespace {

// A list's text is final only after its selection notification has been handled.
constexpr UINT kChangedLater = WM_APP + 1;

}  // namespace

void FitDroppedWidth(HWND combo, HFONT font, int margin) {
    RECT rc;
    GetWindowRect(combo, &rc);
    WindowDc dc(combo);
    int widest = 0;
    {
        SelectedObject selected(dc, font);
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

// --- MessagePanel --------------------------------------------------------------------------

void MessagePanel::Build() {
    HWND p = Hwnd();
    const DWORD style = CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL;
    Label4 = MakeLabel(p, kLabel4, T::kLabel4, L::kCaption, kit_.font);
    cb_Komunikat = MakeCombo(p, kKomunikat, L::kField, style, kit_.font);
    AddItems(cb_Komunikat, MessageTextPresets());
    Label5 = MakeLabel(p, kLabel5, T::kLabel5, L::kCaption2, kit_.font);
    cb_Caption = MakeCombo(p, kCaption, L::kField2, style, kit_.font);
    AddItems(cb_Caption, MessageCaptionPresets());
}

void MessagePanel::Read(AlarmSettings& s) const {
    s.MessageText = TextOf(cb_Komunikat);
    s.MessageCaption = TextOf(cb_Caption);
}

bool MessagePanel::OnCommand(UINT id, UINT code, HWND control) {
    if (id != kKomunikat && id != kCaption)
        return false;
    switch (code) {
        case CBN_DROPDOWN:
            FitDroppedWidth(control, kit_.font, 20);
            break;
        case CBN_SELCHANGE:
            PostMessageW(Hwnd(), kChangedLater, 0, 0);
            break;
        case CBN_EDITCHANGE:
            if (Changed)
                Changed();
            break;
        default:
            break;
    }
    return true;
}

LRESULT MessagePanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kChangedLater) {
        if (Changed)
            Changed();
        return 0;
    }
    return Panel::HandleMessage(msg, wParam, lParam);
}

// --- SoundActionPanel ----------------------------------------------------------------------

void SoundActionPanel::Build() {
    HWND p = Hwnd();
    HFONT f = kit_.font;
    Label6 = MakeLabel(p, kLabel6, T::kLabel6, L::kCaption, f);
    fne_PlikWAV.edit = MakeEdit(p, kEdit, L::kPathEdit, f);
    fne_PlikWAV.browse = MakeButton(p, kBrowse, L"...", L::kPathBrowse, f);
    fne_PlikWAV.filter = T::kFilterSound;
    fne_PlikWAV.mustExist = true;
    sb_ListaPlikowWAV = MakeGlyphButton(p, kRecent, L"Lista", L::kPathList, f, kit_.dropIcon);
    Label128 = MakeLabel(p, kLabel128, T::kLabel128, L::kLengthCaption, f);
    LabelCzas = MakeLabel(p, kLabelCzas, kNoSoundFile, L::kLength, kit_.bold, SS_NOTIFY);
    // Transport: push-like check buttons, checked meaning "down".
    const DWORD toggle = BS_CHECKBOX | BS_PUSHLIKE;
    Play = MakeGlyphButton(p, kPlay, T::kPlayHint, L::kPlay, f, kit_.playIcon, toggle);
    Pause = MakeGlyphButton(p, kPause, T::kPauseHint, L::kPause, f, kit_.pauseIcon, toggle);
    Stop = MakeGlyphButton(p, kStop, T::kStopSoundHint, L::kStop, f, kit_.stopIcon, toggle);
    SendMessageW(Stop, BM_SETCHECK, BST_CHECKED, 0);
    LoopCheckBox = MakeButton(p, kLoop, T::kLoop, L::kLoop, f, BS_AUTOCHECKBOX);
    EnableTransport(false);
    file_.Apply(fne_PlikWAV.edit);
    if (kit_.hints && kit_.hints->Hwnd()) {
        const std::pair<HWND, std::wstring_view> hints[] = {{LabelCzas, T::kLabelCzasHint},
                                                            {Play, T::kPlayHint},
                                                            {Pause, T::kPauseHint},
                                                            {Stop, T::kStopSoundHint},
                                                            {LoopCheckBox, T::kLoopHint}};
        for (const auto& [control, text] : hints)
            kit_.hints->Add(control, std::wstring(text));
    }
    player_.Attach({LabelCzas, Play, Pause, Stop, LoopCheckBox, GetAncestor(p, GA_ROOT)});
}

void SoundActionPanel::Read(AlarmSettings& s) const {
    s.SoundFile = File();
    s.SoundLoop = Checked(LoopCheckBox);
}

void SoundActionPanel::SetFile(const std::wstring& path) {
    file_.Set(fne_PlikWAV.edit, path);
}

void SoundActionPanel::EnableTransport(bool enabled) {
    for (HWND c : {Play, Pause, Stop, LoopCheckBox})
        SetEnabled(c, enabled);
}

bool SoundActionPanel::OnCommand(UINT id, UINT code, HWND) {
    switch (id) {
        case kEdit:
            if (code == EN_CHANGE && Changed)
                Changed();
            return true;
        case kBrowse:
            if (code == BN_CLICKED)
                fne_PlikWAV.Browse(GetAncestor(Hwnd(), GA_ROOT));
            return true;
        case kPlay:
            if (code == BN_CLICKED)
                player_.PlayClick();
            return true;
        case kPause:
            if (code == BN_CLICKED)
                player_.PauseClick();
            return true;
        case kStop:
            if (code == BN_CLICKED)
                player_.StopClick();
            return true;
        default:
            return false;
    }
}

// --- ShutdownPanel -------------------------------------------------------------------------

void ShutdownPanel::Build() {
    Label7 = MakeLabel(Hwnd(), kLabel7, T::kLabel7, L::kCaption, kit_.font);
    // Filled in the order of its kinds: the system's sort would reorder it by locale.
    cb_ZamknijSystem = MakeCombo(Hwnd(), kZamknijSystem, L::kField, CBS_DROPDOWNLIST, kit_.font);
    for (const ShutdownInfo& s : ShutdownKinds()) {
        const std::wstring c(s.caption);
        SendMessageW(cb_ZamknijSystem, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.c_str()));
    }
}

void ShutdownPanel::Read(AlarmSettings& s) const {
    s.ShutdownMode = ShutdownByCaption(SelectedText(cb_ZamknijSystem));
}

bool ShutdownPanel::OnCommand(UINT id, UINT code, HWND) {
    if (id != kZamknijSystem)
        return false;
    if (code == CBN_SELCHANGE && Changed)
        Changed();
    return true;
}

// --- PathPanel -----------------------------------------------------------------------------

void PathPanel::Build() {
    HWND p = Hwnd();
    Label = MakeLabel(p, kLabel, caption_, L::kCaption, kit_.font);
    Editor.edit = MakeEdit(p, kEdit, L::kPathEdit, kit_.font);
    Editor.browse = MakeButton(p, kBrowse, L"...", L::kPathBrowse, kit_.font);
    Editor.filter = filter_;
    Editor.mustExist = mustExist_;
    Recent = MakeGlyphButton(p, kRecent, L"Lista", L::kPathList, kit_.font, kit_.dropIcon);
    path_.Apply(Editor.edit);
}

void PathPanel::SetPath(const std::wstring& path) {
    path_.Set(Editor.edit, path);
}

bool PathPanel::OnCommand(UINT id, UINT code, HWND) {
    return Editor.OnCommand(id, code, kEdit, kBrowse, GetAncestor(Hwnd(), GA_ROOT), Changed);
}

// --- WebPanel ------------------------------------------------------------------------------

void WebPanel::Build() {
    Label11 = MakeLabel(Hwnd(), kLabel11, T::kLabel11, L::kCaption, kit_.font);
    e_WWW = MakeEdit(Hwnd(), kWWW, L::kWebEdit, kit_.font);
    sb_ListaWWW =
        MakeGlyphButton(Hwnd(), kRecent, L"Lista", L::kPathList, kit_.font, kit_.dropIcon);
    address_.Apply(e_WWW);
}

void WebPanel::Read(AlarmSettings& s) const {
    s.WebAddress = Address();
}

void WebPanel::SetAddress(const std::wstring& address) {
    address_.Set(e_WWW, address);
}

bool WebPanel::OnCommand(UINT id, UINT code, HWND) {
    if (id != kWWW)
        return false;
    if (code == EN_CHANGE && Changed)
        Changed();
    return true;
}

// --- ProcessPanel --------------------------------------------------------------------------

void ProcessPanel::Build() {
    lv_Procesy =
        MakeControl(WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                    L::kFill, Hwnd(), kProcesy, kit_.font, WS_EX_CLIENTEDGE);
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
    if (kit_.hints && kit_.hints->Hwnd())
        kit_.hints->Add(lv_Procesy, std::wstring(T::kProcessesHint));
}

void ProcessPanel::FillProcessList() {
    EnsureBuilt();
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
    rows_.clear();
    int row = 0;
    for (const ProcessEntry& entry : processes_.ListProcesses()) {
        if (entry.id <= 10)
            continue;  // the idle and system processes
        auto& texts = rows_.emplace_back(std::array<std::wstring, 3>{
            entry.exeFile, std::to_wstring(entry.threads), std::to_wstring(entry.id)});
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = texts[0].data();
        item.lParam = static_cast<LPARAM>(rows_.size() - 1);
        const int index = ListView_InsertItem(lv_Procesy, &item);
        if (index < 0)
            continue;
        ListView_SetItemText(lv_Procesy, index, 1, texts[1].data());
        ListView_SetItemText(lv_Procesy, index, 2, texts[2].data());
        ++row;
    }
}

std::optional<DWORD> ProcessPanel::SelectedProcess() const {
    if (!lv_Procesy)
        return std::nullopt;
    const int row = ListView_GetNextItem(lv_Procesy, -1, LVNI_SELECTED);
    if (row < 0)
        return std::nullopt;
    wchar_t id[32] = {};
    ListView_GetItemText(lv_Procesy, row, 2, id, 32);
    return ParseDecimalAs<DWORD>(id);
}

std::wstring ProcessPanel::SelectedColumn(int column) const {
    if (!lv_Procesy)
        return {};
    const int row = ListView_GetNextItem(lv_Procesy, -1, LVNI_SELECTED);
    if (row < 0)
        return {};
    wchar_t text[MAX_PATH + 1] = {};
    ListView_GetItemText(lv_Procesy, row, column, text, MAX_PATH + 1);
    return text;
}

std::vector<std::wstring> ProcessPanel::ColumnTexts(int column) const {
    std::vector<std::wstring> texts;
    if (!lv_Procesy)
        return texts;
    const int count = ListView_GetItemCount(lv_Procesy);
    for (int row = 0; row < count; ++row) {
        wchar_t text[MAX_PATH + 1] = {};
        ListView_GetItemText(lv_Procesy, row, column, text, MAX_PATH + 1);
        texts.emplace_back(text);
    }
    return texts;
}

void ProcessPanel::SelectRow(size_t row) {
    EnsureBuilt();
    const int index = static_cast<int>(row);
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(lv_Procesy, index, state, state);
    ListView_EnsureVisible(lv_Procesy, index, FALSE);
}

// lv_ProcesyCompare: the texts of the sort column, letter case of a..z ignored.
int CALLBACK ProcessPanel::CompareRows(LPARAM a, LPARAM b, LPARAM self) {
    const auto& panel = *reinterpret_cast<const ProcessPanel*>(self);
    const size_t column = static_cast<size_t>(panel.sortColumn_);
    const int result = CompareAsciiNoCase(panel.rows_[static_cast<size_t>(a)][column],
                                          panel.rows_[static_cast<size_t>(b)][column]);
    return panel.sortAscending_ ? result : -result;
}

void ProcessPanel::lv_ProcesyColumnClick(int column) {
    if (column == sortColumn_) {
        sortAscending_ = !sortAscending_;
    } else {
        sortColumn_ = column;
        sortAscending_ = true;
    }
    if (sortColumn_ < 0 || sortColumn_ > 2)
        return;
    ListView_SortItems(lv_Procesy, &ProcessPanel::CompareRows, reinterpret_cast<LPARAM>(this));
}

bool ProcessPanel::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != lv_Procesy)
        return false;
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) && RowChanged) {
            RowChanged();
        }
    } else if (header.code == LVN_COLUMNCLICK) {
        lv_ProcesyColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    }
    return true;
}

}  // namespace klaxora::win
