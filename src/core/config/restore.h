#pragma once
// The last alarm brought back from the registry on the first show of the configuration window,
// and the details of an "Other" sub-action brought back when the window shows it. Both read
// here and return what the window applies; a field left unset is one the window leaves alone
// (the command line supplied it, or a registry failure ended the reading before it).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/recent_list.h"
#include "config/start_alarm.h"
#include "config/vocabulary.h"
#include "ports/file_system.h"
#include "ports/registry.h"

namespace klaxora {

// The longest repeat interval e_CzasPowtorki takes, in characters.
inline constexpr size_t kRepeatTextLimit = 9;

// The seven lists offered by popup menus, in the order their menus are built.
std::span<const std::wstring_view> MenuLists();

struct RestoredMenu {
    std::wstring_view subkey;
    RecentMenu menu;  // then a separator and "Wyczyść listę"
};

struct RestoreInput {
    // The entries of CommandLineList; 0 when the program got no parameters.
    size_t commandLineCount = 0;
    // The "ID Procesu" text of every row of the freshly filled process list, in row order.
    std::span<const std::wstring> processIds;
    // The process the armed alarm names (its ActionDetail).
    std::wstring_view armedProcessId;
    // Whether the command line chose a trigger (after-Windows-start, which has no item and
    // leaves the list blank, included).
    bool commandLineTrigger = false;
};

// Selections are given as the exact caption of the item to select, or empty for no
// selection: the stored text has already been matched against the items, letter case ignored.
struct RestorePlan {
    // Built with or without command line.
    std::vector<RestoredMenu> menus;                // the seven, in MenuLists() order
    std::vector<std::wstring> messageTextItems;     // the items of cb_Komunikat
    std::vector<std::wstring> messageCaptionItems;  // the items of cb_Caption
    std::optional<bool> repeatChecked;              // cb_PowtorzAkcje
    std::optional<std::wstring> repeatText;         // e_CzasPowtorki

    // Only without command line.
    std::optional<std::wstring> actionCaption;    // cb_Typ_Alarmu
    std::optional<std::wstring> shutdownCaption;  // cb_ZamknijSystem
    std::optional<std::wstring> otherCaption;     // cb_InneOpcje
    std::optional<int64_t> noInternetSeconds;     // se_BrakNeta
    std::optional<ProgramEditors> programs;
    // Through ApplyAtTimeText / ApplyCountdownText (which report a text that does not parse).
    std::optional<std::wstring> atTimeText;
    std::optional<std::wstring> countdownText;
    std::optional<std::wstring> messageText;     // the text of cb_Komunikat
    std::optional<std::wstring> messageCaption;  // the text of cb_Caption
    std::optional<std::wstring> soundFile;       // fne_PlikWAV
    std::optional<std::wstring> programPath;     // fne_PlikEXE
    std::optional<std::wstring> filePath;        // fne_Plik
    std::optional<std::wstring> folderPath;      // de_Foldery
    std::optional<std::wstring> webAddress;      // e_WWW
    // cb_A_Wykonaj: the last started trigger, or the time of day when there is none. With a
    // command line it stays as the command line left it, unless that chose no trigger.
    std::optional<std::wstring> triggerCaption;
    bool focusTrigger = false;  // without command line the trigger list takes the focus

    // The process-list row of the armed alarm's process; it is selected and focused.
    std::optional<size_t> processRow;

    // A registry failure that ended the reading; the window shows it after applying the rest.
    std::optional<std::wstring> error;
};

// Every text is cut to what its field takes: a stored text longer than that (no start writes
// one) counts as missing.
RestorePlan ReadRestore(RegistryPort& registry, const FileSystemPort& files,
                        const RestoreInput& input);

// The message box items from a loaded list: every name, the empty one included, sorted
// without regard to letter case.
std::vector<std::wstring> MessageListItems(std::vector<std::wstring> names);

// The item of a list whose text equals `text` with letter case ignored; an item of exactly the
// same case wins, so "a" and "A" stay different keys. Empty when none.
std::wstring MatchItem(std::span<const std::wstring> items, std::wstring_view text);

// The stored details of a sub-action; unset ones stay as they are.
struct SubActionValues {
    std::optional<int32_t> clickX;            // se_Inne_X_DC (clamped by the spin edit)
    std::optional<int32_t> clickY;            // se_Inne_Y_DC
    std::optional<std::wstring> keyName;      // cb_Klawisze: the exact key name, or empty
    std::optional<std::wstring> cdDrive;      // cb_Inne_DyskCD: selected ignoring case
    std::optional<std::wstring> cdOperation;  // cd_Inne_DyskCD_WsWy: "WSUŃ", "WYSUŃ" or empty
};

// Reads the details of `sub` from "Inne_MRU", except those the command line supplied: the
// click point and the CD tray need fewer than 6 entries of CommandLineList, the key fewer
// than 5.
SubActionValues ReadSubActionValues(RegistryPort& registry, OtherActionKind sub,
                                    size_t commandLineCount);

// Decides when the stored details are put into the sub-action's controls: when the controls
// are first shown for that sub-action, and again when the click point switches between the
// single and the double click, which keep separate values. A repeated synchronisation while
// the same sub-action stays shown must not overwrite what the user has chosen since.
class SubActionRestoreGate {
  public:
    bool ShouldRestore(OtherActionKind sub);

  private:
    std::optional<OtherActionKind> click_;
    bool keys_ = false;
    bool cd_ = false;
};

}  // namespace klaxora
