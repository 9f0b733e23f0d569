#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/Host.h"
#include "platform/ThornDirectSound.h"

namespace game {

// The named sound cues of the game, played through the shared sound manager. The manager is
// made on first use and released when the game window closes; cues exist only between
// LoadSounds and that release, and a cue that is not loaded plays nothing.
class SoundCues {
 public:
  explicit SoundCues(host::Host& host) : host_(host) {}

  // Opens the sound device for the game window and loads every cue. A cue whose sound is
  // refused stays silent (standard error says why) and the others load all the same.
  void LoadSounds(const host::Window& gameWindow);
  // Plays the cue once from its beginning (restarting it if it is playing).
  void PlaySound(const std::string& cue);
  void PlayLooping(const std::string& cue);
  void StopSound(const std::string& cue);
  void SetVolume(const std::string& cue, std::int32_t hundredthsOfDecibel);
  bool IsLoaded(const std::string& cue) const { return Cue(cue) != nullptr; }
  // Silences everything without stopping it, while no window of the program has the focus.
  void SetMuted(bool muted);
  // Releases the manager with every buffer.
  void ReleaseSoundManager();

  // The loaded cues in loading order, and a loaded cue's buffer (null for any other name).
  std::vector<std::string> LoadedCues() const;
  const host::SoundBuffer* Cue(const std::string& cue) const;

 private:
  platform::ThornDirectSound& SoundManager();
  void LoadSound(const std::string& cue);

  host::Host& host_;
  std::unique_ptr<platform::ThornDirectSound> manager_;
};

}  // namespace game
