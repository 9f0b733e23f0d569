#include "host/headless/HeadlessAudio.h"

#include <algorithm>
#include <stdexcept>

namespace host {
namespace {

class HeadlessDevice final : public AudioDevice {
 public:
  explicit HeadlessDevice(HeadlessAudio& audio) : audio_(audio) {}
  ~HeadlessDevice() override { audio_.DeviceClosed(); }
  std::unique_ptr<SoundBuffer> CreateBuffer(const WaveFormat& format,
                                            std::span<const std::uint8_t> samples,
                                            std::string_view name) override {
    if (!Playable(format, samples.size())) return nullptr;
    return std::make_unique<HeadlessSound>(audio_, format, samples, name);
  }

 private:
  HeadlessAudio& audio_;
};

}  // namespace

HeadlessSound::HeadlessSound(HeadlessAudio& audio, const WaveFormat& format,
                             std::span<const std::uint8_t> samples, std::string_view name)
    : audio_(audio),
      format_(format),
      samples_(samples.begin(), samples.end() - samples.size() % format.blockAlign),
      name_(name) {
  audio_.Added(this);
}

HeadlessSound::~HeadlessSound() {
  audio_.Removed(this);
}

void HeadlessSound::Play(bool looping) {
  running_ = true;
  looping_ = looping;
  startMs_ = audio_.NowMs();
  audio_.Started(*this, looping);
}

void HeadlessSound::Stop() {
  stoppedAt_ = Position();
  running_ = false;
}

std::int64_t HeadlessSound::BlockNow() const {
  const auto blocks = static_cast<std::int64_t>(Blocks());
  const std::int64_t rate = format_.samplesPerSec;
  const std::int64_t elapsed = audio_.NowMs() - startMs_;
  // Whole seconds and the rest apart, so that no product overflows however long it plays.
  const std::int64_t seconds = elapsed / 1000;
  const std::int64_t rest = elapsed % 1000 * rate / 1000;
  if (looping_) return ((seconds % blocks) * rate % blocks + rest) % blocks;
  return seconds >= blocks ? blocks : std::min(blocks, seconds * rate + rest);
}

bool HeadlessSound::Playing() const {
  return running_ && (looping_ || BlockNow() < static_cast<std::int64_t>(Blocks()));
}

std::size_t HeadlessSound::Position() const {
  return running_ ? static_cast<std::size_t>(BlockNow()) * format_.blockAlign : stoppedAt_;
}

void HeadlessSound::SetVolume(std::int32_t hundredthsOfDecibel) {
  volume_ = std::clamp(hundredthsOfDecibel, kSilentVolume, 0);
}

std::unique_ptr<AudioDevice> HeadlessAudio::OpenDevice() {
  if (!present_ || deviceOpen_) return nullptr;
  if (through_) return through_->OpenDevice();
  deviceOpen_ = true;
  return std::make_unique<HeadlessDevice>(*this);
}

std::vector<std::string> HeadlessAudio::PlayedNames() const {
  std::vector<std::string> names;
  for (const HeadlessPlay& p : played_) names.push_back(p.name);
  return names;
}

std::vector<HeadlessPlay> HeadlessAudio::PlayedSince(std::uint64_t count) const {
  const std::uint64_t since = startCount_ - std::min(count, startCount_);
  if (since > played_.size()) throw std::out_of_range("those sounds are no longer kept");
  return {played_.end() - static_cast<std::ptrdiff_t>(since), played_.end()};
}

HeadlessSound* HeadlessAudio::Find(std::string_view name) const {
  for (auto it = sounds_.rbegin(); it != sounds_.rend(); ++it)
    if ((*it)->Name() == name) return *it;
  return nullptr;
}

void HeadlessAudio::Removed(HeadlessSound* sound) {
  std::erase(sounds_, sound);
}

void HeadlessAudio::Started(const HeadlessSound& sound, bool looping) {
  ++startCount_;
  if (played_.size() == kKeptPlays) played_.pop_front();
  played_.push_back({NowMs(), sound.Name(), looping, sound.Volume(), muted_});
}

}  // namespace host
