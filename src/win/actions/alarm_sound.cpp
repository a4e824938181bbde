#include "win/actions/alarm_sound.h"

namespace klaxora::win {

AlarmSound::AlarmSound(SoundDevice& device) : device_(device) {
    device_.FollowAlarm([this] { Settled(); });
}

AlarmSound::~AlarmSound() {
    device_.FollowAlarm({});
}

void AlarmSound::PlayForAlarm(const std::wstring& path) {
    device_.Run([&](SoundPlayer& rules) { rules.PlayForAlarm(path); });
}

bool AlarmSound::AlarmSounding() const {
    return device_.Rules().AlarmSounding();
}

void AlarmSound::SilenceAlarm() {
    device_.Run([](SoundPlayer& rules) { rules.SilenceAlarm(); });
}

void AlarmSound::Settled() {
    const bool sounding = device_.Rules().AlarmSounding();
    const bool ended = sounding_ && !sounding;
    sounding_ = sounding;
    if (ended && links_.ended) {
        // A copy, as the report may connect anew while it runs.
        const std::function<void()> report = links_.ended;
        report();
    }
}

}  // namespace klaxora::win
