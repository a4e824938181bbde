#include "config/restore.h"

#include <algorithm>
#include <array>
#include <utility>

#include "actions/key_names.h"
#include "util/text.h"

namespace klaxora {
namespace {

constexpr std::array<std::wstring_view, 7> kMenuLists{
    mru::kAtTime, mru::kCountdown, mru::kSound, mru::kPrograms,
    mru::kFiles,  mru::kFolders,   mru::kWeb,
};

// The caption of the list item equal to `text` ignoring case; empty when none. `Infos` is one
// of the vocabularies; only items that stand in the list are offered.
template <class Infos, class Offered>
std::wstring MatchCaption(Infos infos, std::wstring_view text, Offered offered) {
    if (text.empty())
        return {};
    for (const auto& info : infos) {
        if (offered(info) && EqualsNoCase(info.caption, text))
            return std::wstring(info.caption);
    }
    return {};
}

template <class Infos>
std::wstring MatchCaption(Infos infos, std::wstring_view text) {
    return MatchCaption(infos, text, [](const auto&) { return true; });
}

std::wstring MatchTrigger(std::wstring_view text) {
    // "Po uruchomieniu Windows" has no item in the trigger list.
    return MatchCaption(Triggers(), text, [](const TriggerInfo& info) {
        return info.kind != TriggerKind::AfterWindowsStart;
    });
}

// A stored text longer than its field takes counts as missing: no start writes one, and one
// of a hundred thousand characters would hold up the first show for seconds.
std::wstring Fitting(std::wstring text, size_t limit = kMaxValueNameLength,
                     std::wstring_view fallback = {}) {
    return text.size() <= limit ? std::move(text) : std::wstring(fallback);
}

// The current entry as a field's text: kept when it names what must exist, else emptied.
std::wstring ExistingOrEmpty(std::wstring entry, bool exists) {
    return exists ? std::move(entry) : std::wstring();
}

class Reader {
  public:
    Reader(RegistryPort& registry, const FileSystemPort& files)
        : registry_(registry), files_(files) {}

    // Loads a list, builds its menu, and returns the list's current entry (no longer than an
    // entry may be).
    std::wstring Menu(std::wstring_view subkey, RestorePlan& plan) {
        const RecentList list(registry_, subkey);
        plan.menus.push_back({subkey, BuildRecentMenu(subkey, list.Load(), files_)});
        return Fitting(list.Current());
    }

    RegistryPort& registry_;
    const FileSystemPort& files_;
};

}  // namespace

std::span<const std::wstring_view> MenuLists() {
    return kMenuLists;
}

std::vector<std::wstring> MessageListItems(std::vector<std::wstring> names) {
    std::stable_sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return FoldUpper(a) < FoldUpper(b);
    });
    return names;
}

std::wstring MatchItem(std::span<const std::wstring> items, std::wstring_view text) {
    if (text.empty())
        return {};
    const auto exact = std::find(items.begin(), items.end(), text);
    if (exact != items.end())
        return *exact;
    for (const auto& item : items) {
        if (EqualsNoCase(item, text))
            return item;
    }
    return {};
}

