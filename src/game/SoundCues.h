#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace host {
class Window;
}

namespace game {

// The named sound cues of the game and the shared sound manager behind them.
//
// Stand-in until sound is built: no cue is loaded, so every cue plays silently — the
// state the game is also in on a machine without an audio device.
class SoundCues {
 public:
  void LoadSounds(host::Window& /*gameWindow*/) {}
  void PlaySound(const std::string& cue) { Requested(cue); }
  void PlayLooping(const std::string& cue) { Requested(cue); }
  void StopSound(const std::string& /*cue*/) {}
  void SetVolume(const std::string& /*cue*/, std::int32_t /*hundredthsOfDecibel*/) {}
  bool IsLoaded(const std::string& /*cue*/) const { return false; }
  // Silences everything without stopping it, while no window of the program has the focus.
  void SetMuted(bool /*muted*/) {}
  void ReleaseSoundManager() {}
  // Learns of every cue the game asks for (tests and diagnostics listen here).
  void SetObserver(std::function<void(const std::string&)> observer) { observer_ = std::move(observer); }

 private:
  void Requested(const std::string& cue) {
    if (observer_) observer_(cue);
  }
  std::function<void(const std::string&)> observer_;
};

}  // namespace game
