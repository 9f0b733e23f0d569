// The SDL back end on SDL's own stand-in drivers: "dummy" plays into nothing in real time,
// "disk" writes what the mixer made to a file, which shows what a listener would hear.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "host/Mixer.h"
#include "host/sdl/SdlAudio.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct SdlAudioTest : ::testing::Test {
  static void UseDriver(const char* name) { ::setenv("SDL_AUDIODRIVER", name, 1); }
  host::sdl::SdlAudio audio;
};

// ALSA writes its own lines about a device it cannot find; they are not passed on. (A driver
// that does not exist at all is told in one line in the real-window run without sound.)
TEST_F(SdlAudioTest, AnUnusableDeviceMeansSilenceAndOneLineSayingWhyAndOneDeviceIsOpenAtATime) {
  UseDriver("alsa");
  ::setenv("AUDIODEV", "skirmora-no-such-device", 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(audio.OpenDevice(), nullptr);
  EXPECT_EQ(audio.OpenDevice(), nullptr);
  const std::string said = testing::internal::GetCapturedStderr();
  ::unsetenv("AUDIODEV");
  EXPECT_EQ(said.rfind("skirmora: playing without sound: ", 0), 0u) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;

  UseDriver("dummy");  // a working driver later still opens
  auto device = audio.OpenDevice();
  EXPECT_NE(device, nullptr);
  EXPECT_EQ(audio.OpenDevice(), nullptr) << "one device at a time";
}

struct DiskAudioTest : SdlAudioTest {
  TempFolder folder;
  DiskAudioTest() {
    UseDriver("disk");
    ::setenv("SDL_DISKAUDIOFILE", (folder / "out.raw").c_str(), 1);
    ::setenv("SDL_DISKAUDIODELAY", "1", 1);  // about 20 times faster than real time
  }

  std::uintmax_t Written() {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(folder / "out.raw", ec);
    return ec ? 0 : size;
  }

  // Plays 0.1 s at 8-bit level 100 through a fresh device; returns the 16-bit stereo frames
  // the disk driver wrote once the sound ended and a second more was written (the driver lags
  // the mixer by a few blocks), however long that takes.
  std::vector<std::int16_t> Play(bool muted) {
    audio.SetMuted(muted);
    {
      auto device = audio.OpenDevice();
      if (!device) throw std::runtime_error("the disk driver did not open");
      const Bytes level(1103, 228);
      auto sound = device->CreateBuffer({1, 1, 11025, 11025, 1, 8}, level, "level");
      const std::uintmax_t before = Written();
      sound->Play(false);
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
      while ((sound->Playing() || Written() < before + 44100 * 4) &&
             std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
      EXPECT_FALSE(sound->Playing()) << "the sound did not end";
    }
    std::vector<std::int16_t> samples(Written() / 2);
    std::ifstream(folder / "out.raw", std::ios::binary)
        .read(reinterpret_cast<char*>(samples.data()),
              static_cast<std::streamsize>(2 * samples.size()));
    return samples;
  }
};

// (The gain of each volume is the mixer's, and its tests show it.)
TEST_F(DiskAudioTest, WhatIsHeardIsTheSoundAndMutingLetsItPlayUnheard) {
  const std::vector<std::int16_t> full = Play(false);
  ASSERT_GT(full.size(), 2 * 44100u);
  int peak = 0;
  std::size_t first = full.size(), last = 0;
  for (std::size_t i = 0; i < full.size(); i += 2) {
    ASSERT_EQ(full[i], full[i + 1]) << "a mono sound sounds the same on both sides";
    peak = std::max(peak, std::abs(static_cast<int>(full[i])));
    if (full[i] == 0) continue;
    first = std::min(first, i);
    last = i;
  }
  // 8-bit 100 is 25600 in 16 bits, under the mixer's headroom; resampling may overshoot at
  // the edges.
  EXPECT_NEAR(peak, 25600 * host::Mixer::kHeadroom, 12800 * 0.03);
  EXPECT_NEAR(static_cast<double>(last - first) / 2 + 1, 4410, 4410 * 0.02)
      << "0.1 s, converted from 11025 to 44100 frames a second";

  const std::vector<std::int16_t> muted = Play(true);
  ASSERT_GT(muted.size(), 2 * 44100u);
  EXPECT_EQ(*std::max_element(muted.begin(), muted.end()), 0);
  EXPECT_EQ(*std::min_element(muted.begin(), muted.end()), 0);
}

}  // namespace
