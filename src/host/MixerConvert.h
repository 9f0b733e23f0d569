#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "host/Audio.h"

namespace host {

// The whole blocks of `samples` (8-bit unsigned or 16-bit little-endian PCM, mono or stereo,
// any rate) as 16-bit frames at `rate`, the mixer's own format, with as many channels as
// they had (a stereo sound interleaved left, right). The rate
// changes by cubic (Catmull-Rom) interpolation: cheap enough to convert all of the game's
// sounds in a few milliseconds, and clean enough for 8-bit sources, whose own noise lies
// above what it leaves behind.
std::vector<std::int16_t> ToMixerFrames(const WaveFormat& format,
                                        std::span<const std::uint8_t> samples, int rate);

}  // namespace host
