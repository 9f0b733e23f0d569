#pragma once
#include <string>

#include "host/Audio.h"

namespace host {
class Mixer;
}

namespace host::sdl {

// Sound output through SDL's audio device, mixed by our own Mixer from SDL's audio callback.
// The stream carries the game's name, so that the desktop's volume control lists it as
// "Skirmora".
class SdlAudio final : public AudioOutput {
 public:
  std::unique_ptr<AudioDevice> OpenDevice() override;
  void SetMuted(bool muted) override;

  // Called by the device when it closes.
  void DeviceClosed() { mixer_ = nullptr; }

 private:
  // Says once per run why the program plays without sound.
  void ReportSilence(const std::string& why);

  Mixer* mixer_ = nullptr;  // the open device's
  bool muted_ = false;
  bool reported_ = false;
};

}  // namespace host::sdl
