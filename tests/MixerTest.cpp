// The mixer, run offline: converting the sounds to its rate, exact gains, the limiter, and
// what each channel does when played, looped, stopped, restarted and muted.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "host/Mixer.h"
#include "host/MixerConvert.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using host::Mixer;
using host::ToMixerFrames;

constexpr host::WaveFormat kMono16{1, 1, Mixer::kRate, 2 * Mixer::kRate, 2, 16};
constexpr int kDelay = 64;  // the limiter's look-ahead: what comes out lags by this many frames

Bytes Le16(const std::vector<std::int16_t>& samples) {
  Bytes out;
  for (std::int16_t s : samples) {
    out.push_back(static_cast<std::uint8_t>(s & 0xFF));
    out.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
  }
  return out;
}

// `frames` frames of one level, at the mixer's own rate (so nothing is resampled).
Bytes Level(std::int16_t level, int frames) {
  return Le16(std::vector<std::int16_t>(static_cast<std::size_t>(frames), level));
}

std::vector<std::int16_t> Render(Mixer& mixer, int frames) {
  std::vector<std::int16_t> out(2 * static_cast<std::size_t>(frames));
  mixer.Render(out);
  return out;
}

// What a sample of `level` at `volume` (in hundredths of a decibel, never louder than 0,
// silent from -10000 down) comes out as, below the limiter's ceiling.
double Expected(double level, std::int32_t volume) {
  const double gain = volume <= -10000 ? 0 : std::pow(10.0, std::min(volume, 0) / 2000.0);
  return level / 32768 * Mixer::kHeadroom * gain * 32767;
}

// 8-bit samples become centred 16-bit ones at the mixer's rate; a cubic through evenly spaced
// points of a straight line is that line, and its overshoot past full scale is clipped.
TEST(MixerConvert, SamplesAreCentredFollowARampExactlyAndClipRatherThanWrap) {
  const host::WaveFormat mono8{1, 1, 8000, 8000, 1, 8};
  Bytes ramp;
  for (int i = 0; i < 50; ++i) ramp.push_back(static_cast<std::uint8_t>(28 + 4 * i));
  std::vector<std::int16_t> out = ToMixerFrames(mono8, ramp, 16000);
  ASSERT_EQ(out.size(), 100u);
  for (std::size_t j = 2; j < 96; ++j)
    EXPECT_EQ(out[j], (-100 + 2 * static_cast<int>(j)) * 256) << j;

  const host::WaveFormat mono16{1, 1, 22050, 44100, 2, 16};
  out = ToMixerFrames(mono16, Le16({32767, 32767, -32768, -32768, 32767, 32767}), 44100);
  ASSERT_EQ(out.size(), 12u);
  // Between the two highs before a fall, Catmull-Rom rises above full scale.
  EXPECT_EQ(out[1], 32767);
  for (std::size_t j = 0; j < 12; ++j) EXPECT_EQ(out[j] > 0, j < 3 || j >= 8) << j;
}

TEST(Mixer, EachSoundIsHeardAtExactlyTheGainOfItsVolumeAndGlidesToANewOne) {
  // (A buffer plays from the caller's bytes, which outlive it.)
  const Bytes level = Level(20000, Mixer::kRate);
  // The fade's steps, down to where only the last bits are left, and beyond the ends.
  for (const std::int32_t volume :
       {300, 0, -500, -600, -2000, -5000, -6500, -9000, -10000, -30000}) {
    Mixer mixer;
    auto sound = mixer.CreateBuffer(kMono16, level, "sound");
    sound->SetVolume(volume);
    sound->Play(true);
    const std::vector<std::int16_t> out = Render(mixer, 1000);
    EXPECT_NEAR(out[2 * 500], Expected(20000, volume), 0.5) << volume;
    EXPECT_EQ(out[2 * 500], out[2 * 500 + 1]) << "a mono sound is the same on both sides";
  }

  Mixer mixer;
  auto sound = mixer.CreateBuffer(kMono16, level, "sound");
  sound->Play(true);
  Render(mixer, 1000);
  sound->SetVolume(-2000);
  const std::vector<std::int16_t> out = Render(mixer, 1000);
  const double from = Expected(20000, 0), to = Expected(20000, -2000);
  EXPECT_NEAR(out[2 * (kDelay - 1)], from, 0.5) << "the change comes through with the sound";
  const int half = kDelay + Mixer::kRate / 400;  // half way through its 5 ms
  EXPECT_NEAR(out[2 * half], (from + to) / 2, 50) << "no jump, which would click";
  EXPECT_NEAR(out[2 * (kDelay + Mixer::kRate / 200)], to, 0.5);
}

TEST(Mixer, ManyLoudSoundsStayUnderFullScaleAndTheLimiterLetsGoAfterwards) {
  Mixer mixer;
  // Ten full-scale square waves in step: five times full scale after the headroom.
  std::vector<std::int16_t> square;
  for (int i = 0; i < Mixer::kRate; ++i) square.push_back(i / 50 % 2 ? -32768 : 32767);
  const Bytes bytes = Le16(square);
  std::vector<std::unique_ptr<host::SoundBuffer>> sounds;
  for (int i = 0; i < 10; ++i) {
    sounds.push_back(mixer.CreateBuffer(kMono16, bytes, "sound"));
    sounds.back()->Play(true);
  }
  const std::vector<std::int16_t> loud = Render(mixer, Mixer::kRate);
  int peak = 0;
  for (std::int16_t s : loud) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_LE(peak, std::lround(Mixer::kCeiling * 32767));
  EXPECT_GT(peak, 0.98 * Mixer::kCeiling * 32767) << "held at the ceiling, not far under it";

  // One quiet sound left: once the limiter has let go, it comes through untouched.
  sounds.resize(1);
  sounds[0]->SetVolume(-600);
  Render(mixer, 2 * Mixer::kRate);
  const std::vector<std::int16_t> quiet = Render(mixer, 100);
  EXPECT_NEAR(std::abs(quiet[0]), Expected(32767.5, -600), 1);
}

