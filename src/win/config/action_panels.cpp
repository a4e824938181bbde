#include "win/config/action_panels.h"

#include <commctrl.h>

#include <algorithm>

#include "actions/sound_player.h"
#include "config/sync_view.h"
#include "util/decimal.h"
#include "util/text.h"
#include "win/config/sound_transport.h"
#include "win/config/alarm_layout.h"
#include "win/config/alarm_texts.h"
#include "win/sys/handles.h"

namespace klaxora::win {

namespace T = alarm_texts;
namespace L = alarm_layout::panel;

namespace {

// A list's text is final only after its selection notification has been handled.
constexpr UINT kChangedLater = WM_APP + 1;

// Replaces the items of an editable combo box; its text is `text`, or stays as it was.
void ReplaceItems(const ComboBox& combo, const std::vector<std::wstring>& items,
                  const std::optional<std::wstring>& text) {
    // Emptying the list also empties the edit of a drop-down combo box.
    const std::wstring keep = text ? *text : combo.Text();
    combo.Clear();
    for (const std::wstring& item : items)
        combo.Add(item);
    combo.SetText(keep);
}

// A new list takes the items the restore kept for it, or else its presets.
void FillNewList(const ComboBox& combo, std::optional<std::vector<std::wstring>>& kept,
                 std::span<const std::wstring_view> presets) {
    if (kept) {
        for (const std::wstring& item : *kept)
            combo.Add(item);
    } else {
        combo.AddItems(presets);
    }
    kept.reset();
}

}  // namespace

// --- MessagePanel --------------------------------------------------------------------------

void MessagePanel::Build() {
    HWND p = Hwnd();
    const DWORD style = CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL;
    l_Tresc.Create(p, kTresc, L::kCaption, T::kTresc, kit_.font);
    cb_Komunikat.Create(p, kKomunikat, L::kField, kit_.font, style);
    l_Tytul.Create(p, kTytul, L::kCaption2, T::kTytul, kit_.font);
    cb_Caption.Create(p, kCaption, L::kField2, kit_.font, style);
    FillNewList(cb_Komunikat, textItems_, MessageTextPresets());
    FillNewList(cb_Caption, captionItems_, MessageCaptionPresets());
    text_.Apply(cb_Komunikat);
    caption_.Apply(cb_Caption);
}

void MessagePanel::Read(AlarmSettings& s) const {
    s.MessageText = text_.Get(cb_Komunikat);
    s.MessageCaption = caption_.Get(cb_Caption);
}

void MessagePanel::SetLists(std::vector<std::wstring> texts,
                            const std::optional<std::wstring>& text,
                            std::vector<std::wstring> captions,
                            const std::optional<std::wstring>& caption) {
    if (Built()) {
        ReplaceItems(cb_Komunikat, texts, text);
        ReplaceItems(cb_Caption, captions, caption);
        return;
    }
    textItems_ = std::move(texts);
    captionItems_ = std::move(captions);
    if (text)
        text_.Set(nullptr, *text);
    if (caption)
        caption_.Set(nullptr, *caption);
}

void MessagePanel::SetTexts(const std::wstring& text, const std::wstring& caption) {
    text_.Set(cb_Komunikat, text);
    caption_.Set(cb_Caption, caption);
}

bool MessagePanel::OnCommand(UINT id, UINT code) {
    if (id != kKomunikat && id != kCaption)
        return false;
    switch (code) {
        case CBN_DROPDOWN:
            (id == kKomunikat ? cb_Komunikat : cb_Caption).FitDroppedWidth(20);
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
    l_Dzwiek.Create(p, kDzwiek, L::kCaption, T::kDzwiek, f);
    fne_PlikWAV.edit.Create(p, kEdit, L::kPathEdit, f);
    fne_PlikWAV.browse.Create(p, kBrowse, L::kPathBrowse, T::kBrowse, f);
    fne_PlikWAV.filter = T::kFilterSound;
    fne_PlikWAV.mustExist = true;
    sb_ListaPlikowWAV.CreateGlyph(p, kRecent, L::kPathList, T::kRecentList, f, kit_.dropIcon);
    l_Czas.Create(p, kCzas, L::kLengthCaption, T::kCzas, f);
    LabelCzas.Create(p, kLabelCzas, L::kLength, kNoSoundFile, kit_.bold, SS_NOTIFY);
    // Transport: push-like check buttons, checked meaning "down".
    const DWORD toggle = BS_CHECKBOX | BS_PUSHLIKE;
    Play.CreateGlyph(p, kPlay, L::kPlay, T::kPlayHint, f, kit_.playIcon, toggle);
    Pause.CreateGlyph(p, kPause, L::kPause, T::kPauseHint, f, kit_.pauseIcon, toggle);
    Stop.CreateGlyph(p, kStop, L::kStop, T::kStopSoundHint, f, kit_.stopIcon, toggle);
    Stop.SetChecked(true);
    LoopCheckBox.Create(p, kLoop, L::kLoop, T::kLoop, f);
    EnableTransport(false);
    file_.Apply(fne_PlikWAV.edit);
    if (kit_.hints) {
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
    s.SoundLoop = LoopCheckBox.Checked();
}

void SoundActionPanel::SetFile(const std::wstring& path) {
    file_.Set(fne_PlikWAV.edit, path);
}

void SoundActionPanel::EnableTransport(bool enabled) {
    for (const Button& c : {Play, Pause, Stop, static_cast<Button>(LoopCheckBox)})
        c.SetEnabled(enabled);
}

bool SoundActionPanel::OnCommand(UINT id, UINT code) {
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
        case kRecent:
            if (code == BN_CLICKED && RecentClicked)
                RecentClicked();
            return true;
        default:
            return false;
    }
}

// --- ShutdownPanel -------------------------------------------------------------------------

void ShutdownPanel::Build() {
    l_Opcja.Create(Hwnd(), kOpcja, L::kCaption, T::kOpcja, kit_.font);
    // Filled in the order of its kinds: the system's sort would reorder it by locale.
    cb_ZamknijSystem.Create(Hwnd(), kZamknijSystem, L::kField, kit_.font, CBS_DROPDOWNLIST);
    for (const ShutdownInfo& s : ShutdownKinds())
        cb_ZamknijSystem.Add(s.caption);
    choice_.Apply(cb_ZamknijSystem);
}

void ShutdownPanel::Read(AlarmSettings& s) const {
    s.ShutdownMode = ShutdownByCaption(choice_.Get(cb_ZamknijSystem));
}

bool ShutdownPanel::OnCommand(UINT id, UINT code) {
    return id == kZamknijSystem && ListCommand(code, Changed);
}

// --- PathPanel -----------------------------------------------------------------------------

void PathPanel::Build() {
    HWND p = Hwnd();
    Label.Create(p, kLabel, L::kCaption, caption_, kit_.font);
    Editor.edit.Create(p, kEdit, L::kPathEdit, kit_.font);
    Editor.browse.Create(p, kBrowse, L::kPathBrowse, T::kBrowse, kit_.font);
    Editor.filter = filter_;
    Editor.mustExist = mustExist_;
    Recent.CreateGlyph(p, kRecent, L::kPathList, T::kRecentList, kit_.font, kit_.dropIcon);
    path_.Apply(Editor.edit);
}

void PathPanel::SetPath(const std::wstring& path) {
    path_.Set(Editor.edit, path);
}

bool PathPanel::OnCommand(UINT id, UINT code) {
    if (id == kRecent) {
        if (code == BN_CLICKED && RecentClicked)
            RecentClicked();
        return true;
    }
    return Editor.OnCommand(id, code, kEdit, kBrowse, GetAncestor(Hwnd(), GA_ROOT), Changed);
}

// --- WebPanel ------------------------------------------------------------------------------

void WebPanel::Build() {
    l_AdresWWW.Create(Hwnd(), kAdresWWW, L::kCaption, T::kAdresWWW, kit_.font);
    e_WWW.Create(Hwnd(), kWWW, L::kWebEdit, kit_.font);
    sb_ListaWWW.CreateGlyph(Hwnd(), kRecent, L::kPathList, T::kRecentList, kit_.font,
                            kit_.dropIcon);
    address_.Apply(e_WWW);
}

void WebPanel::Read(AlarmSettings& s) const {
    s.WebAddress = Address();
}

void WebPanel::SetAddress(const std::wstring& address) {
    address_.Set(e_WWW, address);
}

bool WebPanel::OnCommand(UINT id, UINT code) {
    if (id == kRecent && code == BN_CLICKED && RecentClicked)
        RecentClicked();
    if (id == kWWW && code == EN_CHANGE && Changed)
        Changed();
    return id == kRecent || id == kWWW;
}

// --- ProcessPanel --------------------------------------------------------------------------

void ProcessPanel::Build() {
    lv_Procesy.Create(Hwnd(), kProcesy, L::kFill, kit_.font,
                      LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
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
    if (kit_.hints)
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
    const std::optional<int> row = lv_Procesy.SelectedRow();
    if (!row)
        return std::nullopt;
    return ParseDecimalAs<DWORD>(lv_Procesy.ItemText(*row, 2));
}

std::wstring ProcessPanel::SelectedColumn(int column) const {
    const std::optional<int> row = lv_Procesy.SelectedRow();
    return row ? lv_Procesy.ItemText(*row, column) : std::wstring();
}

std::vector<std::wstring> ProcessPanel::ColumnTexts(int column) const {
    std::vector<std::wstring> texts;
    for (int row = 0; row < lv_Procesy.Count(); ++row)
        texts.push_back(lv_Procesy.ItemText(row, column));
    return texts;
}

void ProcessPanel::SelectRow(size_t row) {
    EnsureBuilt();
    lv_Procesy.SelectRow(static_cast<int>(row));
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
    if (header.idFrom != kProcesy)
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
