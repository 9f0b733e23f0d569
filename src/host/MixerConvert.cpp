#include "host/MixerConvert.h"

#include <algorithm>

namespace host {
namespace {

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

MixerSource::MixerSource(const WaveFormat& format, std::span<const std::uint8_t> samples,
                         int rate) {
  if (format.blockAlign == 0 || format.samplesPerSec == 0 || rate <= 0) return;
  sourceFrames_ = samples.size() / format.blockAlign;
  if (sourceFrames_ == 0) return;
  bytes_.assign(samples.begin(), samples.begin() + sourceFrames_ * format.blockAlign);
  sourceRate_ = format.samplesPerSec;
  rate_ = static_cast<std::uint32_t>(rate);
  channels_ = format.channels == 2 ? 2 : 1;
  blockAlign_ = format.blockAlign;
  eightBit_ = format.bitsPerSample == 8;
  frames_ = static_cast<std::size_t>(
      (static_cast<std::uint64_t>(sourceFrames_) * rate_ + sourceRate_ - 1) / sourceRate_);
}

float MixerSource::Sample(std::size_t i, int channel) const {
  const std::size_t at = std::min(i, sourceFrames_ - 1) * blockAlign_ +
                         static_cast<std::size_t>(channel) * (eightBit_ ? 1 : 2);
  return eightBit_
             ? static_cast<float>((bytes_[at] - 128) * 256)
             : static_cast<float>(static_cast<std::int16_t>(bytes_[at] | bytes_[at + 1] << 8));
}

MixerSource::Cursor MixerSource::At(std::size_t frame) const {
  // Frame j stands at source position j * sourceRate / rate: whole part index_, fraction
  // fraction_ / rate, both kept exactly in integers.
  Cursor at;
  at.frame_ = frame;
  if (frames_ == 0) return at;
  const std::uint64_t position = static_cast<std::uint64_t>(frame) * sourceRate_;
  at.index_ = static_cast<std::size_t>(position / rate_);
  at.fraction_ = static_cast<std::uint32_t>(position % rate_);
  for (int c = 0; c < channels_; ++c) {
    float* s = &at.around_[4 * c];
    s[0] = Sample(at.index_ == 0 ? 0 : at.index_ - 1, c);
    for (int k = 1; k < 4; ++k) s[k] = Sample(at.index_ + k - 1, c);
  }
  return at;
}

void MixerSource::Next(Cursor& at) const {
  ++at.frame_;
  at.fraction_ += sourceRate_;
  while (at.fraction_ >= rate_) {
    at.fraction_ -= rate_;
    ++at.index_;
    for (int c = 0; c < channels_; ++c) {
      float* s = &at.around_[4 * c];
      std::copy(s + 1, s + 4, s);
      s[3] = Sample(at.index_ + 2, c);
    }
  }
}

std::array<std::int16_t, 2> MixerSource::Read(const Cursor& at) const {
  const float t = static_cast<float>(at.fraction_) / static_cast<float>(rate_);
  const std::int16_t left = Clip(Interpolate(&at.around_[0], t));
  return {left, channels_ == 2 ? Clip(Interpolate(&at.around_[4], t)) : left};
}

}  // namespace host
