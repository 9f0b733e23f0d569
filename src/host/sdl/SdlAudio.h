#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "host/Audio.h"

namespace host::sdl {

// SDL2_mixer's channel volume (0 to 128) for an attenuation in hundredths of a decibel.
int MixerVolume(std::int32_t hundredthsOfDecibel);

// Sound output over SDL2_mixer: one mixer channel per buffer, each sound converted to the
// device's format once, when it is loaded, so that playing it copies and allocates nothing.
class SdlAudio final : public AudioOutput {
 public:
  std::unique_ptr<AudioDevice> OpenDevice() override;
  void SetMuted(bool muted) override;

  // Called by the device when it closes.
  void DeviceClosed() { open_ = false; }

 private:
  // Says once per run why the program plays without sound.
  void ReportSilence(const std::string& why);

  bool open_ = false;
  bool muted_ = false;
  bool reported_ = false;
};

}  // namespace host::sdl
