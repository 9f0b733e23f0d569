#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>

#include "host/Audio.h"

namespace host {

class Mixer;

// Sound output on a clock of its own, the runner's virtual time: the sounds are mixed by the
// real back end's Mixer and written to a stream as raw 16-bit little-endian stereo at
// Mixer::kRate, brought up to the clock whenever a sound changes. Position t of the stream is
// what a player would have heard at moment t of the clock; while no device is open the
// stream carries silence.
class MixdownAudio final : public AudioOutput {
 public:
  MixdownAudio(std::function<std::int64_t()> nowMs, std::ostream& out)
      : nowMs_(std::move(nowMs)), out_(out) {}

  std::unique_ptr<AudioDevice> OpenDevice() override;
  void SetMuted(bool muted) override;
  // Writes the stream up to now; false when it could not be written (after a failed write
  // nothing more is tried).
  bool Flush();

  // --- for its device
  void CatchUp();
  void DeviceClosed() { mixer_ = nullptr; }

 private:
  std::function<std::int64_t()> nowMs_;
  std::ostream& out_;
  Mixer* mixer_ = nullptr;  // the open device's
  bool muted_ = false;
  std::int64_t written_ = 0;  // frames
};

}  // namespace host
