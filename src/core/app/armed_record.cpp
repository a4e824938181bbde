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
constexpr std::wstring_view kDueLocal = L"TerminLokalny";
constexpr std::wstring_view kComputer = L"Komputer";
}  // namespace value

// Moments a record may hold, UTC milliseconds: from 1970 to the end of year 9999, so that no
// sum or difference of two of them can overflow.
constexpr int64_t kLatestMoment = 253'402'300'799'999;
// A time of day is due at most a day after its arming, give or take a change of daylight
// saving; a count-down its own length after it. A second either way for the clocks' rounding.
constexpr int64_t kDayMs = 86'400'000;
constexpr int64_t kSlackMs = 1000;

bool InRange(int64_t moment) {
    return moment >= 0 && moment <= kLatestMoment;
}

// Whether the kept moments fit the alarm: a record whose moment could never come, or lies
// further ahead than the alarm itself reaches, is damaged rather than armed for ever.
bool MomentsFit(const ArmedRecord& r) {
    const WatchState& w = r.watch;
    if (!InRange(r.armedUtcMs) || (r.dueUtcMs && !InRange(*r.dueUtcMs)))
        return false;
    if (w.Watches(TriggerKind::AtTime) && (w.AtHour < 0 || w.AtHour > 23 || w.AtMinute < 0 ||
                                           w.AtMinute > 59 || w.AtSecond < 0 || w.AtSecond > 59))
        return false;
    if (!r.dueUtcMs)
        return true;
    const int64_t ahead = *r.dueUtcMs - r.armedUtcMs;
    const int64_t reach = w.Watches(TriggerKind::Countdown) ? std::max(w.SecondsLeft, 0) * 1000LL
                                                            : kDayMs + kDayMs / 24;
    return ahead >= -kSlackMs && ahead <= reach + kSlackMs;
}

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
        return std::tie(r.definition, r.dueUtcMs, r.armedUtcMs, r.dueLocalSeconds, r.computer,
                        w.TriggerCode, w.AtHour, w.AtMinute, w.AtSecond, w.SecondsLeft,
                        w.WatchedProgramPath, w.ActionCaption, w.ActionParameter, w.ActionDetail,
                        w.RepeatSeconds, w.KillImage, w.KillCreated);
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
        key->WriteString(value::kDueLocal,
                         r.dueLocalSeconds ? std::to_wstring(*r.dueLocalSeconds) : L"");
        key->WriteString(value::kComputer, r.computer);
        // Last: a record without its version is one a crash interrupted, and is not taken.
        key->WriteDword(value::kVersion, kArmedRecordVersion);
    } catch (const UserError&) {
        DeleteArmedRecord(registry, id);
        throw;
    }
}

RecordReading ReadArmedRecord(RegistryPort& registry, std::wstring_view id,
                              std::wstring_view computer) {
    const auto damaged = RecordReading{RecordState::Damaged, std::nullopt};
    try {
        // Never created by reading: a record another copy has just finished is simply gone.
        const auto key = registry.OpenExisting(KeyOf(id));
        if (!key || key->ValueNames().empty())
            return {};
        const auto version = key->Read(value::kVersion);
        if (version && version->type == RegistryType::Dword &&
            version->number != kArmedRecordVersion)
            return {RecordState::OtherVersion, std::nullopt};
        if (Number(*key, value::kVersion) != static_cast<int32_t>(kArmedRecordVersion))
            return damaged;  // a write a crash interrupted
        ArmedRecord r;
        r.computer = ReadString(*key, value::kComputer);
        if (!r.computer.empty() && !EqualsNoCase(r.computer, computer))
            return {RecordState::OtherComputer, std::nullopt};
        WatchState& w = r.watch;
        w.TriggerCode = ReadString(*key, value::kTrigger);
        if (!TriggerByCode(w.TriggerCode))
            return damaged;
        const auto hour = Number(*key, value::kHour), minute = Number(*key, value::kMinute),
                   second = Number(*key, value::kSecond), left = Number(*key, value::kSecondsLeft),
                   repeat = Number(*key, value::kRepeat);
        const auto armed = ParseMoment(ReadString(*key, value::kArmed));
        const std::wstring due = ReadString(*key, value::kDue);
        r.dueUtcMs = ParseMoment(due);
        const std::wstring dueLocal = ReadString(*key, value::kDueLocal);
        r.dueLocalSeconds = ParseMoment(dueLocal);
        const std::wstring killCreated = ReadString(*key, value::kKillCreated);
        if (const auto created = ParseMoment(killCreated); created && *created >= 0)
            w.KillCreated = static_cast<uint64_t>(*created);
        else if (!killCreated.empty())
            return damaged;
        const bool timed = w.Watches(TriggerKind::Countdown) || w.Watches(TriggerKind::AtTime);
        if (!hour || !minute || !second || !left || !repeat || *repeat < 0 || !armed ||
            (timed && !r.dueUtcMs) || (!due.empty() && !r.dueUtcMs) ||
            (!dueLocal.empty() && (!r.dueLocalSeconds || !InRange(*r.dueLocalSeconds))))
            return damaged;
        w.AtHour = *hour;
        w.AtMinute = *minute;
        w.AtSecond = *second;
        w.SecondsLeft = *left;
        w.RepeatSeconds = *repeat;
        r.armedUtcMs = *armed;
        if (!MomentsFit(r))
            return damaged;
        r.definition = ReadString(*key, value::kDefinition);
        w.WatchedProgramPath = ReadString(*key, value::kProgram);
        w.ActionCaption = ReadString(*key, value::kAction);
        w.ActionParameter = ReadString(*key, value::kParameter);
        w.ActionDetail = ReadString(*key, value::kDetail);
        w.KillImage = ReadString(*key, value::kKillImage);
        return {RecordState::Whole, std::move(r)};
    } catch (const UserError&) {
        return damaged;
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
        // A start with nothing kept leaves no empty key behind.
        if (const auto records = registry.OpenExisting(kArmedRecordsKey))
            return records->SubkeyNames();
    } catch (const UserError&) {
    }
    return {};
}

