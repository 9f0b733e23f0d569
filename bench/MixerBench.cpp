// What sound costs on the real back end: loading the game's 20 sounds (each converted to the
// mixer's format as it plays), and the mixer's CPU time per second of audio with all 20 loaded
// and some playing. SDL's disk driver writes the mixed audio into a pipe that the benchmark
// drains, so the mixer runs as fast as the pipe is read and each iteration is exactly one
// second of audio, and its process CPU time (mixing thread included) is the cost of mixing
// one second.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "assets/Assets.h"
#include "host/sdl/SdlAudio.h"
#include "platform/ThornDirectSound.h"

namespace {

const char* const kCues[] = {"SMusic",      "SHit",        "SBeep",      "SError",    "SShieldsOn",
                             "SShieldsOff", "SShieldsHit", "SBombFound", "SBombUsed", "SBlaster",
                             "SPlasma",     "SPulse",      "SPhoton",    "SLaser",    "SMoney",
                             "SUpgrade",    "SExplode",    "SWarning",   "SWin",      "SSpecial"};

constexpr std::size_t kBytesPerSecond = 44100 * 4;  // 16-bit stereo at 44.1 kHz

// The window handle only marks the moment the device opens; any window will do.
struct NoWindow : host::Window {
  std::string name;
  const std::string& Name() const override { return name; }
  host::Surface& Canvas() override { std::abort(); }
  void Show() override {}
  void Hide() override {}
  bool Visible() const override { return false; }
  void SetTopmost(bool) override {}
  bool Topmost() const override { return false; }
  void Minimize() override {}
  bool Minimized() const override { return false; }
  bool Maximized() const override { return false; }
  void SetCursor(host::Cursor) override {}
  host::Cursor CurrentCursor() const override { return host::Cursor::Default; }
  void SetCapture(bool) override {}
  bool HasCapture() const override { return false; }
  void SetDragArea(const host::PixelRect&) override {}
  void Invalidate() override {}
};

void LoadAll(platform::ThornDirectSound& sound) {
  for (const char* cue : kCues) sound.Add(assets::Sound(cue), cue);
}

void BM_LoadTwentySounds(benchmark::State& state) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  host::sdl::SdlAudio audio;
  NoWindow window;
  for (auto _ : state) {
    platform::ThornDirectSound sound(audio);
    sound.hWnd(window);
    LoadAll(sound);
  }
}
BENCHMARK(BM_LoadTwentySounds)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// Argument: how many of the 20 sounds play at once (looping, so that none ends).
void BM_MixOneSecond(benchmark::State& state) {
  const std::string fifo =
      (std::filesystem::temp_directory_path() / ("skirmora-mix-" + std::to_string(getpid())))
          .string();
  ::unlink(fifo.c_str());
  if (::mkfifo(fifo.c_str(), 0600) != 0) {
    state.SkipWithError("cannot make a pipe");
    return;
  }
  ::setenv("SDL_AUDIODRIVER", "disk", 1);
  ::setenv("SDL_DISKAUDIOFILE", fifo.c_str(), 1);
  ::setenv("SDL_DISKAUDIODELAY", "0", 1);
  // Opening a pipe waits for its other end: the reader opens it while the device does.
  int reader = -1;
  std::thread opener([&] { reader = ::open(fifo.c_str(), O_RDONLY); });
  host::sdl::SdlAudio audio;
  NoWindow window;
  auto sound = std::make_unique<platform::ThornDirectSound>(audio);
  sound->hWnd(window);
  opener.join();
  ::unlink(fifo.c_str());
  LoadAll(*sound);
  for (int i = 0; i < state.range(0); ++i) sound->PlayBuffer(kCues[i], true);
  std::vector<char> buffer(65536);
  for (auto _ : state) {
    std::size_t got = 0;
    while (got < kBytesPerSecond) {
      const ssize_t n = ::read(reader, buffer.data(), buffer.size());
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
  }
  // Reading on while the device closes, so that its last write does not wait for us.
  std::thread drain([reader, &buffer] {
    while (::read(reader, buffer.data(), buffer.size()) > 0) {
    }
  });
  sound.reset();
  drain.join();
  ::close(reader);
}
BENCHMARK(BM_MixOneSecond)->Arg(0)->Arg(8)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
