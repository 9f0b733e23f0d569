#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace host {

// The layout of a sound's samples, as the format record of a WAV file gives it.
struct WaveFormat {
  std::uint16_t formatTag = 0;  // 1 = PCM
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSec = 0;
  std::uint32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
};

// Whether a device can play `bytes` bytes of samples of this layout: integer PCM, 8 or 16
// bits, mono or stereo, a consistent block size, a rate a sound card could have, and at
// least one whole block.
bool Playable(const WaveFormat& format, std::size_t bytes);

// Volumes are attenuations in hundredths of a decibel: 0 is the sound's own level,
// kSilentVolume (and anything below it) is silence.
constexpr std::int32_t kSilentVolume = -10000;

// The factor a volume multiplies the samples by: 10^(v / 2000), exactly, so that every step of
// a fade is heard as the step it names; 0 at kSilentVolume and below; 1 at 0 and above.
double VolumeGain(std::int32_t hundredthsOfDecibel);

// One sound held by the device, with a channel of its own: it never overlaps itself.
class SoundBuffer {
 public:
  virtual ~SoundBuffer() = default;  // falls silent
  // Plays from the beginning, cutting itself off if it is still playing.
  virtual void Play(bool looping) = 0;
  // Stops where it is.
  virtual void Stop() = 0;
  virtual bool Playing() const = 0;
  // Playing, and in a loop.
  virtual bool Looping() const = 0;
  // Kept within kSilentVolume..0.
  virtual void SetVolume(std::int32_t hundredthsOfDecibel) = 0;
  virtual std::int32_t Volume() const = 0;
};

// An open output device. Its buffers must be released before it.
class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  // A buffer that plays the whole blocks of `samples`, converted to what the device plays; it
  // may read them for as long as it lives, so they must outlive it (the game's sounds are
  // built into the program). Null when they are not Playable or the device cannot take
  // them. `name` only labels the buffer in records and messages.
  virtual std::unique_ptr<SoundBuffer> CreateBuffer(const WaveFormat& format,
                                                    std::span<const std::uint8_t> samples,
                                                    std::string_view name) = 0;
};

// The machine's sound output. A machine without one is normal: the program plays silently.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Opens the default output device; null when there is none or it cannot be opened (the
  // back end says why, once, on standard error). One device is open at a time.
  virtual std::unique_ptr<AudioDevice> OpenDevice() = 0;
  // Silences every buffer without stopping any (they play on unheard), for as long as the
  // program has no focus; also holds for a device opened later.
  virtual void SetMuted(bool muted) = 0;
};

}  // namespace host
