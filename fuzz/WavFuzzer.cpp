// The sound manager reads WAV images. Any bytes must be refused with an error or loaded
// without a read outside them, and what loads must convert to the mixer's own format (the
// real back end's path) and play.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "host/Audio.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "host/sdl/MixerConvert.h"
#include "platform/ThornDirectSound.h"

namespace {

// A device that converts every sound as the SDL mixer back end does, then keeps nothing.
class ConvertingDevice : public host::AudioDevice, public host::AudioOutput {
 public:
  std::unique_ptr<host::AudioDevice> OpenDevice() override {
    return std::make_unique<ConvertingDevice>();
  }
  void SetMuted(bool) override {}
  std::unique_ptr<host::SoundBuffer> CreateBuffer(const host::WaveFormat& format,
                                                  std::span<const std::uint8_t> samples,
                                                  std::string_view) override {
    if (!host::Playable(format, samples.size())) return nullptr;
    host::sdl::ToMixerFrames(format, samples, 44100);
    return std::make_unique<Buffer>();
  }

 private:
  struct Buffer : host::SoundBuffer {
    void Play(bool) override {}
    void Stop() override {}
    bool Playing() const override { return false; }
    bool Looping() const override { return false; }
    void SetVolume(std::int32_t) override {}
    std::int32_t Volume() const override { return 0; }
  };
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static host::HeadlessHost host(std::make_unique<host::MemoryRegistryStore>());
  static host::WindowEvents events;
  static const std::unique_ptr<host::Window> window =
      host.CreateWindow({.name = "MainForm", .width = 1, .height = 1}, events);
  ConvertingDevice output;
  platform::ThornDirectSound manager(output);
  manager.hWnd(*window);
  try {
    manager.Add(std::span(data, size), "SFuzz");
    manager.PlayBuffer("sfuzz", true);
  } catch (const platform::SoundError&) {
  }
  return 0;
}
