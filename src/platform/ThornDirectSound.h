#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/Audio.h"
#include "host/Window.h"

namespace platform {

// A sound the manager refused to load: a damaged WAV image, a key already taken, or samples
// the device cannot play.
class SoundError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Keeps one device buffer per sound under a text key and plays and stops them by key. Buffers
// are made only on an open device, which the first window assignment opens: before it, or on
// a machine without sound, the table stays empty and every operation does nothing, so the
// program plays on in silence.
class ThornDirectSound {
 public:
  explicit ThornDirectSound(host::AudioOutput& output) : output_(output) {}
  // Releases the buffers in the order they were added, then the device.
  ~ThornDirectSound();
  ThornDirectSound(const ThornDirectSound&) = delete;
  ThornDirectSound& operator=(const ThornDirectSound&) = delete;

  // The first assignment opens the audio device; later ones change nothing.
  void hWnd(const host::Window& window);
  // Makes a buffer from a whole WAV file image, which must outlive the buffer (it may play
  // straight from it), and files it under `key`. Throws SoundError
  // for a damaged image, a format the device cannot play, or a key already present (the
  // table then stays as it was).
  void Add(std::span<const std::uint8_t> soundBytes, const std::string& key);
  // Plays the buffer from its beginning, looping or not.
  void PlayBuffer(const std::string& key, bool loopSound = false);
  // Stops the buffer where it is.
  void StopBuffer(const std::string& key);
  // The buffer itself (to set its volume), or null.
  host::SoundBuffer* Buffer(const std::string& key) const;
  // The keys, in the order they were added.
  std::vector<std::string> Keys() const;

 private:
  struct Entry {
    std::string key;
    std::unique_ptr<host::SoundBuffer> buffer;
  };
  // Keys compare without regard to letter case.
  host::SoundBuffer* Find(std::string_view key) const;

  host::AudioOutput& output_;
  bool initialised_ = false;
  std::unique_ptr<host::AudioDevice> device_;
  std::vector<Entry> table_;
};

}  // namespace platform
