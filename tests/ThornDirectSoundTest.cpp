#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "platform/ThornDirectSound.h"
#include "sounds/WavWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Ramp(std::size_t count) {
  Bytes samples(count);
  std::iota(samples.begin(), samples.end(), 0);
  return samples;
}

// A mono 8-bit RIFF WAVE image, laid out as the asset generator lays out the game's sounds.
Bytes Wav(const Bytes& samples, int rate = 8000, bool longFmt = false,
          wav::Trailer trailer = wav::Trailer::kNone) {
  return wav::Write({rate, longFmt, trailer}, samples, "test");
}

struct ThornDirectSoundTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  host::HeadlessAudio& audio = host.Audio();
  host::WindowEvents events;
  std::unique_ptr<host::Window> window = host.CreateWindow(host::WindowSpec{}, events);
  platform::ThornDirectSound sound{audio};

  // 8000 samples at 8000 Hz: one second.
  const Bytes second = Wav(Ramp(8000));

  host::HeadlessSound& Heard(const std::string& name) {
    host::HeadlessSound* s = audio.Find(name);
    if (!s) throw std::runtime_error("no sound " + name);
    return *s;
  }
};

TEST_F(ThornDirectSoundTest, BeforeAWindowOrWithoutADeviceEverythingIsSilentAndNothingFails) {
  for (const bool device : {true, false}) {
    SCOPED_TRACE(device ? "no window yet" : "no device");
    audio.SetDevicePresent(device);
    platform::ThornDirectSound manager(audio);
    if (!device) manager.hWnd(*window);
    EXPECT_NO_THROW(manager.Add(second, "A"));
    EXPECT_NO_THROW(manager.Add(Bytes{1, 2, 3}, "B"));  // not even looked at
    manager.PlayBuffer("A", true);
    EXPECT_EQ(manager.Buffer("A"), nullptr);
    EXPECT_TRUE(manager.Keys().empty());
    EXPECT_FALSE(audio.DeviceOpen());
    EXPECT_TRUE(audio.Played().empty());
  }
}

TEST_F(ThornDirectSoundTest, PlayingRestartsStopHoldsAndASoundEndsUnlessItLoops) {
  sound.hWnd(*window);
  EXPECT_TRUE(audio.DeviceOpen());
  sound.Add(second, "A");
  const auto other = host.CreateWindow(host::WindowSpec{}, events);
  sound.hWnd(*other);  // a later window changes nothing
  EXPECT_EQ(audio.Sounds().size(), 1u);
  sound.PlayBuffer("A", true);
  host.AdvanceTime(2500);
  EXPECT_TRUE(sound.Buffer("A")->Looping());
  EXPECT_EQ(Heard("A").Position(), 4000u) << "half-way through its third round";
  sound.StopBuffer("A");
  host.AdvanceTime(5000);
  EXPECT_FALSE(Heard("A").Playing());
  EXPECT_EQ(Heard("A").Position(), 4000u) << "stopped where it was, not rewound";
  sound.PlayBuffer("A", true);
  host.AdvanceTime(std::int64_t{1} << 60);  // some 36 million years on
  EXPECT_EQ(Heard("A").Position(), (std::uint64_t{1} << 60) * 8 % 8000);
  sound.PlayBuffer("A");  // without loop: once from the beginning
  EXPECT_EQ(Heard("A").Position(), 0u);
  EXPECT_FALSE(sound.Buffer("A")->Looping());
  host.AdvanceTime(600);
  sound.PlayBuffer("A");
  EXPECT_EQ(Heard("A").Position(), 0u);
  host.AdvanceTime(999);
  EXPECT_TRUE(Heard("A").Playing());
  host.AdvanceTime(1);
  EXPECT_FALSE(Heard("A").Playing());
  EXPECT_EQ(audio.PlayedNames(), (std::vector<std::string>{"A", "A", "A", "A"}));
  // A long run keeps only the latest starts, and counts them all.
  for (std::size_t i = 0; i < host::HeadlessAudio::kKeptPlays; ++i) sound.PlayBuffer("A");
  EXPECT_EQ(audio.StartCount(), host::HeadlessAudio::kKeptPlays + 4);
  EXPECT_EQ(audio.Played().size(), host::HeadlessAudio::kKeptPlays);
  EXPECT_EQ(audio.Played().front().timeMs, host.NowMs()) << "the first four are forgotten";
  EXPECT_EQ(audio.PlayedSince(audio.StartCount() - 1).size(), 1u);
  EXPECT_THROW(audio.PlayedSince(1), std::out_of_range);
}