TEST(Mixer, EachBufferPlaysLoopsStopsAndRestartsOnItsOwnChannel) {
  Mixer mixer;
  const int length = Mixer::kRate / 10;
  std::vector<std::int16_t> ramp;
  for (int i = 0; i < length; ++i) ramp.push_back(static_cast<std::int16_t>(i * 4));
  const Bytes rampBytes = Le16(ramp), levelBytes = Level(1000, length);
  auto once = mixer.CreateBuffer(kMono16, rampBytes, "sound");
  auto loop = mixer.CreateBuffer(kMono16, levelBytes, "sound");
  EXPECT_FALSE(once->Playing());
  once->Play(false);
  loop->Play(true);
  EXPECT_TRUE(once->Playing());
  EXPECT_FALSE(once->Looping());
  EXPECT_TRUE(loop->Looping());

  Render(mixer, 1000);
  once->Play(false);  // a restart from the beginning, not a second voice
  std::vector<std::int16_t> out = Render(mixer, kDelay + 200);
  EXPECT_NEAR(out[2 * kDelay], out[2 * (kDelay - 1)], 0.01 * out[2 * kDelay])
      << "what was cut off fades out rather than stopping dead, which would click";
  EXPECT_NEAR(out[2 * (kDelay + 100)], Expected(100 * 4 + 1000, 0), 1) << "the ramp starts again";
  Render(mixer, length - 200);
  EXPECT_FALSE(once->Playing()) << "it ends by itself at its end";
  Render(mixer, 3 * length);
  EXPECT_TRUE(loop->Looping()) << "a loop goes on";

  loop->SetVolume(-10000);
  EXPECT_TRUE(loop->Playing()) << "silence is a volume, not a stop";
  loop->SetVolume(0);
  loop->Stop();
  EXPECT_FALSE(loop->Playing());
  out = Render(mixer, 300);
  EXPECT_EQ(out[2 * 250], 0) << "stopped, nothing more is heard";

  // Muted, the sounds play on unheard (the disk recording shows one ending meanwhile).
  mixer.SetMuted(true);
  loop->Play(true);
  out = Render(mixer, 200);
  EXPECT_EQ(*std::max_element(out.begin(), out.end()), 0);
  mixer.SetMuted(false);
  out = Render(mixer, 200);
  EXPECT_NEAR(out[2 * 100], Expected(1000, 0), 0.5) << "the loop is heard again";
}

TEST(Mixer, StereoSidesStayApartAndUnplayableSamplesAreRefused) {
  Mixer mixer;
  const host::WaveFormat stereo16{1, 2, Mixer::kRate, 4 * Mixer::kRate, 4, 16};
  std::vector<std::int16_t> frames;
  for (int i = 0; i < 1000; ++i) frames.insert(frames.end(), {8000, -16000});
  const Bytes bytes = Le16(frames);
  auto sound = mixer.CreateBuffer(stereo16, bytes, "sound");
  ASSERT_NE(sound, nullptr);
  sound->Play(true);
  const std::vector<std::int16_t> out = Render(mixer, 500);
  EXPECT_NEAR(out[2 * 300], Expected(8000, 0), 0.5);
  EXPECT_NEAR(out[2 * 300 + 1], Expected(-16000, 0), 0.5);

  const Bytes samples = Level(100, 800);
  host::WaveFormat floats = kMono16;
  floats.formatTag = 3;
  EXPECT_EQ(mixer.CreateBuffer(floats, samples, "sound"), nullptr);
  host::WaveFormat wide = kMono16;
  wide.bitsPerSample = 24;
  wide.blockAlign = 3;
  EXPECT_EQ(mixer.CreateBuffer(wide, samples, "sound"), nullptr);
  EXPECT_EQ(mixer.CreateBuffer(kMono16, Bytes{}, "sound"), nullptr);
}

}  // namespace

TEST(Mixer, ASoundConvertedAsItPlaysSoundsAsIfConvertedAtOnce) {
  // Three seconds at a quarter of the mixer's rate, converted as it plays across the end of
  // one block, the loop back to its start, and a restart.
  const host::WaveFormat mono8{1, 1, 11025, 11025, 1, 8};
  Bytes wave(3 * 11025);
  for (std::size_t i = 0; i < wave.size(); ++i)
    wave[i] = static_cast<std::uint8_t>(128 + 60 * std::sin(static_cast<double>(i) / 7));
  const std::vector<std::int16_t> whole = ToMixerFrames(mono8, wave, Mixer::kRate);
  Mixer mixer;
  auto sound = mixer.CreateBuffer(mono8, wave, "long");
  ASSERT_NE(sound, nullptr);
  sound->Play(true);
  const std::vector<std::int16_t> out = Render(mixer, static_cast<int>(whole.size()) + 5000);
  for (std::size_t i = kDelay; i < out.size() / 2; ++i) {
    const double expected = Expected(whole[(i - kDelay) % whole.size()], 0);
    ASSERT_NEAR(out[2 * i], expected, 1) << "frame " << i;
  }
}
