#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "host/Audio.h"

namespace host {

// A sound's whole blocks of samples (8-bit unsigned or 16-bit little-endian PCM, mono or
// stereo, any rate) kept as they came, read as 16-bit frames at the mixer's rate. Each frame
// is worked out as it is read, by cubic (Catmull-Rom) interpolation: cheap enough for every
// sound that plays at once, and clean enough for 8-bit sources, whose own noise lies above
// what it leaves behind. Keeping the source rather than the converted frames takes a quarter
// to an eighth of the memory for the game's 8-bit sounds at 22,050 and 11,025 Hz.
class MixerSource {
 public:
  // A place in the frames with the source samples around it, stepped in order by Next.
  class Cursor {
   public:
    std::size_t Frame() const { return frame_; }

   private:
    friend class MixerSource;
    std::size_t frame_ = 0;
    std::size_t index_ = 0;          // the source frame at or before it
    std::uint32_t fraction_ = 0;     // how far past it, in steps of 1 / rate
    std::array<float, 8> around_{};  // per channel, source frames index_ - 1 to index_ + 2
  };

  MixerSource() = default;
  MixerSource(const WaveFormat& format, std::span<const std::uint8_t> samples, int rate);

  std::size_t Frames() const { return frames_; }
  Cursor At(std::size_t frame) const;
  void Next(Cursor& at) const;
  // The frame at a cursor before Frames(), left and right (a mono sound's one side twice).
  std::array<std::int16_t, 2> Read(const Cursor& at) const;

 private:
  // Source frame i of a channel on the 16-bit scale; the first and the last stand in for
  // frames before and after the sound, so that the interpolation never runs off.
  float Sample(std::size_t i, int channel) const;

  std::vector<std::uint8_t> bytes_;
  std::size_t sourceFrames_ = 0;
  std::size_t frames_ = 0;
  std::uint32_t sourceRate_ = 0;
  std::uint32_t rate_ = 0;
  int channels_ = 1;
  int blockAlign_ = 1;
  bool eightBit_ = true;
};

}  // namespace host
