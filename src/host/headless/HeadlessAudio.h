#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/Audio.h"

namespace host {

class HeadlessAudio;

// One start of a sound, as the headless device heard it.
struct HeadlessPlay {
  std::int64_t timeMs = 0;  // virtual time
  std::string name;
  bool looping = false;
  std::int32_t volume = 0;
  bool muted = false;  // the output was muted at the time
};

// A sound of the headless device: its samples, and where it stands in virtual time. A sound
// that does not loop stops by itself once its own length has passed.
class HeadlessSound final : public SoundBuffer {
 public:
  HeadlessSound(HeadlessAudio& audio, const WaveFormat& format,
                std::span<const std::uint8_t> samples, std::string_view name);
  ~HeadlessSound() override;
  HeadlessSound(const HeadlessSound&) = delete;
  HeadlessSound& operator=(const HeadlessSound&) = delete;

  void Play(bool looping) override;
  void Stop() override;
  bool Playing() const override;
  bool Looping() const override { return looping_ && Playing(); }
  void SetVolume(std::int32_t hundredthsOfDecibel) override;
  std::int32_t Volume() const override { return volume_; }

  const std::string& Name() const { return name_; }
  const WaveFormat& Format() const { return format_; }
  const std::vector<std::uint8_t>& Samples() const { return samples_; }
  // Bytes from the beginning to where it plays now, or where it stopped or ended.
  std::size_t Position() const;

 private:
  std::size_t Blocks() const { return samples_.size() / format_.blockAlign; }
  // Where it plays now, in whole blocks from the beginning: wrapped round in a loop, held at
  // the end once a sound that does not loop has ended.
  std::int64_t BlockNow() const;

  HeadlessAudio& audio_;
  WaveFormat format_;
  std::vector<std::uint8_t> samples_;
  std::string name_;
  std::int32_t volume_ = 0;
  bool running_ = false;  // started and not stopped (it may have ended by itself since)
  bool looping_ = false;
  std::int64_t startMs_ = 0;
  std::size_t stoppedAt_ = 0;
};

// The test back end's sound output: an always-present device (unless told otherwise) whose
// sounds keep their state in virtual time, a count of the sounds started and a record of the
// latest of them. Only the latest are kept, so that a run of any length stays the same size.
class HeadlessAudio final : public AudioOutput {
 public:
  static constexpr std::size_t kKeptPlays = 1000;

  explicit HeadlessAudio(std::function<std::int64_t()> nowMs) : nowMs_(std::move(nowMs)) {}

  std::unique_ptr<AudioDevice> OpenDevice() override;
  void SetMuted(bool muted) override {
    muted_ = muted;
    if (through_) through_->SetMuted(muted);
  }

  // --- for tests and the runner
  // A machine without a sound device when false: OpenDevice finds none.
  void SetDevicePresent(bool present) { present_ = present; }
  // From now on opens the devices of `output` in place of its own, and mutes it with itself:
  // the program's sounds then play there, and are not recorded here.
  void PlayThrough(AudioOutput* output) { through_ = output; }
  bool Muted() const { return muted_; }
  bool DeviceOpen() const { return deviceOpen_; }
  // How many sounds were started in all.
  std::uint64_t StartCount() const { return startCount_; }
  // The latest sounds started (at most kKeptPlays), oldest first.
  const std::deque<HeadlessPlay>& Played() const { return played_; }
  // Their names, oldest first.
  std::vector<std::string> PlayedNames() const;
  // The sounds started after the first `count`, oldest first; throws std::out_of_range when
  // some of them are no longer kept.
  std::vector<HeadlessPlay> PlayedSince(std::uint64_t count) const;
  // The sounds alive now, oldest first.
  const std::vector<HeadlessSound*>& Sounds() const { return sounds_; }
  // The live sound of that name (the newest if there are several), or null.
  HeadlessSound* Find(std::string_view name) const;

  // --- for the device and its sounds
  std::int64_t NowMs() const { return nowMs_(); }
  void Added(HeadlessSound* sound) { sounds_.push_back(sound); }
  void Removed(HeadlessSound* sound);
  void Started(const HeadlessSound& sound, bool looping);
  void DeviceClosed() { deviceOpen_ = false; }

 private:
  std::function<std::int64_t()> nowMs_;
  bool present_ = true;
  bool deviceOpen_ = false;
  bool muted_ = false;
  AudioOutput* through_ = nullptr;
  std::uint64_t startCount_ = 0;
  std::deque<HeadlessPlay> played_;
  std::vector<HeadlessSound*> sounds_;
};

}  // namespace host
