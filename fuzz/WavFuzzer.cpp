// The sound manager reads WAV images. Any bytes must be refused with an error or loaded
// without a read outside them, and what loads must convert to the mixer's own format and mix
// (the real back end's path).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "host/Mixer.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "platform/ThornDirectSound.h"

namespace {

// A device whose sounds go through the mixer the SDL back end plays from.
class MixingOutput : public host::AudioDevice, public host::AudioOutput {
 public:
  explicit MixingOutput(host::Mixer& mixer) : mixer_(mixer) {}
  std::unique_ptr<host::AudioDevice> OpenDevice() override {
    return std::make_unique<MixingOutput>(mixer_);
  }
  void SetMuted(bool) override {}
  std::unique_ptr<host::SoundBuffer> CreateBuffer(const host::WaveFormat& format,
                                                  std::span<const std::uint8_t> samples,
                                                  std::string_view) override {
    return mixer_.CreateBuffer(format, samples);
  }

 private:
  host::Mixer& mixer_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static host::HeadlessHost host(std::make_unique<host::MemoryRegistryStore>());
  static host::WindowEvents events;
  static const std::unique_ptr<host::Window> window =
      host.CreateWindow({.name = "MainForm", .width = 1, .height = 1}, events);
  host::Mixer mixer;
  MixingOutput output(mixer);
  platform::ThornDirectSound manager(output);
  manager.hWnd(*window);
  try {
    manager.Add(std::span(data, size), "SFuzz");
    manager.PlayBuffer("sfuzz", true);
    std::vector<std::int16_t> block(2 * 1024);
    mixer.Render(block);
  } catch (const platform::SoundError&) {
  }
  return 0;
}
