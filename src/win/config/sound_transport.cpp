#include "win/config/sound_transport.h"

namespace klaxora::win {

SoundTransport::SoundTransport(SoundDevice& device) : device_(device) {
    device_.FollowTransport([this] { Show(); }, [this] { return controls_.LoopCheckBox.Checked(); },
                            nullptr);
}

SoundTransport::~SoundTransport() {
    device_.FollowTransport({}, {}, nullptr);
}

void SoundTransport::Attach(const SoundTransportControls& controls) {
    controls_ = controls;
    device_.FollowTransport([this] { Show(); }, [this] { return controls_.LoopCheckBox.Checked(); },
                            controls_.NotifyWindow);
    Show();
}

void SoundTransport::Show() const {
    const SoundPlayer& rules = device_.Rules();
    const TransportButtons& b = rules.Buttons();
    controls_.Play.SetChecked(b.playDown);
    controls_.Pause.SetChecked(b.pauseDown);
    controls_.Stop.SetChecked(b.stopDown);
    controls_.LabelCzas.SetText(rules.Label());
    for (const Button& control :
         {controls_.Play, controls_.Pause, controls_.Stop, Button(controls_.LoopCheckBox)})
        control.SetEnabled(rules.TransportEnabled());
}

SoundFileChange SoundTransport::ApplyFileChange(const std::wstring& path) {
    SoundFileChange change{};
    device_.Run([&](SoundPlayer& rules) { change = rules.ApplyFileChange(path); });
    return change;
}

void SoundTransport::LoadSoundPreview(const std::wstring& path) {
    device_.Run([&](SoundPlayer& rules) { rules.LoadSoundPreview(path); });
}

void SoundTransport::PlayClick() {
    device_.Run([](SoundPlayer& rules) { rules.PlayClick(); });
}

void SoundTransport::PauseClick() {
    device_.Run([](SoundPlayer& rules) { rules.PauseClick(); });
}

void SoundTransport::StopClick() {
    device_.Run([](SoundPlayer& rules) { rules.StopClick(); });
}

void SoundTransport::SetLocked(bool locked) {
    device_.Run([&](SoundPlayer& rules) { rules.SetLocked(locked); });
}

}  // namespace klaxora::win
