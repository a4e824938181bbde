#pragma once
// Recently used values of one field, kept as one subkey of the settings key: every entry is
// the name of an empty REG_SZ value, and the subkey's unnamed value holds the current entry.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ports/file_system.h"
#include "ports/registry.h"

namespace klaxora {

namespace mru {
inline constexpr std::wstring_view kAtTime = L"O_MRU";
inline constexpr std::wstring_view kCountdown = L"ZA_MRU";
inline constexpr std::wstring_view kMessageText = L"Kom_Text_MRU";
inline constexpr std::wstring_view kMessageCaption = L"Kom_Caption_MRU";
inline constexpr std::wstring_view kSound = L"Sound_MRU";
inline constexpr std::wstring_view kPrograms = L"EXE_MRU";
inline constexpr std::wstring_view kFiles = L"Pliki_MRU";
inline constexpr std::wstring_view kFolders = L"Foldery_MRU";
inline constexpr std::wstring_view kWeb = L"WWW_MRU";
}  // namespace mru

inline constexpr std::wstring_view kClearListCaption = L"Wyczyść listę";

std::wstring RecentListKey(std::wstring_view subkey);

class RecentList {
  public:
    RecentList(RegistryPort& registry, std::wstring_view subkey);

    // Makes the entry current and adds it as a name (a no-op for names already present,
    // whatever their letter case). An empty entry only empties the current entry.
    void Push(std::wstring_view entry);
    // Value names in enumeration order, the unnamed value as an empty name when set.
    std::vector<std::wstring> Load() const;
    // The current entry, when it exists as text.
    std::wstring Current() const;
    // Deletes the subkey with everything in it and creates it again empty.
    void Clear();
    // Adds the entries as names with empty data, leaving the current entry alone.
    void AddEntries(std::span<const std::wstring> entries);

  private:
    RegistryPort& registry_;
    std::wstring subkey_;
};

// The lists seeded on a first run, in seeding order ("Pliki_MRU" is not seeded).
std::span<const std::wstring_view> SeededLists();

// The first-run entries of one list; file and folder entries only where they exist.
std::vector<std::wstring> SeedEntries(std::wstring_view subkey, const FileSystemPort& files,
                                      const SystemFoldersPort& folders);

// Seeds every list in order, adding to what the lists already hold.
void SeedRecentLists(RegistryPort& registry, const FileSystemPort& files,
                     const SystemFoldersPort& folders);

// One popup-menu item of a recent list: the caption shown and the whole entry as its hint.
struct RecentMenuItem {
    std::wstring caption;
    std::wstring entry;
};

struct RecentMenu {
    std::vector<RecentMenuItem> items;  // before the separator and "Wyczyść listę"
    bool showButton = false;
};

// The menu offered for a loaded list: empty names skipped, files and folders that no longer
// exist skipped, file lists captioned by the bare file name. The button shows for two or more
// loaded names, skipped ones included.
RecentMenu BuildRecentMenu(std::wstring_view subkey, std::span<const std::wstring> names,
                           const FileSystemPort& files);

// The file name without folder and extension: "C:\sound\Budzik.mp3" shows as "Budzik".
std::wstring BareFileName(std::wstring_view path);

}  // namespace klaxora
