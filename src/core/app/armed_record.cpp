#include "app/armed_record.h"

#include <algorithm>
#include <tuple>

#include "app/watch_loop.h"
#include "config/time_text.h"
#include "config/vocabulary.h"
#include "util/decimal.h"
#include "util/text.h"

namespace klaxora {
namespace {

namespace value {
constexpr std::wstring_view kVersion = L"Wersja";
constexpr std::wstring_view kDefinition = L"Definicja";
constexpr std::wstring_view kTrigger = L"Kod";
constexpr std::wstring_view kHour = L"Godzina";
constexpr std::wstring_view kMinute = L"Minuta";
constexpr std::wstring_view kSecond = L"Sekunda";
constexpr std::wstring_view kSecondsLeft = L"Sekundy";
constexpr std::wstring_view kProgram = L"Program";
constexpr std::wstring_view kAction = L"Akcja";
constexpr std::wstring_view kParameter = L"Parametr";
constexpr std::wstring_view kDetail = L"Szczegol";
constexpr std::wstring_view kRepeat = L"Powtorka";
constexpr std::wstring_view kKillImage = L"ZabijPlik";
constexpr std::wstring_view kKillCreated = L"ZabijStart";
constexpr std::wstring_view kDue = L"Termin";
constexpr std::wstring_view kArmed = L"Uzbrojono";
}  // namespace value

constexpr std::wstring_view kTriggerCodes[] = {L"OD", L"UG", L"BI", L"PU", L"PO", L"PZ", L"PW"};

std::wstring KeyOf(std::wstring_view id) {
    return std::wstring(kArmedRecordsKey) + L"\\" + std::wstring(id);
}

// A moment written as decimal text: a REG_DWORD cannot hold 64 bits.
std::optional<int64_t> ParseMoment(std::wstring_view text) {
    return ParseDecimal(text, {.sign = Sign::Minus});
}

// A number kept as REG_DWORD that must be there.
std::optional<int32_t> Number(const RegistryKey& key, std::wstring_view name) {
    const auto v = key.Read(name);
    if (!v || v->type != RegistryType::Dword)
        return std::nullopt;
    return static_cast<int32_t>(v->number);
}

}  // namespace

bool ArmedRecord::operator==(const ArmedRecord& o) const {
    const auto fields = [](const ArmedRecord& r) {
        const WatchState& w = r.watch;
        return std::tie(r.definition, r.dueUtcMs, r.armedUtcMs, w.TriggerCode, w.AtHour, w.AtMinute,
                        w.AtSecond, w.SecondsLeft, w.WatchedProgramPath, w.ActionCaption,
                        w.ActionParameter, w.ActionDetail, w.RepeatSeconds, w.KillImage,
                        w.KillCreated);
    };
    return fields(*this) == fields(o);
}

void WriteArmedRecord(RegistryPort& registry, std::wstring_view id, const ArmedRecord& r) {
    const WatchState& w = r.watch;
    try {
        auto key = registry.Open(KeyOf(id));
        key->WriteString(value::kDefinition, r.definition);
        key->WriteString(value::kTrigger, w.TriggerCode);
        key->WriteDword(value::kHour, static_cast<uint32_t>(w.AtHour));
        key->WriteDword(value::kMinute, static_cast<uint32_t>(w.AtMinute));
        key->WriteDword(value::kSecond, static_cast<uint32_t>(w.AtSecond));
        key->WriteDword(value::kSecondsLeft, static_cast<uint32_t>(w.SecondsLeft));
        key->WriteString(value::kProgram, w.WatchedProgramPath);
        key->WriteString(value::kAction, w.ActionCaption);
        key->WriteString(value::kParameter, w.ActionParameter);
        key->WriteString(value::kDetail, w.ActionDetail);
        key->WriteDword(value::kRepeat, static_cast<uint32_t>(std::max(w.RepeatSeconds, 0)));
        key->WriteString(value::kKillImage, w.KillImage);
        key->WriteString(value::kKillCreated,
                         w.KillCreated ? std::to_wstring(*w.KillCreated) : L"");
        key->WriteString(value::kDue, r.dueUtcMs ? std::to_wstring(*r.dueUtcMs) : L"");
        key->WriteString(value::kArmed, std::to_wstring(r.armedUtcMs));
        // Last: a record without its version is one a crash interrupted, and is not taken.
        key->WriteDword(value::kVersion, kArmedRecordVersion);
    } catch (const UserError&) {
        DeleteArmedRecord(registry, id);
        throw;
    }
}

std::optional<ArmedRecord> ReadArmedRecord(RegistryPort& registry, std::wstring_view id) {
    try {
        const auto key = registry.Open(KeyOf(id));
        if (Number(*key, value::kVersion) != static_cast<int32_t>(kArmedRecordVersion))
            return std::nullopt;
        ArmedRecord r;
        WatchState& w = r.watch;
        w.TriggerCode = ReadString(*key, value::kTrigger);
        if (std::find(std::begin(kTriggerCodes), std::end(kTriggerCodes), w.TriggerCode) ==
            std::end(kTriggerCodes))
            return std::nullopt;
        const auto hour = Number(*key, value::kHour), minute = Number(*key, value::kMinute),
                   second = Number(*key, value::kSecond), left = Number(*key, value::kSecondsLeft),
                   repeat = Number(*key, value::kRepeat);
        const auto armed = ParseMoment(ReadString(*key, value::kArmed));
        const std::wstring due = ReadString(*key, value::kDue);
        r.dueUtcMs = ParseMoment(due);
        const std::wstring killCreated = ReadString(*key, value::kKillCreated);
        if (const auto created = ParseMoment(killCreated); created && *created >= 0)
            w.KillCreated = static_cast<uint64_t>(*created);
        else if (!killCreated.empty())
            return std::nullopt;
        const bool timed = w.TriggerCode == L"OD" || w.TriggerCode == L"UG";
        if (!hour || !minute || !second || !left || !repeat || *repeat < 0 || !armed ||
            (timed && !r.dueUtcMs) || (!due.empty() && !r.dueUtcMs))
            return std::nullopt;
        w.AtHour = *hour;
        w.AtMinute = *minute;
        w.AtSecond = *second;
        w.SecondsLeft = *left;
        w.RepeatSeconds = *repeat;
        r.armedUtcMs = *armed;
        r.definition = ReadString(*key, value::kDefinition);
        w.WatchedProgramPath = ReadString(*key, value::kProgram);
        w.ActionCaption = ReadString(*key, value::kAction);
        w.ActionParameter = ReadString(*key, value::kParameter);
        w.ActionDetail = ReadString(*key, value::kDetail);
        w.KillImage = ReadString(*key, value::kKillImage);
        return r;
    } catch (const UserError&) {
        return std::nullopt;
    }
}

void DeleteArmedRecord(RegistryPort& registry, std::wstring_view id) {
    try {
        registry.DeleteTree(KeyOf(id));
    } catch (const UserError&) {
    }
}

std::vector<std::wstring> ArmedRecordIds(RegistryPort& registry) {
    try {
        // Looked for before it is opened: a start with nothing kept leaves no empty key behind.
        const std::wstring_view name = kArmedRecordsKey.substr(kSettingsKey.size() + 1);
        for (const std::wstring& subkey : registry.Open(kSettingsKey)->SubkeyNames()) {
            if (EqualsNoCase(subkey, name))
                return registry.Open(kArmedRecordsKey)->SubkeyNames();
        }
    } catch (const UserError&) {
    }
    return {};
}

std::optional<int64_t> DueUtcMs(const WatchState& armed, const ClockReading& now) {
    WatchState looking = armed;
    looking.Armed = true;
    looking.Firing = false;
    const WakePlan plan = PlanWake(looking, now);
    switch (plan.kind) {
        case WakePlan::Kind::AfterMs:
            return now.utcMs + plan.afterMs;
        case WakePlan::Kind::AtLocal:
            // The wall clock's distance to the moment; a change of daylight saving on the way
            // is not foreseen, as the watch loop itself follows the wall clock.
            return now.utcMs + (CivilSeconds(plan.at) - CivilSeconds(now.local)) * 1000 -
                   now.local.millisecond;
        default:
            return std::nullopt;
    }
}

Resumption PlanResumption(const ArmedRecord& record, int64_t nowUtcMs) {
    Resumption r;
    if (!record.dueUtcMs)
        return r;
    const int64_t left = *record.dueUtcMs - nowUtcMs;
    if (left <= 0) {
        r.fireNow = true;
        r.lateMs = -left;
    } else if (record.watch.TriggerCode == L"OD") {
        r.remainingMs = std::min(left, std::max<int64_t>(*record.dueUtcMs - record.armedUtcMs, 0));
    }
    return r;
}

std::wstring TriggerText(const WatchState& w) {
    const std::optional<TriggerKind> trigger = TriggerByCode(w.TriggerCode);
    if (!trigger)
        return {};
    if (*trigger == TriggerKind::AtTime)
        return L"Alarm o " + FormatSeconds(w.AtHour * 3600LL + w.AtMinute * 60LL + w.AtSecond);
    return std::wstring(Info(*trigger).caption);
}

std::wstring TrayTip(std::wstring_view programName, const WatchState& w) {
    std::wstring tip(programName);
    const std::wstring trigger = TriggerText(w);
    if (!w.Armed || trigger.empty())
        return tip;
    tip += L"\n" + trigger;
    if (!w.ActionCaption.empty())
        tip += L": " + w.ActionCaption;
    return tip;
}

void ResumeWatch(WatchState& state, const Resumption& resumption, const ClockReading& now) {
    ArmWatch(state, now);
    if (resumption.remainingMs && state.TriggerCode == L"OD")
        state.Timing.DueMs = now.monotonicMs + *resumption.remainingMs;
    // After a restart the program is not running and the network may still be coming up: that
    // is no closing and no loss the user armed the alarm for.
    state.Timing.AwaitSeen =
        state.TriggerCode == L"PZ" || state.TriggerCode == L"PO" || state.TriggerCode == L"BI";
}

}  // namespace klaxora