namespace {

// When the armed trigger falls due, as the wake timer would be set for it.
WakePlan PlanDue(const WatchState& armed, const ClockReading& now) {
    WatchState looking = armed;
    looking.Armed = true;
    looking.Firing = false;
    return PlanWake(looking, now);
}

}  // namespace

std::optional<int64_t> DueUtcMs(const WatchState& armed, const ClockReading& now) {
    const WakePlan plan = PlanDue(armed, now);
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

std::optional<int64_t> DueLocalSeconds(const WatchState& armed, const ClockReading& now) {
    const WakePlan plan = PlanDue(armed, now);
    if (plan.kind != WakePlan::Kind::AtLocal)
        return std::nullopt;
    return CivilSeconds(plan.at);
}

Resumption PlanResumption(const ArmedRecord& record, const ClockReading& now) {
    Resumption r;
    // Moments are read within range, so no difference here overflows. A time of day is due
    // when the local clock shows it, whatever daylight saving did meanwhile.
    int64_t left = 0;
    if (record.watch.Watches(TriggerKind::AtTime) && record.dueLocalSeconds)
        left = (*record.dueLocalSeconds - CivilSeconds(now.local)) * 1000 - now.local.millisecond;
    else if (record.dueUtcMs && InRange(now.utcMs))
        left = *record.dueUtcMs - now.utcMs;
    else
        return r;
    if (left <= 0) {
        r.fireNow = true;
        r.lateMs = -left;
    } else if (record.watch.Watches(TriggerKind::Countdown)) {
        r.remainingMs = std::min(left, std::max<int64_t>(*record.dueUtcMs - record.armedUtcMs, 0));
    }
    return r;
}

TakeOverPlan PlanTakeOver(size_t othersUnheld) {
    TakeOverPlan plan;
    plan.copies = std::min(othersUnheld, kMaxCopiesPerStart);
    if (othersUnheld > plan.copies) {
        plan.message = L"Przywrócono zapamiętane alarmy: " + std::to_wstring(plan.copies + 1) +
                       L". Pozostałe (" + std::to_wstring(othersUnheld - plan.copies) +
                       L") zostaną przywrócone przy następnym uruchomieniu programu.";
    }
    return plan;
}

std::wstring TriggerText(const WatchState& w) {
    const std::optional<TriggerKind> trigger = TriggerByCode(w.TriggerCode);
    if (!trigger)
        return {};
    if (*trigger == TriggerKind::AtTime)
        return L"Alarm o " + FormatSeconds(w.AtHour * 3600LL + w.AtMinute * 60LL + w.AtSecond);
    return std::wstring(Info(*trigger).caption);
}

std::optional<std::wstring> DueMomentText(const WatchState& armed, const ClockReading& now) {
    const WakePlan plan = PlanDue(armed, now);
    LocalDateTime at;
    if (plan.kind == WakePlan::Kind::AfterMs)
        at = AddMilliseconds(now.local, plan.afterMs);
    else if (plan.kind == WakePlan::Kind::AtLocal)
        at = plan.at;
    else
        return std::nullopt;
    const std::wstring time =
        L"o " + FormatSeconds(at.hour * 3600LL + at.minute * 60LL + at.second);
    const int64_t days = CivilSeconds({at.year, at.month, at.day}) / 86400 -
                         CivilSeconds({now.local.year, now.local.month, now.local.day}) / 86400;
    if (days <= 0)
        return time;
    if (days == 1)
        return L"jutro " + time;
    return std::to_wstring(at.day) + L"." + (at.month < 10 ? L"0" : L"") +
           std::to_wstring(at.month) + L" " + time;
}

std::wstring TrayTip(std::wstring_view programName, const WatchState& w, std::wstring_view moment) {
    std::wstring tip(programName);
    const std::wstring trigger = TriggerText(w);
    if (!w.Armed || trigger.empty())
        return tip;
    tip += L"\n" + trigger;
    if (!w.ActionCaption.empty())
        tip += L": " + w.ActionCaption;
    if (!moment.empty())
        tip += L"\n" + std::wstring(moment);
    return tip;
}

void ResumeWatch(WatchState& state, const Resumption& resumption, const ClockReading& now) {
    ArmWatch(state, now);
    if (resumption.remainingMs && state.Watches(TriggerKind::Countdown))
        state.Timing.DueMs = now.monotonicMs + *resumption.remainingMs;
    // After a restart the program is not running and the network may still be coming up: that
    // is no closing and no loss the user armed the alarm for.
    state.Timing.AwaitSeen = state.Watches(TriggerKind::ProgramClosed) ||
                             state.Watches(TriggerKind::ProgramNotResponding) ||
                             state.Watches(TriggerKind::NoInternet);
}

}  // namespace klaxora
