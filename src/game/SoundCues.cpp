#include "game/SoundCues.h"

#include <cstdio>

#include "assets/Assets.h"

namespace game {

platform::ThornDirectSound& SoundCues::SoundManager() {
  if (!manager_) manager_ = std::make_unique<platform::ThornDirectSound>(host_.Audio());
  return *manager_;
}

void SoundCues::LoadSounds(const host::Window& gameWindow) {
  SoundManager().hWnd(gameWindow);
  for (const char* cue : {"SMusic",      "SHit",        "SBeep",      "SError",    "SShieldsOn",
                          "SShieldsOff", "SShieldsHit", "SBombFound", "SBombUsed", "SBlaster",
                          "SPlasma",     "SPulse",      "SPhoton",    "SLaser",    "SMoney",
                          "SUpgrade",    "SExplode",    "SWarning",   "SWin",      "SSpecial"})
    LoadSound(cue);
}

void SoundCues::LoadSound(const std::string& cue) {
  try {
    SoundManager().Add(assets::Sound(cue), cue);
  } catch (const platform::SoundError& e) {
    // One damaged sound costs that cue, not the game.
    std::fprintf(stderr, "skirmora: %s; that sound stays silent\n", e.what());
  }
}

void SoundCues::PlaySound(const std::string& cue) {
  SoundManager().PlayBuffer(cue, false);
}

void SoundCues::PlayLooping(const std::string& cue) {
  SoundManager().PlayBuffer(cue, true);
}

void SoundCues::StopSound(const std::string& cue) {
  SoundManager().StopBuffer(cue);
}

void SoundCues::SetVolume(const std::string& cue, std::int32_t hundredthsOfDecibel) {
  if (host::SoundBuffer* buffer = SoundManager().Buffer(cue))
    buffer->SetVolume(hundredthsOfDecibel);
}

void SoundCues::SetMuted(bool muted) {
  host_.Audio().SetMuted(muted);
}

void SoundCues::ReleaseSoundManager() {
  manager_.reset();
}

std::vector<std::string> SoundCues::LoadedCues() const {
  return manager_ ? manager_->Keys() : std::vector<std::string>{};
}

const host::SoundBuffer* SoundCues::Cue(const std::string& cue) const {
  return manager_ ? manager_->Buffer(cue) : nullptr;
}

}  // namespace game
