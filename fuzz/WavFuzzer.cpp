// The sound manager reads WAV images. Any bytes must be refused with an error or loaded
// without a read outside them, and what loads must convert to the mixer's own format and mix
// (the real back end's path).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "host/Mixer.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "platform/ThornDirectSound.h"

namespace {

// Opens the mixer the SDL back end plays from.
struct MixingOutput : host::AudioOutput {
  std::unique_ptr<host::AudioDevice> OpenDevice() override {
    auto device = std::make_unique<host::Mixer>();
    mixer = device.get();
    return device;
  }
  void SetMuted(bool) override {}
  host::Mixer* mixer = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static host::HeadlessHost host(std::make_unique<host::MemoryRegistryStore>());
  static host::WindowEvents events;
  static const std::unique_ptr<host::Window> window =
      host.CreateWindow({.name = "MainForm", .width = 1, .height = 1}, events);
  MixingOutput output;
  platform::ThornDirectSound manager(output);
  manager.hWnd(*window);
  try {
    manager.Add(std::span(data, size), "SFuzz");
    manager.PlayBuffer("sfuzz", true);
    std::vector<std::int16_t> block(2 * 1024);
    output.mixer->Render(block);
  } catch (const platform::SoundError&) {
  }
  return 0;
}