TEST_F(ThornDirectSoundTest, KeysIgnoreCaseASecondAddIsRefusedUnknownOnesDoNothingVolumeHolds) {
  sound.hWnd(*window);
  sound.Add(second, "SBeep");
  const Bytes other = Wav(Ramp(500));
  EXPECT_THROW(sound.Add(other, "SBEEP"), platform::SoundError);
  EXPECT_EQ(sound.Keys(), (std::vector<std::string>{"SBeep"}));
  ASSERT_EQ(audio.Sounds().size(), 1u) << "the refused buffer is released";
  EXPECT_EQ(audio.Sounds()[0]->Samples(), Ramp(8000)) << "the first buffer stays";
  sound.PlayBuffer("sbeep");
  EXPECT_TRUE(Heard("SBeep").Playing());
  EXPECT_EQ(sound.Buffer("SBEEP"), sound.Buffer("sbeep"));
  EXPECT_EQ(sound.Buffer("SBeeps"), nullptr);

  const std::uint64_t played = audio.StartCount();
  sound.PlayBuffer("B");
  sound.StopBuffer("B");
  EXPECT_EQ(audio.StartCount(), played);
  EXPECT_EQ(sound.Keys().size(), 1u);

  host::SoundBuffer* beep = sound.Buffer("SBeep");
  EXPECT_EQ(beep->Volume(), 0);
  beep->SetVolume(-10000);
  sound.PlayBuffer("SBeep");
  EXPECT_EQ(audio.Played().back().volume, -10000);
  beep->SetVolume(-20000);
  EXPECT_EQ(beep->Volume(), -10000) << "silence is the lowest volume";
}

TEST_F(ThornDirectSoundTest, LongFormatChunksOddAddressesAndTrailingChunksLoadTheSameSamples) {
  sound.hWnd(*window);
  // (A sound's bytes outlive it.)
  const Bytes shortForm = Wav(Ramp(301), 11025);
  const Bytes longForm = Wav(Ramp(301), 11025, true, wav::Trailer::kCueAndInfo);
  sound.Add(shortForm, "Short");
  sound.Add(longForm, "Long");
  const host::HeadlessSound& a = Heard("Short");
  const host::HeadlessSound& b = Heard("Long");
  EXPECT_EQ(b.Samples(), Ramp(301));
  EXPECT_EQ(a.Samples(), b.Samples());
  EXPECT_EQ(b.Format().samplesPerSec, 11025u);

  Bytes shifted(1, 0xFF);
  const Bytes image = Wav(Ramp(99));
  shifted.insert(shifted.end(), image.begin(), image.end());
  sound.Add(std::span(shifted).subspan(1), "AtOne");
  EXPECT_EQ(Heard("AtOne").Samples(), Ramp(99));
}

TEST_F(ThornDirectSoundTest, DamagedImagesAreRefusedWithoutReadingPastTheirEnd) {
  sound.hWnd(*window);
  const Bytes good = Wav(Ramp(20));
  const std::size_t fmt = 12, data = 36;  // where the chunks of a 16-byte "fmt " start

  // Each image is exactly as long as its vector, so that a read past it trips the sanitizers.
  Bytes dataBeforeFmt = good, tooLong = good, huge = good, floats = good, noRate = good;
  std::copy_n("data", 4, dataBeforeFmt.begin() + 8);  // "WAVE" becomes "data"
  std::copy_n("junk", 4, dataBeforeFmt.begin() + data);
  tooLong[data + 4] = static_cast<std::uint8_t>(good.size() - data - 8 + 1);
  std::fill_n(huge.begin() + data + 4, 4, 0xFF);
  floats[fmt + 8] = 3;  // IEEE float samples
  std::fill_n(noRate.begin() + fmt + 12, 4, 0);
  const std::vector<std::pair<std::string, Bytes>> bad = {
      {"no fmt", Bytes(good.begin(), good.begin() + fmt)},
      {"ends in the format record", Bytes(good.begin(), good.begin() + fmt + 8 + 21)},
      {"data only before fmt", dataBeforeFmt},
      {"ends in the data header", Bytes(good.begin(), good.begin() + data + 7)},
      {"data size one past the end", tooLong},
      {"data size 4 GB", huge},
      {"no samples", Wav(Bytes{})},
      {"unplayable format", floats},
      {"rate 0", noRate}};

  for (const auto& [what, image] : bad) {
    SCOPED_TRACE(what);
    try {
      sound.Add(image, "X");
      ADD_FAILURE() << "loaded";
    } catch (const platform::SoundError& e) {
      EXPECT_NE(std::string(e.what()).find("\"X\""), std::string::npos) << e.what();
    }
  }
  EXPECT_TRUE(sound.Keys().empty());
  EXPECT_TRUE(audio.Sounds().empty());

  Bytes exact = good;
  exact.resize(data + 8 + 20);  // the data size exactly what is left: no pad, no trailer
  sound.Add(exact, "Exact");
  EXPECT_EQ(Heard("Exact").Samples(), Ramp(20));
}

}  // namespace
