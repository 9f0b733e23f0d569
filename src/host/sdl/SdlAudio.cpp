#include "host/sdl/SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "host/sdl/MixerConvert.h"

namespace host::sdl {
namespace {

// CD rate, 16-bit stereo, exactly (SDL converts for the hardware when it differs), so that
// the sounds can be converted to it once, at load. 1024 frames of mixing ahead (23 ms) keep
// a shot's sound within its 50 ms frame.
constexpr int kRate = 44100;
constexpr Uint16 kFormat = AUDIO_S16SYS;
constexpr int kChannels = 2;
constexpr int kMixFrames = 1024;

// Sends standard error to /dev/null for as long as it lives. The sound libraries tell
// standard error about every device they fail to open (ALSA alone writes eight lines on a
// machine without a sound card); the program says why it plays silently in one line.
class QuietStderr {
 public:
  QuietStderr() {
    std::fflush(stderr);
    saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) {
      ::dup2(null, STDERR_FILENO);
      ::close(null);
    }
  }
  ~QuietStderr() {
    std::fflush(stderr);
    if (saved_ >= 0) {
      ::dup2(saved_, STDERR_FILENO);
      ::close(saved_);
    }
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

class MixerDevice;

class MixerSound final : public SoundBuffer {
 public:
  MixerSound(MixerDevice& device, int channel, std::vector<std::int16_t> pcm, Mix_Chunk* chunk)
      : device_(device), channel_(channel), pcm_(std::move(pcm)), chunk_(chunk) {
    Mix_Volume(channel_, MIX_MAX_VOLUME);
  }
  ~MixerSound() override;
  MixerSound(const MixerSound&) = delete;
  MixerSound& operator=(const MixerSound&) = delete;

  void Play(bool looping) override {
    // Starting a chunk on its own channel cuts off what that channel played: a restart.
    looping_ = looping;
    Mix_PlayChannel(channel_, chunk_, looping ? -1 : 0);
  }
  void Stop() override { Mix_HaltChannel(channel_); }
  bool Playing() const override { return Mix_Playing(channel_) != 0; }
  bool Looping() const override { return looping_ && Playing(); }
  void SetVolume(std::int32_t hundredthsOfDecibel) override {
    volume_ = std::clamp(hundredthsOfDecibel, kSilentVolume, 0);
    Mix_Volume(channel_, MixerVolume(volume_));
  }
  std::int32_t Volume() const override { return volume_; }

 private:
  MixerDevice& device_;
  int channel_;
  std::vector<std::int16_t> pcm_;  // the chunk plays straight from here
  Mix_Chunk* chunk_;
  std::int32_t volume_ = 0;
  bool looping_ = false;
};

class MixerDevice final : public AudioDevice {
 public:
  explicit MixerDevice(SdlAudio& owner) : owner_(owner), allocated_(Mix_AllocateChannels(-1)) {}
  ~MixerDevice() override {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    owner_.DeviceClosed();
  }
  MixerDevice(const MixerDevice&) = delete;
  MixerDevice& operator=(const MixerDevice&) = delete;

  std::unique_ptr<SoundBuffer> CreateBuffer(const WaveFormat& format,
                                            std::span<const std::uint8_t> samples,
                                            std::string_view /*name*/) override {
    if (!Playable(format, samples.size())) return nullptr;
    std::vector<std::int16_t> pcm = ToMixerFrames(format, samples, kRate);
    if (pcm.empty() || pcm.size() > UINT32_MAX / 2) return nullptr;
    Mix_Chunk* chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(pcm.data()),
                                         static_cast<Uint32>(pcm.size() * 2));
    if (!chunk) return nullptr;
    return std::make_unique<MixerSound>(*this, TakeChannel(), std::move(pcm), chunk);
  }

  void ReleaseChannel(int channel) { free_.push_back(channel); }

 private:
  int TakeChannel() {
    if (!free_.empty()) {
      const int channel = free_.back();
      free_.pop_back();
      return channel;
    }
    if (next_ == allocated_) allocated_ = Mix_AllocateChannels(allocated_ + 1);
    return next_++;
  }

  SdlAudio& owner_;
  int allocated_;          // mixer channels
  int next_ = 0;           // channels below this have been handed out
  std::vector<int> free_;  // handed out and given back
};

MixerSound::~MixerSound() {
  // Frees the chunk only (it does not own the samples), halting its channel first.
  Mix_FreeChunk(chunk_);
  device_.ReleaseChannel(channel_);
}

}  // namespace

int MixerVolume(std::int32_t hundredthsOfDecibel) {
  if (hundredthsOfDecibel <= kSilentVolume) return 0;
  if (hundredthsOfDecibel >= 0) return MIX_MAX_VOLUME;
  // An amplitude factor of 10^(dB / 20). Below about -48 dB it rounds to 0, which is where
  // the 8-bit sounds' own noise floor lies anyway.
  const double amplitude = std::pow(10.0, hundredthsOfDecibel / 2000.0);
  return static_cast<int>(std::lround(amplitude * MIX_MAX_VOLUME));
}

std::unique_ptr<AudioDevice> SdlAudio::OpenDevice() {
  if (open_) return nullptr;
  std::string why;
  {
    QuietStderr quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      why = SDL_GetError();
    } else if (Mix_OpenAudioDevice(kRate, kFormat, kChannels, kMixFrames, nullptr, 0) != 0) {
      why = Mix_GetError();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
    } else {
      open_ = true;
    }
  }
  if (!open_) {
    ReportSilence(why);
    return nullptr;
  }
  Mix_MasterVolume(muted_ ? 0 : MIX_MAX_VOLUME);
  return std::make_unique<MixerDevice>(*this);
}

void SdlAudio::SetMuted(bool muted) {
  muted_ = muted;
  if (open_) Mix_MasterVolume(muted ? 0 : MIX_MAX_VOLUME);
}

void SdlAudio::ReportSilence(const std::string& why) {
  if (reported_) return;
  reported_ = true;
  std::fprintf(stderr, "skirmora: playing without sound: %s\n",
               why.empty() ? "no audio device" : why.c_str());
}

}  // namespace host::sdl
