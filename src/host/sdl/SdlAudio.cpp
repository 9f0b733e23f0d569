#include "host/sdl/SdlAudio.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <span>

#include "host/Mixer.h"

namespace host::sdl {
namespace {

// The mixer's rate, 16-bit stereo, exactly, so that the sounds can be converted to it once, at
// load. 1024 frames of mixing ahead (23 ms) keep a shot's sound within its 50 ms frame.
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

// The open device: SDL's audio thread asks the mixer for every block it plays.
class SdlDevice final : public Mixer {
 public:
  explicit SdlDevice(SdlAudio& owner) : owner_(owner) {}
  ~SdlDevice() override {
    if (id_ != 0) SDL_CloseAudioDevice(id_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    owner_.DeviceClosed();
  }
  SdlDevice(const SdlDevice&) = delete;
  SdlDevice& operator=(const SdlDevice&) = delete;

  // Opens SDL's default device and starts it; SDL's error when it cannot.
  std::string Open() {
    SDL_AudioSpec want{};
    want.freq = Mixer::kRate;
    want.format = kFormat;
    want.channels = kChannels;
    want.samples = kMixFrames;
    want.callback = &Fill;
    want.userdata = this;
    // SDL converts for the hardware when it differs.
    id_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (id_ == 0) return SDL_GetError();
    SDL_PauseAudioDevice(id_, 0);
    return {};
  }

 private:
  static void Fill(void* device, Uint8* stream, int bytes) {
    static_cast<SdlDevice*>(device)->Render(
        std::span(reinterpret_cast<std::int16_t*>(stream), static_cast<std::size_t>(bytes) / 2));
  }

  SdlAudio& owner_;
  SDL_AudioDeviceID id_ = 0;
};

}  // namespace

std::unique_ptr<AudioDevice> SdlAudio::OpenDevice() {
  if (mixer_) return nullptr;
  std::string why;
  std::unique_ptr<SdlDevice> device;
  {
    QuietStderr quiet;
    // Read when the device opens (or, by some drivers, when the subsystem starts): what the
    // desktop's volume control calls the program and its stream.
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Skirmora");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Skirmora");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      why = SDL_GetError();
    } else {
      device = std::make_unique<SdlDevice>(*this);
      why = device->Open();
      if (!why.empty()) device.reset();
    }
  }
  // Deliberate: no device is no error; the game plays on in silence and says why once.
  if (!device) {
    ReportSilence(why);
    return nullptr;
  }
  mixer_ = device.get();
  mixer_->SetMuted(muted_);
  return device;
}

void SdlAudio::SetMuted(bool muted) {
  muted_ = muted;
  if (mixer_) mixer_->SetMuted(muted);
}

void SdlAudio::ReportSilence(const std::string& why) {
  if (reported_) return;
  reported_ = true;
  std::fprintf(stderr, "skirmora: playing without sound: %s\n",
               why.empty() ? "no audio device" : why.c_str());
}

}  // namespace host::sdl
