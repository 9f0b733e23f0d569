#include "host/MixerConvert.h"

#include <algorithm>

namespace host {
namespace {

// One channel of the source as numbers on the 16-bit scale, with the first sample repeated
// once before it and the last twice after it, so that the interpolation never runs off.
std::vector<float> Channel(const WaveFormat& format, std::span<const std::uint8_t> samples,
                           std::size_t frames, int channel) {
  std::vector<float> out(frames + 3);
  const std::size_t stride = format.blockAlign;
  const std::size_t offset = static_cast<std::size_t>(channel) * format.bitsPerSample / 8;
  for (std::size_t i = 0; i < frames; ++i) {
    const std::size_t at = i * stride + offset;
    out[i + 1] =
        format.bitsPerSample == 8
            ? static_cast<float>((samples[at] - 128) * 256)
            : static_cast<float>(static_cast<std::int16_t>(samples[at] | samples[at + 1] << 8));
  }
  out[0] = out[1];
  out[frames + 1] = out[frames + 2] = out[frames];
  return out;
}

// Catmull-Rom between s[1] and s[2] at fraction t.
float Interpolate(const float* s, float t) {
  const float a = s[0], b = s[1], c = s[2], d = s[3];
  return b + 0.5f * t * (c - a + t * (2 * a - 5 * b + 4 * c - d + t * (3 * (b - c) + d - a)));
}

std::int16_t Clip(float v) {
  v = std::clamp(v, -32768.0f, 32767.0f);
  return static_cast<std::int16_t>(v < 0 ? v - 0.5f : v + 0.5f);
}

}  // namespace

std::vector<std::int16_t> ToMixerFrames(const WaveFormat& format,
                                        std::span<const std::uint8_t> samples, int rate) {
  if (format.blockAlign == 0 || format.samplesPerSec == 0 || rate <= 0) return {};
  const std::size_t inFrames = samples.size() / format.blockAlign;
  if (inFrames == 0) return {};
  const std::vector<float> left = Channel(format, samples, inFrames, 0);
  const std::vector<float> right =
      format.channels == 2 ? Channel(format, samples, inFrames, 1) : std::vector<float>();
  const auto outFrames = static_cast<std::size_t>(
      (static_cast<std::uint64_t>(inFrames) * static_cast<std::uint64_t>(rate) +
       format.samplesPerSec - 1) /
      format.samplesPerSec);

  const std::size_t channels = right.empty() ? 1 : 2;
  std::vector<std::int16_t> out(outFrames * channels);
  // Frame j stands at source position j * inRate / rate: whole part i, fraction step / rate,
  // both stepped exactly in integers.
  const auto step = static_cast<std::uint32_t>(format.samplesPerSec);
  const auto outRate = static_cast<std::uint32_t>(rate);
  std::size_t i = 0;
  std::uint32_t fraction = 0;
  for (std::size_t j = 0; j < outFrames; ++j) {
    const float t = static_cast<float>(fraction) / static_cast<float>(outRate);
    out[channels * j] = Clip(Interpolate(&left[i], t));
    if (channels == 2) out[2 * j + 1] = Clip(Interpolate(&right[i], t));
    fraction += step;
    while (fraction >= outRate) {
      fraction -= outRate;
      ++i;
    }
  }
  return out;
}

}  // namespace host
