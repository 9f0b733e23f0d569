#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <vector>

#include "host/Audio.h"

namespace host {

// An output device's mixer: its buffers are any number of sounds, each on a channel of its
// own, mixed into 16-bit stereo at kRate for the back end to take with Render. The channels are
// summed in floating point, each at exactly the gain of its volume (VolumeGain), so that a fade is
// heard step by step down to the last bit. The sum then passes a fixed headroom and a limiter that
// looks 1.5 ms ahead, so the output never reaches full scale however many sounds play at once,
// while anything quiet enough passes untouched.
//
// One thread may render (an audio callback) while another plays, stops, changes volumes
// and makes or drops buffers.
class Mixer : public AudioDevice {
 public:
  static constexpr int kRate = 44100;
  // What the sum of the channels is multiplied by before the limiter.
  // Deliberate: 6 dB of room for several loud sounds at once before the limiter has to act,
  // at the price of a game that sounds quieter than others.
  static constexpr float kHeadroom = 0.5f;
  // The limiter keeps every sample at or under this, 1 dB under full scale.
  static constexpr float kCeiling = 0.891f;

  Mixer();
  // Its buffers must be released before it.
  ~Mixer() override;
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // A buffer that plays the whole blocks of `samples`, which must outlive it, converted to
  // kRate as it plays; null when they are not Playable.
  std::unique_ptr<SoundBuffer> CreateBuffer(const WaveFormat& format,
                                            std::span<const std::uint8_t> samples,
                                            std::string_view name) override;
  // Mixes the next out.size() / 2 frames into `out`, left and right interleaved.
  void Render(std::span<std::int16_t> out);
  // Renders silence while muted; the sounds play on unheard.
  void SetMuted(bool muted);
  // Called on the caller's thread before a buffer of this mixer is changed or asked whether
  // it plays: a renderer that follows a clock of its own brings its output up to that
  // moment. It may call Render.
  void SetBeforeBufferUse(std::function<void()> hook) { beforeUse_ = std::move(hook); }

 private:
  class Sound;
  struct Voice;
  // Keeps the output under kCeiling: each frame leaves kLookahead frames after it came, at a
  // gain that has already come down, along a straight line, to what the loudest frame ahead
  // of it needs, and that goes back up slowly once none needs it.
  class Limiter {
   public:
    Limiter();
    // Takes frames.size() / 2 mixed frames and writes as many out.
    void Run(std::span<const float> frames, std::span<std::int16_t> out, bool muted);

   private:
    static constexpr int kLookahead = 64;  // 1.5 ms
    struct Frame {
      float left = 0, right = 0;
      float need = 1;  // the gain that keeps it under the ceiling
    };
    std::array<Frame, kLookahead> ring_{};
    int next_ = 0;       // the oldest frame, the next to leave
    int needAhead_ = 0;  // frames until no frame in the ring needs a lower gain
    float cut_ = 0;      // how far the gain stands under 1
    float keep_;         // the share of the cut that is left after a frame
  };

  void Attach(Voice& voice);
  void Detach(Voice& voice);
  void BeforeUse() const {
    if (beforeUse_) beforeUse_();
  }

  mutable std::mutex mutex_;
  std::vector<Voice*> voices_;
  std::vector<float> mix_;  // one block of the sum, left and right
  Limiter limiter_;
  bool muted_ = false;
  std::function<void()> beforeUse_;
};

}  // namespace host
