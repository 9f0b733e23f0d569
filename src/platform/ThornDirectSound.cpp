#include "platform/ThornDirectSound.h"

#include <algorithm>

namespace platform {
namespace {

using Bytes = std::span<const std::uint8_t>;

// The format record read is 22 bytes: the 16 bytes of PCM, then an extra-size field and
// extra data that mean nothing for PCM but that the image must still hold.
constexpr std::size_t kFormatRecordBytes = 22;

std::uint32_t LittleEndian(Bytes bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i)
    value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

// The offset of the first `what` at or after `from`, or the size when there is none.
std::size_t Search(Bytes bytes, std::size_t from, std::string_view what) {
  return static_cast<std::size_t>(std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                              bytes.end(), what.begin(), what.end()) -
                                  bytes.begin());
}

struct WavImage {
  host::WaveFormat format;
  Bytes samples;
};

// Finds the format record and the samples by searching for the bytes "fmt" and then "data"
// rather than by walking the chunks, so that whatever lies after the samples (trailing or
// damaged chunks) is never looked at.
// Deliberate: nothing outside the image is read: what the search finds must leave room for
// the fields read after it, or the sound is refused.
WavImage ParseWav(Bytes bytes, const std::string& key) {
  const auto refuse = [&key](const std::string& why) {
    return SoundError("cannot load the sound \"" + key + "\": " + why);
  };
  const std::size_t fmt = Search(bytes, 0, "fmt");
  if (fmt == bytes.size()) throw refuse("it is not a WAV image (no \"fmt\")");
  const std::size_t record = fmt + 8;
  if (bytes.size() < record + kFormatRecordBytes)
    throw refuse("the WAV image ends inside its format record");
  WavImage image;
  image.format.formatTag = static_cast<std::uint16_t>(LittleEndian(bytes, record, 2));
  image.format.channels = static_cast<std::uint16_t>(LittleEndian(bytes, record + 2, 2));
  image.format.samplesPerSec = LittleEndian(bytes, record + 4, 4);
  image.format.avgBytesPerSec = LittleEndian(bytes, record + 8, 4);
  image.format.blockAlign = static_cast<std::uint16_t>(LittleEndian(bytes, record + 12, 2));
  image.format.bitsPerSample = static_cast<std::uint16_t>(LittleEndian(bytes, record + 14, 2));

  const std::size_t data = Search(bytes, fmt, "data");
  if (data == bytes.size()) throw refuse("the WAV image has no \"data\" after \"fmt\"");
  const std::size_t first = data + 8;
  if (bytes.size() < first) throw refuse("the WAV image ends inside its data header");
  const std::uint32_t size = LittleEndian(bytes, data + 4, 4);
  if (size > bytes.size() - first)
    throw refuse("its data size (" + std::to_string(size) + " bytes) runs past the end of the " +
                 "WAV image (" + std::to_string(bytes.size() - first) + " bytes left)");
  image.samples = bytes.subspan(first, size);
  return image;
}

bool SameKey(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

std::string Describe(const host::WaveFormat& f) {
  return "format " + std::to_string(f.formatTag) + ", " + std::to_string(f.channels) +
         " channel(s), " + std::to_string(f.bitsPerSample) + " bits, " +
         std::to_string(f.samplesPerSec) + " Hz";
}

}  // namespace

ThornDirectSound::~ThornDirectSound() {
  for (Entry& entry : table_) entry.buffer.reset();
  table_.clear();
  device_.reset();
}

void ThornDirectSound::hWnd(const host::Window& /*window*/) {
  if (initialised_) return;
  // Marked first: a device that fails to open is not asked for again.
  initialised_ = true;
  device_ = output_.OpenDevice();
}

void ThornDirectSound::Add(std::span<const std::uint8_t> soundBytes, const std::string& key) {
  if (!device_) return;
  const WavImage image = ParseWav(soundBytes, key);
  std::unique_ptr<host::SoundBuffer> buffer =
      device_->CreateBuffer(image.format, image.samples, key);
  if (!buffer)
    throw SoundError("cannot load the sound \"" + key + "\": the sound device cannot play " +
                     Describe(image.format) + " with " + std::to_string(image.samples.size()) +
                     " bytes of samples");
  if (Find(key)) throw SoundError("a sound is already loaded under the key \"" + key + "\"");
  table_.push_back({key, std::move(buffer)});
}

void ThornDirectSound::PlayBuffer(const std::string& key, bool loopSound) {
  if (host::SoundBuffer* buffer = Find(key)) buffer->Play(loopSound);
}

void ThornDirectSound::StopBuffer(const std::string& key) {
  if (host::SoundBuffer* buffer = Find(key)) buffer->Stop();
}

host::SoundBuffer* ThornDirectSound::Buffer(const std::string& key) const {
  return Find(key);
}

std::vector<std::string> ThornDirectSound::Keys() const {
  std::vector<std::string> keys;
  for (const Entry& e : table_) keys.push_back(e.key);
  return keys;
}

host::SoundBuffer* ThornDirectSound::Find(std::string_view key) const {
  for (const Entry& e : table_)
    if (SameKey(e.key, key)) return e.buffer.get();
  return nullptr;
}

}  // namespace platform