RestorePlan ReadRestore(RegistryPort& registry, const FileSystemPort& files,
                        const RestoreInput& in) {
    RestorePlan plan;
    const bool noCommandLine = in.commandLineCount == 0;
    Reader r(registry, files);
    std::wstring lastRun;
    try {
        const auto key = registry.Open(kSettingsKey);
        const std::wstring atTime = r.Menu(mru::kAtTime, plan);
        const std::wstring countdown = r.Menu(mru::kCountdown, plan);

        plan.repeatChecked = ReadBool(*key, settings::kRepeat);
        plan.repeatText =
            Fitting(ReadString(*key, settings::kRepeatTime, L"1"), kRepeatTextLimit, L"1");
        if (noCommandLine)
            plan.actionCaption = MatchCaption(Actions(), ReadString(*key, settings::kLastAction));

        lastRun = ReadString(*key, settings::kLastRun);
        if (noCommandLine) {
            plan.shutdownCaption =
                MatchCaption(ShutdownKinds(), ReadString(*key, settings::kReboot));
            plan.otherCaption = MatchCaption(OtherActions(), ReadString(*key, settings::kInne));
            plan.noInternetSeconds =
                ClampSpin(ReadInteger(*key, settings::kBrakNeta), ranges::kNoInternetSeconds);
            plan.programs = ProgramEditors{Fitting(ReadString(*key, settings::kAppRun)),
                                           Fitting(ReadString(*key, settings::kAppRespondig)),
                                           Fitting(ReadString(*key, settings::kAppClosed))};
            if (!atTime.empty())
                plan.atTimeText = atTime;
            if (!countdown.empty())
                plan.countdownText = countdown;
        }

        const RecentList texts(registry, mru::kMessageText);
        plan.messageTextItems = MessageListItems(texts.Load());
        if (noCommandLine)
            plan.messageText = Fitting(texts.Current());
        const RecentList captions(registry, mru::kMessageCaption);
        plan.messageCaptionItems = MessageListItems(captions.Load());
        if (noCommandLine)
            plan.messageCaption = Fitting(captions.Current());

        std::wstring current = r.Menu(mru::kSound, plan);
        if (noCommandLine)
            plan.soundFile = ExistingOrEmpty(current, files.FileExists(current));
        current = r.Menu(mru::kPrograms, plan);
        if (noCommandLine)
            plan.programPath = ExistingOrEmpty(current, files.FileExists(current));
        current = r.Menu(mru::kFiles, plan);
        if (noCommandLine)
            plan.filePath = ExistingOrEmpty(current, files.FileExists(current));
        current = r.Menu(mru::kFolders, plan);
        if (noCommandLine)
            plan.folderPath = ExistingOrEmpty(current, files.DirectoryExists(current));
        current = r.Menu(mru::kWeb, plan);
        if (noCommandLine)
            plan.webAddress = current;
    } catch (const UserError& error) {
        plan.error = error.Message();
    }

    for (size_t row = 0; !in.armedProcessId.empty() && row < in.processIds.size(); ++row) {
        if (EqualsNoCase(in.processIds[row], in.armedProcessId)) {
            plan.processRow = row;
            break;
        }
    }
    // Even after a failure the window gets a trigger to show, so it is never left on its
    // blank page.
    // A command line without a valid trigger must not leave the list empty, which would mean
    // an after-Windows-start alarm the user never chose.
    plan.focusTrigger = noCommandLine;
    if (noCommandLine)
        plan.triggerCaption = MatchTrigger(lastRun);
    if (noCommandLine ? plan.triggerCaption->empty() : !in.commandLineTrigger)
        plan.triggerCaption = std::wstring(Info(TriggerKind::AtTime).caption);
    return plan;
}

SubActionValues ReadSubActionValues(RegistryPort& registry, OtherActionKind sub,
                                    size_t commandLineCount) {
    SubActionValues v;
    const bool clickOrCd = commandLineCount < 6;
    const bool key = commandLineCount < 5;
    switch (sub) {
        case OtherActionKind::DoubleClick:
            if (!clickOrCd)
                break;
            v.clickX = ReadRegistryInteger(registry, InneMruKey(), settings::kXDoubleClick, 0);
            v.clickY = ReadRegistryInteger(registry, InneMruKey(), settings::kYDoubleClick, 0);
            break;
        case OtherActionKind::SingleClick:
            if (!clickOrCd)
                break;
            v.clickX = ReadRegistryInteger(registry, InneMruKey(), settings::kXSingleClick, 0);
            v.clickY = ReadRegistryInteger(registry, InneMruKey(), settings::kYSingleClick, 0);
            break;
        case OtherActionKind::PressKeys:
            if (!key)
                break;
            v.keyName = MatchItem(
                KeyNames(), ReadRegistryString(registry, InneMruKey(), settings::kKlawisz, L""));
            break;
        case OtherActionKind::CdTray: {
            if (!clickOrCd)
                break;
            v.cdDrive = ReadRegistryString(registry, InneMruKey(), settings::kDyskCd, L"");
            const std::wstring op =
                FoldUpper(ReadRegistryString(registry, InneMruKey(), settings::kDyskCdWsWy, L""));
            v.cdOperation = (op == kCdTrayOpen || op == kCdTrayClose) ? op : std::wstring();
            break;
        }
        default:
            break;
    }
    return v;
}

bool SubActionRestoreGate::ShouldRestore(OtherActionKind sub) {
    switch (sub) {
        case OtherActionKind::DoubleClick:
        case OtherActionKind::SingleClick:
            if (click_ == sub)
                return false;
            click_ = sub;
            return true;
        case OtherActionKind::PressKeys:
            return !std::exchange(keys_, true);
        case OtherActionKind::CdTray:
            return !std::exchange(cd_, true);
        default:
            return false;
    }
}

}  // namespace klaxora
