// What presenting the game window costs at common screen sizes: a frame in which the ship
// and a few shots moved, scaled and written into the window image (what goes to the window
// system then is that many pixels more), against composing the whole window as a frame
// with everything changed would.
#include <benchmark/benchmark.h>

#include <vector>

#include "host/Surface.h"
#include "host/sdl/Presenter.h"

namespace {

using host::Surface;
using host::sdl::WindowImage;

constexpr int kShots = 6;

struct Screen {
  int width, height;
  std::vector<std::uint32_t> pixels;
  Surface field{640, 480};
  host::sdl::Viewport vp;

  Screen(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {
    vp = host::sdl::FitViewport(w, h, field.Width(), field.Height());
    field.FillRect(0, 0, 639, 49, host::Rgb(40, 40, 90));  // a status bar
    host::sdl::ComposeWindow(Image(), field, vp, host::WindowFrame::None, true);
    field.ClearDirty();
  }
  WindowImage Image() { return {pixels.data(), width, height, width}; }
};

// Everything the frame draws: the ship blanked and drawn 8 pixels on, the shots moved up.
void DrawFrame(Surface& field, int frame) {
  static const Surface ship(65, 65, host::Rgb(200, 200, 220)), shot(16, 16, host::Rgb(255, 200, 0));
  const int shipX = 200 + (frame % 40) * 8, shipY = 400;
  field.FillRect(shipX - 8, shipY, shipX + 56, shipY + 64, host::kBlack);
  field.Blit(shipX, shipY, 65, 65, ship, 0, 0);
  for (int i = 0; i < kShots; ++i) {
    const int x = 60 + 90 * i, y = 380 - (frame * 16 + i * 50) % 320;
    field.FillRect(x, y + 16, x + 15, y + 31, host::kBlack);
    field.Blit(x, y, 16, 16, shot, 0, 0);
  }
}

// 1280 x 1024 and 1920 x 1080 show the field at twice its size, 3840 x 2160 at four times.
void AtScreenSizes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"w", "h"})->Args({1280, 1024})->Args({1920, 1080})->Args({3840, 2160});
  b->Unit(benchmark::kMicrosecond);
}

void BM_PresentMovedShipAndShots(benchmark::State& state) {
  Screen screen(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  int frame = 0;
  for (auto _ : state) {
    state.PauseTiming();
    DrawFrame(screen.field, frame++);
    state.ResumeTiming();
    for (const host::PixelRect& part : screen.field.Dirty().Rects())
      host::sdl::ComposePart(screen.Image(), screen.field, screen.vp, part);
    screen.field.ClearDirty();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PresentMovedShipAndShots)->Apply(AtScreenSizes);

void BM_PresentWholeWindow(benchmark::State& state) {
  Screen screen(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    host::sdl::ComposeWindow(screen.Image(), screen.field, screen.vp, host::WindowFrame::None,
                             true);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PresentWholeWindow)->Apply(AtScreenSizes);

}  // namespace
