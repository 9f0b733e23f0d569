#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/MixerConvert.h"

namespace {

using host::ToMixerFrames;
using Bytes = std::vector<std::uint8_t>;

Bytes Le16(const std::vector<std::int16_t>& samples) {
  Bytes out;
  for (std::int16_t s : samples) {
    out.push_back(static_cast<std::uint8_t>(s & 0xFF));
    out.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
  }
  return out;
}

TEST(MixerConvert, EightBitMonoBecomesCentredSixteenBitMonoAtTheMixerRate) {
  const host::WaveFormat mono8{1, 1, 11025, 11025, 1, 8};
  const std::vector<std::int16_t> out = ToMixerFrames(mono8, Bytes{228, 228, 28, 28, 128}, 44100);
  ASSERT_EQ(out.size(), 20u) << "five samples at a quarter of the rate make 20 frames";
  EXPECT_EQ(out[0], 25600);
  EXPECT_EQ(out[8], -25600);
  EXPECT_EQ(out[16], 0);
}

TEST(MixerConvert, InterpolationFollowsARampExactly) {
  // A cubic through evenly spaced points of a straight line is that line.
  const host::WaveFormat mono8{1, 1, 8000, 8000, 1, 8};
  Bytes ramp;
  for (int i = 0; i < 50; ++i) ramp.push_back(static_cast<std::uint8_t>(28 + 4 * i));
  const std::vector<std::int16_t> out = ToMixerFrames(mono8, ramp, 16000);
  ASSERT_EQ(out.size(), 100u);
  for (std::size_t j = 2; j < 96; ++j)
    EXPECT_EQ(out[j], (-100 + 2 * static_cast<int>(j)) * 256) << j;
}

TEST(MixerConvert, StereoSidesStayApartAndTheSameRateChangesNothing) {
  const host::WaveFormat stereo16{1, 2, 44100, 176400, 4, 16};
  const std::vector<std::int16_t> in = {1000, -2000, 32767, -32768, -5, 7};
  Bytes bytes = Le16(in);
  bytes.push_back(0x55);  // a partial block at the end is left out
  EXPECT_EQ(ToMixerFrames(stereo16, bytes, 44100), in);
  EXPECT_TRUE(ToMixerFrames({1, 1, 22050, 44100, 2, 16}, Bytes{1}, 44100).empty())
      << "no whole block";
  EXPECT_TRUE(ToMixerFrames({1, 1, 22050, 44100, 2, 16}, Bytes{}, 44100).empty());
}

TEST(MixerConvert, OvershootIsClippedNotWrapped) {
  const host::WaveFormat mono16{1, 1, 22050, 44100, 2, 16};
  const std::vector<std::int16_t> out =
      ToMixerFrames(mono16, Le16({32767, 32767, -32768, -32768, 32767, 32767}), 44100);
  ASSERT_EQ(out.size(), 12u);
  // Between the two highs before a fall, Catmull-Rom rises above full scale.
  EXPECT_EQ(out[1], 32767);
  for (std::size_t j = 0; j < 12; ++j) {
    const bool high = j < 3 || j >= 8;
    EXPECT_EQ(out[j] > 0, high) << j;
  }
}

}  // namespace
