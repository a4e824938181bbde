#include "config/recent_list.h"

#include <array>

namespace klaxora {
namespace {

constexpr std::array<std::wstring_view, 8> kSeeded{
    mru::kAtTime, mru::kCountdown, mru::kMessageText, mru::kMessageCaption,
    mru::kSound,  mru::kPrograms,  mru::kFolders,     mru::kWeb,
};

constexpr std::array<std::wstring_view, 10> kAtTimeSeeds{
    L"00:00:00", L"06:00:00", L"07:00:00", L"11:00:00", L"12:00:00",
    L"15:00:00", L"20:00:00", L"21:00:00", L"22:00:00", L"23:00:00",
};

constexpr std::array<std::wstring_view, 10> kCountdownSeeds{
    L"00:00:30", L"00:01:00", L"00:05:00", L"00:10:00", L"00:30:00",
    L"01:00:00", L"01:30:00", L"02:00:00", L"03:00:00", L"05:00:00",
};

constexpr std::array<std::wstring_view, 19> kMessageTextSeeds{
    L"ALARM !!!",
    L"Już czas !!!",
    L"Nadeszła pora !!!",
    L"Najwyższy czas zabrać się do roboty",
    L"Odliczanie dobiegło końca !!!",
    L"Wstawaj i do roboty !!!",
    L"Wybiła Twoja godzina !!!",
    L"Nastąpił kres odliczania !!!",
    L"Nadeszła ustawiona godzina !!!",
    L"Program został zamknięty !!!",
    L"Program przestał odpowiadać !!!",
    L"Program został uruchomiony !!!",
    L"WSTAWAJ !!!",
    L"Odejdź od komputera - ile można siedzieć !!!",
    L"Najwyższa pora !!!",
    L"Hey - to ja ALARM !!!",
    L"To ja ALARM !!!",
    L"Prędko - już pora",
    L"Rusz się !!!",
};

constexpr std::array<std::wstring_view, 7> kMessageCaptionSeeds{
    L":-)",       L"CZEŚĆ",          L"HELLO !!!", L"HEY HEY HEY", L"Vantrelix Klaxora",
    L"UWAGA !!!", L"Informacja !!!",
};

// Web addresses offered on a first run: bare host names that the address rule accepts.
constexpr std::array<std::wstring_view, 6> kWebSeeds{
    L"www.google.pl", L"www.wikipedia.org", L"www.onet.pl",
    L"www.wp.pl",     L"www.interia.pl",    L"www.youtube.com",
};

enum class Root { Windows, App };
struct SoundSeed {
    Root root;
    std::wstring_view tested;   // relative to the root; tested without regard to case
    std::wstring_view written;  // the entry's own spelling
};

constexpr std::array<SoundSeed, 16> kSoundSeeds{{
    {Root::Windows, L"\\Media\\Dźwięk logowania systemu Windows.wav",
     L"\\Media\\Dźwięk logowania systemu Windows.wav"},
    {Root::App, L"sound\\budzik.mp3", L"sound\\Budzik.mp3"},
    {Root::App, L"sound\\telefon.wav", L"sound\\Telefon.wav"},
    {Root::App, L"sound\\Alarm.mp3", L"sound\\Alarm.mp3"},
    {Root::App, L"sound\\Big ben.mp3", L"sound\\Big ben.mp3"},
    {Root::App, L"sound\\Coo-coo.mp3", L"sound\\Coo-coo.mp3"},
    {Root::App, L"sound\\Flaga na maszt.mp3", L"sound\\Flaga na maszt.mp3"},
    {Root::App, L"sound\\Płacz tarzana.mp3", L"sound\\Płacz tarzana.mp3"},
    {Root::App, L"sound\\Syrena policyjna.mp3", L"sound\\Syrena policyjna.mp3"},
    {Root::Windows, L"\\Media\\Dźwięk logowania systemu Windows XP.wav",
     L"\\Media\\Dźwięk logowania systemu Windows XP.wav"},
    {Root::Windows, L"\\Media\\Dźwięk wylogowania systemu Windows XP.wav",
     L"\\Media\\Dźwięk wylogowania systemu Windows XP.wav"},
    {Root::Windows, L"\\Media\\chimes.wav", L"\\Media\\chimes.wav"},
    {Root::Windows, L"\\Media\\ding.wav", L"\\Media\\ding.wav"},
    {Root::Windows, L"\\Media\\ringin.wav", L"\\Media\\ringin.wav"},
    {Root::Windows, L"\\Media\\ringout.wav", L"\\Media\\ringout.wav"},
    {Root::Windows, L"\\Media\\tada.wav", L"\\Media\\tada.wav"},
}};

template <size_t N>
std::vector<std::wstring> ToStrings(const std::array<std::wstring_view, N>& items) {
    return {items.begin(), items.end()};
}

bool ChecksFiles(std::wstring_view subkey) {
    return subkey == mru::kSound || subkey == mru::kPrograms || subkey == mru::kFiles;
}

}  // namespace

std::wstring RecentListKey(std::wstring_view subkey) {
    return std::wstring(kSettingsKey) + L"\\" + std::wstring(subkey);
}

RecentList::RecentList(RegistryPort& registry, std::wstring_view subkey)
    : registry_(registry), subkey_(subkey) {}

void RecentList::Push(std::wstring_view entry) {
    const auto key = registry_.Open(RecentListKey(subkey_));
    key->WriteString(L"", entry);
    // An empty entry would write the unnamed value a second time: nothing is added.
    if (!entry.empty())
        key->WriteString(entry, L"");
}

std::vector<std::wstring> RecentList::Load() const {
    return registry_.Open(RecentListKey(subkey_))->ValueNames();
}

std::wstring RecentList::Current() const {
    return ReadString(*registry_.Open(RecentListKey(subkey_)), L"");
}

void RecentList::Clear() {
    registry_.DeleteTree(RecentListKey(subkey_));
    registry_.Open(RecentListKey(subkey_));
}

void RecentList::AddEntries(std::span<const std::wstring> entries) {
    const auto key = registry_.Open(RecentListKey(subkey_));
    for (const auto& entry : entries) {
        if (!entry.empty())
            key->WriteString(entry, L"");
    }
}

std::span<const std::wstring_view> SeededLists() {
    return kSeeded;
}

std::vector<std::wstring> SeedEntries(std::wstring_view subkey, const FileSystemPort& files,
                                      const SystemFoldersPort& folders) {
    if (subkey == mru::kAtTime)
        return ToStrings(kAtTimeSeeds);
    if (subkey == mru::kCountdown)
        return ToStrings(kCountdownSeeds);
    if (subkey == mru::kMessageText)
        return ToStrings(kMessageTextSeeds);
    if (subkey == mru::kMessageCaption)
        return ToStrings(kMessageCaptionSeeds);
    if (subkey == mru::kWeb)
        return ToStrings(kWebSeeds);

    const std::wstring win = folders.WindowsDirectory();
    std::vector<std::wstring> out;
    if (subkey == mru::kSound) {
        const std::wstring app = folders.ExecutableDirectory();
        for (const auto& seed : kSoundSeeds) {
            const std::wstring& root = seed.root == Root::Windows ? win : app;
            if (files.FileExists(root + std::wstring(seed.tested))) {
                out.push_back(root + std::wstring(seed.written));
            }
        }
    } else if (subkey == mru::kPrograms) {
        if (files.FileExists(win + L"\\NOTEPAD.EXE"))
            out.push_back(win + L"\\Notepad.exe");
        if (files.FileExists(L"C:\\Program Files\\Winamp\\winamp.exe")) {
            out.push_back(L"C:\\Program Files\\Winamp\\Winamp.exe");
        }
    } else if (subkey == mru::kFolders) {
        if (files.DirectoryExists(win))
            out.push_back(win);
        if (files.DirectoryExists(L"C:\\Program Files"))
            out.push_back(L"C:\\Program Files");
        out.push_back(L"C:\\");
    }
    return out;
}

void SeedRecentLists(RegistryPort& registry, const FileSystemPort& files,
                     const SystemFoldersPort& folders) {
    for (auto subkey : kSeeded) {
        RecentList(registry, subkey).AddEntries(SeedEntries(subkey, files, folders));
    }
}

std::wstring BareFileName(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/:");
    if (slash != std::wstring_view::npos)
        path.remove_prefix(slash + 1);
    const size_t dot = path.rfind(L'.');
    if (dot != std::wstring_view::npos)
        path = path.substr(0, dot);
    return std::wstring(path);
}

RecentMenu BuildRecentMenu(std::wstring_view subkey, std::span<const std::wstring> names,
                           const FileSystemPort& files) {
    RecentMenu menu;
    menu.showButton = names.size() >= 2;
    const bool fileList = ChecksFiles(subkey);
    const bool folderList = subkey == mru::kFolders;
    for (const auto& name : names) {
        if (name.empty())
            continue;
        if (fileList && !files.FileExists(name))
            continue;
        if (folderList && !files.DirectoryExists(name))
            continue;
        menu.items.push_back({fileList ? BareFileName(name) : name, name});
    }
    return menu;
}

}  // namespace klaxora
