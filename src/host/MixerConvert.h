#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "host/Audio.h"

namespace host {

// A sound (8-bit unsigned or 16-bit little-endian PCM, mono or stereo, any rate) as 16-bit
// frames at another rate, the mixer's own format, with as many channels as it had (a stereo
// sound interleaved left, right). The rate changes by cubic (Catmull-Rom) interpolation:
// cheap enough to convert every sound as it plays, and clean enough for 8-bit sources, whose
// own noise lies above what it leaves behind. Any stretch of the result can be made on its
// own, identical to the same stretch of the whole.
class RateConverter {
 public:
  // Reads the whole blocks of `samples` as it converts: they must outlive it.
  RateConverter(const WaveFormat& format, std::span<const std::uint8_t> samples, int rate);

  std::size_t Frames() const { return outFrames_; }
  std::size_t Channels() const { return channels_; }
  // Writes frames [first, first + count) of the result to `out`, count * Channels() samples.
  void Convert(std::size_t first, std::size_t count, std::int16_t* out) const;

 private:
  template <bool kEightBit, std::size_t kChannels>
  void ConvertAs(std::size_t first, std::size_t count, std::int16_t* out) const;

  std::span<const std::uint8_t> bytes_;
  std::size_t inFrames_ = 0;
  std::size_t outFrames_ = 0;
  std::size_t channels_ = 1;
  std::size_t blockAlign_ = 1;
  bool eightBit_ = true;
  std::uint32_t inRate_ = 1;
  std::uint32_t outRate_ = 1;
};

// The whole of a sound converted at once; empty when there is nothing to convert.
std::vector<std::int16_t> ToMixerFrames(const WaveFormat& format,
                                        std::span<const std::uint8_t> samples, int rate);

}  // namespace host
