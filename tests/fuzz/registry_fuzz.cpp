// The program's start over a registry anybody could have written: keys and values of every
// type, with any names and contents, put into the in-memory registry from the fuzzer's bytes.
// The start-up preparation reports problems instead of throwing and leaves a registry whose
// next start is not a first run; the recent lists load, build their menus and take new entries
// by their rules; the typed reads never fail; the configuration window's restore selects only
// items of its lists and fills only paths that exist.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/startup.h"
#include "actions/key_names.h"
#include "config/recent_list.h"
#include "config/restore.h"
#include "fakes/memory_files.h"
#include "fakes/memory_registry.h"
#include "fuzz/fuzz_input.h"
#include "util/text.h"

namespace {

using namespace klaxora;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

const std::wstring kSettings(kSettingsKey);

const std::array<std::wstring_view, 9> kLists{
    mru::kAtTime,         mru::kCountdown, mru::kMessageText,
    mru::kMessageCaption, mru::kSound,     mru::kPrograms,
    mru::kFiles,          mru::kFolders,   mru::kWeb};

// Names the program reads and writes, so that the fuzzer reaches them without guessing.
const std::array<std::wstring_view, 32> kNames{L"Path",
                                               L"Version",
                                               L"Name",
                                               L"LastRun",
                                               L"Repeat",
                                               L"Repeat_Time",
                                               L"LastAction",
                                               L"BrakNeta",
                                               L"AppRun",
                                               L"AppRespondig",
                                               L"AppClosed",
                                               L"cb_Reboot",
                                               L"cb_Inne",
                                               L"ProcesName",
                                               L"AutoMinimize",
                                               L"Wyg_Off",
                                               L"MinimizeAll",
                                               L"MinimizeProg",
                                               L"PlayBeep",
                                               L"",
                                               L"Alarm",
                                               L"x_DoubleClick",
                                               L"y_DoubleClick",
                                               L"x_SingleClick",
                                               L"y_SingleClick",
                                               L"Klawisz",
                                               L"Dysk_CD",
                                               L"Dysk_CD_Ws-Wy",
                                               L"PATH",
                                               L"07:00:00",
                                               L"C:\\Klaxora\\Klaxora.exe",
                                               L"www.google.pl"};

std::wstring PickKey(fuzz::FuzzReader& in) {
    const size_t pick = in.Choice(kLists.size() + 4);
    if (pick < kLists.size())
        return RecentListKey(kLists[pick]);
    switch (pick - kLists.size()) {
        case 0:
            return kSettings;
        case 1:
            return kSettings + L"\\Inne_MRU";
        case 2:
            return std::wstring(kRunKey);
        default:
            return kSettings + L"\\" + in.Text(16);
    }
}

std::wstring PickName(fuzz::FuzzReader& in) {
    const size_t pick = in.Choice(kNames.size() + 1);
    return pick < kNames.size() ? std::wstring(kNames[pick]) : in.Text(32);
}

RegistryValue PickValue(fuzz::FuzzReader& in) {
    RegistryValue value;
    switch (in.Choice(4)) {
        case 0:
            value.type = RegistryType::String;
            break;
        case 1:
            value.type = RegistryType::ExpandString;
            break;
        case 2:
            value.type = RegistryType::Dword;
            break;
        default:
            value.type = RegistryType::Other;
            break;
    }
    if (value.type == RegistryType::Dword)
        value.number = in.Number();
    else
        value.text = in.Text();
    return value;
}

template <class Infos>
bool IsCaptionOf(Infos infos, std::wstring_view caption) {
    for (const auto& info : infos) {
        if (info.caption == caption)
            return true;
    }
    return false;
}

// The configuration window's first show over the same registry, with or without a command
// line, with a process list and sometimes a key that cannot be opened: every selection it
// returns names an item of its list, every path it fills exists, and a failure is reported,
// never thrown.
void CheckRestore(testing::MemoryRegistry& registry, const testing::MemoryFiles& files,
                  fuzz::FuzzReader& in) {
    const uint8_t shape = in.Byte();
    if (shape & 1)
        registry.FailOpen(RecentListKey(kLists[in.Choice(kLists.size())]));
    std::vector<std::wstring> processIds;
    for (size_t n = (shape >> 1) & 3; n > 0; --n)
        processIds.push_back(in.Text(8));
    const std::wstring armed = in.Text(8);
    const size_t commandLineCount = (shape >> 3) & 7;
    const bool triggerSelected = (shape >> 6) & 1;
    const RestorePlan plan = ReadRestore(
        registry, files, RestoreInput{commandLineCount, processIds, armed, triggerSelected});
    registry.FailOpen(L"");

    if (plan.error)
        Require(!plan.error->empty());
    else
        Require(plan.menus.size() == MenuLists().size());
    for (size_t i = 0; i < plan.menus.size(); ++i)
        Require(plan.menus[i].subkey == MenuLists()[i]);
    if (plan.processRow)
        Require(*plan.processRow < processIds.size() &&
                EqualsNoCase(processIds[*plan.processRow], armed));
    if (commandLineCount == 0) {
        Require(plan.triggerCaption && IsCaptionOf(Triggers(), *plan.triggerCaption) &&
                *plan.triggerCaption != Info(TriggerKind::AfterWindowsStart).caption);
    } else {
        Require(triggerSelected ? !plan.triggerCaption
                                : plan.triggerCaption == Info(TriggerKind::AtTime).caption);
        Require(!plan.actionCaption && !plan.soundFile && !plan.programPath && !plan.atTimeText &&
                !plan.messageText);
    }
    if (plan.actionCaption && !plan.actionCaption->empty())
        Require(IsCaptionOf(Actions(), *plan.actionCaption));
    if (plan.shutdownCaption && !plan.shutdownCaption->empty())
        Require(IsCaptionOf(ShutdownKinds(), *plan.shutdownCaption));
    if (plan.otherCaption && !plan.otherCaption->empty())
        Require(IsCaptionOf(OtherActions(), *plan.otherCaption));
    if (plan.noInternetSeconds)
        Require(*plan.noInternetSeconds >= 0);
    for (const auto* path : {&plan.soundFile, &plan.programPath, &plan.filePath}) {
        if (*path && !(*path)->empty())
            Require(files.FileExists(**path));
    }
    if (plan.folderPath && !plan.folderPath->empty())
        Require(files.DirectoryExists(*plan.folderPath));

    for (const auto& other : OtherActions()) {
        const SubActionValues v = ReadSubActionValues(registry, other.kind, commandLineCount);
        if (v.keyName && !v.keyName->empty())
            Require(std::find(KeyNames().begin(), KeyNames().end(), *v.keyName) !=
                    KeyNames().end());
        if (v.cdOperation)
            Require(v.cdOperation->empty() || *v.cdOperation == kCdTrayOpen ||
                    *v.cdOperation == kCdTrayClose);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzReader in(data, size);
    testing::MemoryRegistry registry;
    testing::MemoryFiles files;
    const std::wstring program = files.executableDirectory + L"Klaxora.exe";
    files.AddFile(program);

    // What lies on the disk: some of the shipped sounds and Windows' own files.
    const uint8_t disk = in.Byte();
    if (disk & 1)
        files.AddFile(files.executableDirectory + L"sound\\Budzik.mp3");
    if (disk & 2)
        files.AddFile(files.windowsDirectory + L"\\Media\\tada.wav");
    if (disk & 4)
        files.AddFile(files.windowsDirectory + L"\\NOTEPAD.EXE");
    if (disk & 8)
        files.AddDirectory(files.windowsDirectory);
    if (disk & 16)
        files.AddDirectory(L"C:\\Program Files");

    for (int op = 0; op < 48 && !in.Empty(); ++op) {
        const std::wstring key = PickKey(in);
        const std::wstring name = PickName(in);
        const RegistryValue value = PickValue(in);
        // Sometimes a text names a file that exists, so stored paths can count.
        if (in.Byte() & 1)
            files.AddFile(value.text);
        registry.Set(key, name, value);
    }

    const StartupOutcome outcome =
        PrepareRegistry(registry, files, files, StartupFacts{program, L"1.0.0.1"});
    if (outcome.error) {
        Require(!outcome.error->empty());
        Require(!outcome.options.AutoMinimize && !outcome.options.Wyg_Off &&
                !outcome.options.MinimizeAll && !outcome.options.MinimizeProg &&
                !outcome.options.PlayBeep);
    } else {
        const auto settings = registry.Open(kSettings);
        // A prepared registry names an existing program: the next start seeds nothing.
        Require(!IsFirstRun(*settings, files));
        const AppOptions stored = ReadAppOptions(*settings);
        Require(stored.AutoMinimize == outcome.options.AutoMinimize &&
                stored.PlayBeep == outcome.options.PlayBeep &&
                stored.MinimizeProg == outcome.options.MinimizeProg);
    }

    // Every value the restore reads, by the typed-read rule.
    for (const auto name : kNames) {
        (void)ReadRegistryString(registry, kSettings, name, L"default");
        (void)ReadRegistryInteger(registry, kSettings, name, 7);
        (void)ReadRegistryString(registry, kSettings + L"\\Inne_MRU", name, L"");
    }
    CheckRestore(registry, files, in);

    const std::wstring entry = in.Text();
    for (const auto subkey : kLists) {
        RecentList list(registry, subkey);
        const auto names = list.Load();
        const RecentMenu menu = BuildRecentMenu(subkey, names, files);
        Require(menu.showButton == (names.size() >= 2));
        Require(menu.items.size() <= names.size());
        for (const auto& item : menu.items)
            Require(!item.entry.empty());
        (void)list.Current();

        // A pushed entry becomes the current one and is listed once, whatever its letter case.
        list.Push(entry);
        Require(list.Current() == entry);
        if (!entry.empty()) {
            size_t listed = 0;
            for (const auto& name : list.Load())
                listed += EqualsNoCase(name, entry) ? 1 : 0;
            Require(listed == 1);
        }
    }
    return 0;
}
