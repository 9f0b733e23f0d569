#include "host/Mixer.h"

#include <algorithm>
#include <cmath>

#include "host/MixerConvert.h"

namespace host {
namespace {

// A change of volume glides to its new gain over 5 ms rather than jumping, which would click.
constexpr int kGlideFrames = Mixer::kRate / 200;
// A sound cut off by a restart or a stop fades out over 2 ms rather than stopping dead, which
// would click (every sound fades in over its own first 2 ms, so a restart crossfades).
constexpr int kCutFrames = Mixer::kRate / 500;
// Frames mixed, and converted, at a time.
constexpr std::size_t kBlockFrames = 512;
// After a peak the limiter's gain comes back up with this time constant: slow enough not to
// pump with the music's beat, quick enough to be gone before the next shot.
constexpr double kReleaseSeconds = 0.15;

// std::lround for what the limiter lets out (well inside 16 bits), without the call into the
// maths library that twice a frame made a good part of the mixer's cost with nothing playing.
std::int16_t RoundHalfAway(float v) {
  const auto whole = static_cast<int>(v);  // towards zero; v - whole is exact
  const float rest = v - static_cast<float>(whole);
  return static_cast<std::int16_t>(whole + (rest >= 0.5f) - (rest <= -0.5f));
}

}  // namespace

// One sound's samples and where it stands. Guarded by the mixer's lock.
struct Mixer::Voice {
  // Each sound is converted to the mixer's format as it plays, a block at a time, straight
  // from the bytes it was made from: converted once and kept, the game's sounds would take
  // 1.8 MB instead of 20 kB, for about 0.2 ms of converting per second a voice plays (its
  // mixing costs 0.3 ms). `samples` holds frames [blockFirst, blockFirst + blockFrames).
  explicit Voice(const RateConverter& converter)
      : source(converter),
        samples(kBlockFrames * converter.Channels()),
        channels(converter.Channels()),
        frames(converter.Frames()) {}

  RateConverter source;
  std::vector<std::int16_t> samples;
  std::size_t blockFirst = 0, blockFrames = 0;
  std::size_t channels = 1;
  std::size_t frames = 0;
  std::size_t position = 0;  // the next frame to play
  bool playing = false;
  bool looping = false;
  std::int32_t volume = 0;
  float gain = 1;  // applied now
  float target = 1;
  float step = 0;  // added to gain each frame while gliding
  int glideLeft = 0;
  // The fading remains of the last time it was cut off.
  std::size_t cutPosition = 0;
  float cutGain = 0;
  int cutLeft = 0;

  // A restart or a stop: what plays now fades out from where it stands.
  void CutOff() {
    if (!playing) return;
    cutPosition = position;
    cutGain = gain;
    cutLeft = kCutFrames;
  }

  // Adds `count` frames, at the gain, into `mix`; ends at the end unless it loops.
  void MixInto(float* mix, std::size_t count) {
    for (std::size_t i = 0; i < count && cutLeft > 0; ++i) {
      Add(mix + 2 * i, cutPosition, cutGain * static_cast<float>(cutLeft--) / kCutFrames);
      if (++cutPosition == frames) cutLeft = 0;
    }
    for (std::size_t i = 0; i < count && playing; ++i) {
      if (glideLeft > 0) gain = --glideLeft == 0 ? target : gain + step;
      Add(mix + 2 * i, position, gain);
      if (++position < frames) continue;
      position = 0;
      playing = looping;
    }
  }

  void Add(float* frame, std::size_t at, float g) {
    const std::int16_t* sample = FrameAt(at);
    frame[0] += sample[0] * g;
    frame[1] += sample[channels - 1] * g;
  }

