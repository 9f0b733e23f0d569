#include "host/MixerConvert.h"

#include <algorithm>
#include <cmath>

namespace host {
namespace {

// Catmull-Rom between s[1] and s[2] at fraction t.
float Interpolate(const float* s, float t) {
  const float a = s[0], b = s[1], c = s[2], d = s[3];
  return b + 0.5f * t * (c - a + t * (2 * a - 5 * b + 4 * c - d + t * (3 * (b - c) + d - a)));
}

// Rounds half away from zero; without a branch, which would be mispredicted at every change
// of sign.
std::int16_t Clip(float v) {
  v = std::min(std::max(v, -32768.0f), 32767.0f);
  return static_cast<std::int16_t>(v + std::copysign(0.5f, v));
}

}  // namespace

RateConverter::RateConverter(const WaveFormat& format, std::span<const std::uint8_t> samples,
                             int rate) {
  if (format.blockAlign == 0 || format.samplesPerSec == 0 || rate <= 0) return;
  inFrames_ = samples.size() / format.blockAlign;
  if (inFrames_ == 0) return;
  blockAlign_ = format.blockAlign;
  bytes_ = samples.first(inFrames_ * blockAlign_);
  channels_ = format.channels == 2 ? 2 : 1;
  eightBit_ = format.bitsPerSample == 8;
  inRate_ = format.samplesPerSec;
  outRate_ = static_cast<std::uint32_t>(rate);
  outFrames_ = static_cast<std::size_t>(
      (static_cast<std::uint64_t>(inFrames_) * outRate_ + inRate_ - 1) / inRate_);
}

template <bool kEightBit, std::size_t kChannels>
void RateConverter::ConvertAs(std::size_t first, std::size_t count, std::int16_t* out) const {
  // Source frame k - 1, as a number on the 16-bit scale; the first frame stands in for those
  // before it and the last for those after it, so that the interpolation never runs off.
  const auto sample = [this](std::size_t k, std::size_t channel) {
    const std::size_t frame = std::min(k == 0 ? 0 : k - 1, inFrames_ - 1);
    const std::uint8_t* at = &bytes_[frame * blockAlign_ + channel * (kEightBit ? 1 : 2)];
    return kEightBit ? static_cast<float>((at[0] - 128) * 256)
                     : static_cast<float>(static_cast<std::int16_t>(at[0] | at[1] << 8));
  };
  // Frame j stands at source position j * inRate / outRate: whole part i, fraction
  // step / outRate, both stepped exactly in integers.
  const std::uint64_t position = static_cast<std::uint64_t>(first) * inRate_;
  std::size_t i = static_cast<std::size_t>(position / outRate_);
  auto fraction = static_cast<std::uint32_t>(position % outRate_);
  const float outRate = static_cast<float>(outRate_);
  // The four source samples around the position, for each channel.
  float window[kChannels][4];
  const auto load = [&] {
    for (std::size_t c = 0; c < kChannels; ++c)
      for (std::size_t m = 0; m < 4; ++m) window[c][m] = sample(i + m, c);
  };
  load();
  for (std::size_t j = 0; j < count; ++j) {
    if (fraction == 0) {  // on a source sample, which the interpolation gives back as it is
      for (std::size_t c = 0; c < kChannels; ++c) *out++ = Clip(window[c][1]);
    } else {
      const float t = static_cast<float>(fraction) / outRate;
      for (std::size_t c = 0; c < kChannels; ++c) *out++ = Clip(Interpolate(window[c], t));
    }
    fraction += inRate_;
    if (fraction < outRate_) continue;
    const std::size_t from = i;
    do {
      fraction -= outRate_;
      ++i;
    } while (fraction >= outRate_);
    if (i - from > 1) {
      load();
      continue;
    }
    for (std::size_t c = 0; c < kChannels; ++c) {
      window[c][0] = window[c][1];
      window[c][1] = window[c][2];
      window[c][2] = window[c][3];
      window[c][3] = sample(i + 3, c);
    }
  }
}

void RateConverter::Convert(std::size_t first, std::size_t count, std::int16_t* out) const {
  if (eightBit_)
    channels_ == 1 ? ConvertAs<true, 1>(first, count, out) : ConvertAs<true, 2>(first, count, out);
  else
    channels_ == 1 ? ConvertAs<false, 1>(first, count, out)
                   : ConvertAs<false, 2>(first, count, out);
}

std::vector<std::int16_t> ToMixerFrames(const WaveFormat& format,
                                        std::span<const std::uint8_t> samples, int rate) {
  const RateConverter converter(format, samples, rate);
  std::vector<std::int16_t> out(converter.Frames() * converter.Channels());
  converter.Convert(0, converter.Frames(), out.data());
  return out;
}

}  // namespace host
