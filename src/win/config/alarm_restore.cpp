// TF_Alarm's first show: the last alarm brought back from the registry (config/restore decides
// what), the recent-value menus it builds, and the stored details of an "Other" sub-action.
#include <algorithm>
#include <stdexcept>

#include "config/vocabulary.h"
#include "win/sys/startup_trace.h"
#include "win/config/alarm_layout.h"
#include "win/config/alarm_window.h"
#include "win/ui/message_box.h"

namespace klaxora::win {

namespace L = alarm_layout;

namespace {

// The menus' command ids: "Wyczyść listę", then the entries from kFirstEntry on.
constexpr UINT kClearCommand = 1;
constexpr UINT kFirstEntry = 2;
constexpr size_t kMaxEntries = 0xFFF0;  // command ids stay 16-bit

// A menu caption shows an ampersand of the entry as itself, not as a mnemonic.
std::wstring MenuCaption(std::wstring_view text) {
    std::wstring caption;
    for (wchar_t c : text) {
        caption += c;
        if (c == L'&')
            caption += L'&';
    }
    return caption;
}

}  // namespace

void TF_Alarm::FirstShow() {
    // Centred on the primary monitor's work area.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(Hwnd(), nullptr, work.left + (work.right - work.left - skin_.Width()) / 2,
                 work.top + (work.bottom - work.top - skin_.Height()) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The process list is filled now only when something will show or choose a row of it: an
    // armed kill, or the kill action coming back. Otherwise choosing that action fills it.
    const std::wstring armedProcess = alarm_ ? alarm_->Watch().ActionDetail : std::wstring();
    if (!armedProcess.empty())
        FillProcessList();
    const std::vector<std::wstring> ids = p_ZabijProces.ColumnTexts(2);
    const RestorePlan plan =
        ReadRestore(registry_, files_, {commandLineCount_, ids, armedProcess, commandLineTrigger_});
    if (armedProcess.empty() && plan.actionCaption == Info(ActionKind::KillProcess).caption)
        FillProcessList();
    // The fields are set while the synchroniser is still inert; the restore runs once, also
    // when something in it fails.
    try {
        ApplyRestore(plan);
    } catch (...) {
        FirstShowDone = true;
        throw;
    }
    FirstShowDone = true;
    MarkStartup("restored");
    SelectCommandLineProcess();  // the row of a kill the command line set up
    if (plan.focusTrigger)
        SetFocus(cb_A_Wykonaj);
    // The restore has matched the captions already, letter case ignored, so "a" and "A" stay
    // apart here.
    if (plan.triggerCaption)
        cb_A_Wykonaj.SelectExactly(*plan.triggerCaption);
    SyncView();
    if (plan.error)
        ShowStandardError(*plan.error);
}

void TF_Alarm::ApplyRestore(const RestorePlan& r) {
    BuildRecentMenus(r);
    if (r.repeatChecked)
        cb_PowtorzAkcje.SetChecked(*r.repeatChecked);
    if (r.repeatText)
        e_CzasPowtorki.SetText(*r.repeatText);
    if (r.actionCaption)
        cb_Typ_Alarmu.SelectExactly(*r.actionCaption);
    if (r.shutdownCaption)
        p_Zamknij.Choose(*r.shutdownCaption);
    if (r.otherCaption)
        p_Inne.Choose(*r.otherCaption);
    if (r.noInternetSeconds)
        brak_neta.SetSeconds(*r.noInternetSeconds);
    if (r.programs) {
        program_uruch.SetPath(r.programs->started);
        program_nie_odpowiada.SetPath(r.programs->notResponding);
        program_zamkniety.SetPath(r.programs->closed);
    }
    if (r.atTimeText)
        ApplyAtTimeText(*r.atTimeText);
    if (r.countdownText)
        ApplyCountdownText(*r.countdownText);
    p_k_komunikat.SetLists(r.messageTextItems, r.messageText, r.messageCaptionItems,
                           r.messageCaption);
    if (r.soundFile)
        p_k_PdegrajDzwiek.SetFile(*r.soundFile);
    if (r.programPath)
        p_UrProg.SetPath(*r.programPath);
    if (r.filePath)
        p_Plik.SetPath(*r.filePath);
    if (r.folderPath)
        p_OtworzFolder.SetPath(*r.folderPath);
    if (r.webAddress)
        p_WWW.SetAddress(*r.webAddress);
    if (r.processRow) {
        p_ZabijProces.SelectRow(*r.processRow);
        SetFocus(p_ZabijProces.lv_Procesy);
    }
}

// --- Recent-value menus --------------------------------------------------------------------

void TF_Alarm::ConnectRecentSlots() {
    const std::array<RecentSlot, kRecentMenus> slots{{
        {mru::kAtTime, &wykonaj_o, [this] { return wykonaj_o.Recent; }, nullptr,
         [this](const std::wstring& e) { ApplyAtTimeText(e); }, &wykonaj_o.RecentClicked},
        {mru::kCountdown, &odlicz_w_dol, [this] { return odlicz_w_dol.Recent; }, nullptr,
         [this](const std::wstring& e) { ApplyCountdownText(e); }, &odlicz_w_dol.RecentClicked},
        {mru::kSound, &p_k_PdegrajDzwiek, [this] { return p_k_PdegrajDzwiek.sb_ListaPlikowWAV; },
         [this] { return p_k_PdegrajDzwiek.fne_PlikWAV.edit.Hwnd(); },
         [this](const std::wstring& e) { p_k_PdegrajDzwiek.SetFile(e); },
         &p_k_PdegrajDzwiek.RecentClicked},
        {mru::kPrograms, &p_UrProg, [this] { return p_UrProg.Recent; },
         [this] { return p_UrProg.Editor.edit.Hwnd(); },
         [this](const std::wstring& e) { p_UrProg.SetPath(e); }, &p_UrProg.RecentClicked},
        {mru::kFiles, &p_Plik, [this] { return p_Plik.Recent; },
         [this] { return p_Plik.Editor.edit.Hwnd(); },
         [this](const std::wstring& e) { p_Plik.SetPath(e); }, &p_Plik.RecentClicked},
        {mru::kFolders, &p_OtworzFolder, [this] { return p_OtworzFolder.Recent; },
         [this] { return p_OtworzFolder.Editor.edit.Hwnd(); },
         [this](const std::wstring& e) { p_OtworzFolder.SetPath(e); },
         &p_OtworzFolder.RecentClicked},
        {mru::kWeb, &p_WWW, [this] { return p_WWW.sb_ListaWWW; },
         [this] { return p_WWW.e_WWW.Hwnd(); },
         [this](const std::wstring& e) { p_WWW.SetAddress(e); }, &p_WWW.RecentClicked},
    }};
    // In the core's order of the lists, found by their registry key: a list the core adds
    // without its place here stops every start of the window (and every test) at once.
    const std::span<const std::wstring_view> lists = MenuLists();
    for (size_t list = 0; list < kRecentMenus; ++list) {
        const auto slot = std::find_if(slots.begin(), slots.end(), [&](const RecentSlot& s) {
            return s.subkey == lists[list];
        });
        if (slot == slots.end())
            throw std::logic_error("a recent list without its place in the window");
        recentSlots_[list] = *slot;
        RecentSlot& placed = recentSlots_[list];
        placed.host->AfterBuild = [this, list] { ShowRecentButton(list); };
        *placed.clicked = [this, list] { ShowRecentMenu(list); };
    }
}

Button TF_Alarm::RecentButton(size_t list) const {
    return list < kRecentMenus ? recentSlots_[list].button() : Button();
}

void TF_Alarm::ShowRecentButton(size_t list) {
    // Until the menus exist a button stays as its page or panel made it.
    if (const Button button = RecentButton(list); button && recent_[list].menu)
        button.SetVisible(recent_[list].showButton);
}

void TF_Alarm::BuildRecentMenus(const RestorePlan& plan) {
    const std::span<const std::wstring_view> lists = MenuLists();
    for (size_t list = 0; list < kRecentMenus; ++list) {
        RecentPopup& popup = recent_[list];
        popup.menu.Reset(CreatePopupMenu());
        popup.entries.clear();
        const klaxora::RecentMenu* menu = nullptr;
        for (const RestoredMenu& restored : plan.menus) {
            if (restored.subkey == lists[list])
                menu = &restored.menu;
        }
        if (menu) {
            for (const RecentMenuItem& item : menu->items) {
                if (popup.entries.size() >= kMaxEntries)
                    break;
                const UINT id = kFirstEntry + static_cast<UINT>(popup.entries.size());
                AppendMenuW(popup.menu.Get(), MF_STRING, id, MenuCaption(item.caption).c_str());
                popup.entries.push_back(item.entry);
            }
        }
        AppendMenuW(popup.menu.Get(), MF_SEPARATOR, 0, nullptr);
        AppendMenuW(popup.menu.Get(), MF_STRING, kClearCommand,
                    std::wstring(kClearListCaption).c_str());
        // A list the registry could not give has nothing to offer. A page or panel not built
        // yet shows its button as decided here when it is built.
        popup.showButton = menu && menu->showButton;
        ShowRecentButton(list);
    }
}

void TF_Alarm::ShowRecentMenu(size_t list) {
    const HMENU menu = recent_[list].menu.Get();
    if (!menu)
        return;
    RECT button;
    GetWindowRect(RecentButton(list), &button);
    POINT at{button.left, button.bottom};
    // The path lists open under their field, a little inside its left edge.
    const HWND field = recentSlots_[list].field ? recentSlots_[list].field() : nullptr;
    RECT fieldRect;
    if (field && GetWindowRect(field, &fieldRect))
        at.x = fieldRect.left + Scaled(5);
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY;
    const UINT command =
        static_cast<UINT>(TrackPopupMenuEx(menu, flags, at.x, at.y, Hwnd(), nullptr));
    if (command == kClearCommand)
        ClearRecentList(list);
    else if (command >= kFirstEntry)
        ChooseRecent(list, command - kFirstEntry);
}

void TF_Alarm::ChooseRecent(size_t list, size_t item) {
    if (item >= recent_[list].entries.size())
        return;
    const std::wstring entry = recent_[list].entries[item];
    recentSlots_[list].choose(entry);
}

void TF_Alarm::ClearRecentList(size_t list) {
    RecentList(registry_, MenuLists()[list]).Clear();
    // The menu offers nothing more; its button goes until the next run.
    RecentPopup& popup = recent_[list];
    for (size_t i = popup.entries.size(); i > 0; --i)
        DeleteMenu(popup.menu.Get(), 0, MF_BYPOSITION);
    popup.entries.clear();
    popup.showButton = false;
    ShowRecentButton(list);
}

// --- Sub-action details and the wizard -----------------------------------------------------

void TF_Alarm::RestoreSubActionValues(OtherActionKind sub) {
    p_Inne.BuildAll();
    const SubActionValues v = ReadSubActionValues(registry_, sub, commandLineCount_);
    p_Inne.p_Inne_Klikniecie1.SetPoint(v.clickX, v.clickY);
    if (v.keyName)
        p_Inne.p_Inne_Klawisz.Choose(*v.keyName);
    p_Inne.p_Inne_DyskCD.Choose(v.cdDrive, v.cdOperation);
}

void TF_Alarm::sb_SpecialTimeClick() {
    if (links_.openTimeWizard)
        links_.openTimeWizard(cb_A_Wykonaj.SelectedText());
}

void TF_Alarm::SpeedButton2Click() {
    sb_SpecialTimeClick();
}

}  // namespace klaxora::win