  const std::int16_t* FrameAt(std::size_t at) {
    if (at - blockFirst >= blockFrames) {  // also when it lies before the block
      blockFirst = at;
      blockFrames = std::min(kBlockFrames, frames - at);
      source.Convert(at, blockFrames, samples.data());
    }
    return &samples[(at - blockFirst) * channels];
  }
};

class Mixer::Sound final : public SoundBuffer {
 public:
  Sound(Mixer& mixer, const RateConverter& source) : mixer_(mixer), voice_(source) {
    mixer_.Attach(voice_);
  }
  ~Sound() override { mixer_.Detach(voice_); }
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  // Deliberate: one voice per sound, so playing it again restarts it (crossfaded) and a
  // sound never overlaps itself.
  void Play(bool looping) override {
    mixer_.BeforeUse();
    std::lock_guard lock(mixer_.mutex_);
    voice_.CutOff();
    voice_.position = 0;
    voice_.playing = true;
    voice_.looping = looping;
    voice_.gain = voice_.target;
    voice_.glideLeft = 0;
  }
  void Stop() override {
    mixer_.BeforeUse();
    std::lock_guard lock(mixer_.mutex_);
    voice_.CutOff();
    voice_.playing = false;
  }
  bool Playing() const override {
    mixer_.BeforeUse();
    std::lock_guard lock(mixer_.mutex_);
    return voice_.playing;
  }
  bool Looping() const override {
    mixer_.BeforeUse();
    std::lock_guard lock(mixer_.mutex_);
    return voice_.playing && voice_.looping;
  }
  void SetVolume(std::int32_t hundredthsOfDecibel) override {
    mixer_.BeforeUse();
    std::lock_guard lock(mixer_.mutex_);
    Voice& v = voice_;
    v.volume = std::clamp(hundredthsOfDecibel, kSilentVolume, 0);
    v.target = static_cast<float>(VolumeGain(v.volume));
    if (!v.playing) {
      v.gain = v.target;
      v.glideLeft = 0;
      return;
    }
    v.step = (v.target - v.gain) / kGlideFrames;
    v.glideLeft = kGlideFrames;
  }
  std::int32_t Volume() const override {
    std::lock_guard lock(mixer_.mutex_);
    return voice_.volume;
  }

 private:
  Mixer& mixer_;
  Voice voice_;
};

Mixer::Mixer() : mix_(2 * kBlockFrames) {}

Mixer::~Mixer() = default;

std::unique_ptr<SoundBuffer> Mixer::CreateBuffer(const WaveFormat& format,
                                                 std::span<const std::uint8_t> samples,
                                                 std::string_view /*name*/) {
  if (!Playable(format, samples.size())) return nullptr;
  const RateConverter source(format, samples, kRate);
  if (source.Frames() == 0) return nullptr;
  return std::make_unique<Sound>(*this, source);
}

void Mixer::Attach(Voice& voice) {
  std::lock_guard lock(mutex_);
  voices_.push_back(&voice);
}

void Mixer::Detach(Voice& voice) {
  std::lock_guard lock(mutex_);
  std::erase(voices_, &voice);
}

void Mixer::SetMuted(bool muted) {
  std::lock_guard lock(mutex_);
  muted_ = muted;
}

void Mixer::Render(std::span<std::int16_t> out) {
  std::lock_guard lock(mutex_);
  const std::size_t frames = out.size() / 2;
  for (std::size_t done = 0; done < frames;) {
    const std::size_t n = std::min(kBlockFrames, frames - done);
    std::fill_n(mix_.begin(), 2 * n, 0.0f);
    for (Voice* v : voices_)
      if (v->playing || v->cutLeft > 0) v->MixInto(mix_.data(), n);
    limiter_.Run(std::span(mix_).first(2 * n), out.subspan(2 * done, 2 * n), muted_);
    done += n;
  }
  if (out.size() % 2 != 0) out.back() = 0;
}

Mixer::Limiter::Limiter() : keep_(static_cast<float>(std::exp(-1 / (kReleaseSeconds * kRate)))) {}

void Mixer::Limiter::Run(std::span<const float> frames, std::span<std::int16_t> out, bool muted) {
  constexpr float kScale = kHeadroom / 32768.0f;
  for (std::size_t i = 0; i + 1 < frames.size(); i += 2) {
    const Frame leaving = ring_[next_];
    Frame& in = ring_[next_];
    in.left = frames[i] * kScale;
    in.right = frames[i + 1] * kScale;
    const float peak = std::max(std::fabs(in.left), std::fabs(in.right));
    in.need = peak > kCeiling ? kCeiling / peak : 1.0f;
    if (in.need < 1) needAhead_ = kLookahead + 1;
    next_ = (next_ + 1) % kLookahead;

    // The frame d frames ahead of the leaving one allows a gain at most need + (1 - need) *
    // d / kLookahead now: the one just taken in allows anything yet, the leaving one its need.
    float allowed = 1;
    if (needAhead_ > 0) {
      --needAhead_;
      allowed = leaving.need;
      for (int d = 1; d < kLookahead; ++d) {
        const float need = ring_[(next_ + d - 1) % kLookahead].need;
        if (need < 1) allowed = std::min(allowed, need + (1 - need) * d / kLookahead);
      }
    }
    cut_ = std::max(1 - allowed, cut_ * keep_);
    if (cut_ < 1e-6f) cut_ = 0;  // gone, before it becomes slow denormal arithmetic
    const float gain = 1 - cut_;
    const auto sample = [&](float v) {
      return muted ? std::int16_t{0} : RoundHalfAway(v * gain * 32767.0f);
    };
    out[i] = sample(leaving.left);
    out[i + 1] = sample(leaving.right);
  }
}

}  // namespace host
