#include "win/actions/sound_panel.h"

// Placeholder until the player lands: keeps the window side compiling.
namespace klaxora::win {

void SoundPanel::Attach(const SoundPanelControls&) {}
SoundFileChange SoundPanel::ApplyFileChange(const std::wstring&) { return SoundFileChange::NoFile; }
void SoundPanel::LoadSoundPreview(const std::wstring&) {}
void SoundPanel::PlayClick() {}
void SoundPanel::PauseClick() {}
void SoundPanel::StopClick() {}
void SoundPanel::PlayerNotify(WPARAM) {}
void SoundPanel::SetLocked(bool) {}
void SoundPanel::PlayForAlarm(const std::wstring&) {}
bool SoundPanel::Playing() const { return false; }

SoundPanel& Player() {
    static SoundPanel player;
    return player;
}

}  // namespace klaxora::win
