// How fast the drawing foundation is: rectangle copies per raster operation at sprite and
// screen sizes, filled rectangles over the play field, sprites drawn by their runs, the
// bomb's ring (whole and cut by the screen's edge), a status line.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "host/Font.h"
#include "host/Surface.h"

namespace {

using host::PenMode;
using host::RasterOp;
using host::Surface;

constexpr int kScreenWidth = 640, kScreenHeight = 480;

// Any picture will do, as long as the pixels differ.
Surface Pattern(int width, int height) {
  Surface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) s.SetPixel(x, y, host::Rgb(x * 7, y * 3, x ^ y));
  return s;
}

// Reports the pixels written as items and as megapixels per second.
void CountPixels(benchmark::State& state, long long pixelsPerIteration) {
  state.SetItemsProcessed(state.iterations() * pixelsPerIteration);
  state.counters["MP/s"] = benchmark::Counter(static_cast<double>(pixelsPerIteration) / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
}

// Arguments: raster operation (0 copy, 1 AND, 2 XOR), width, height of the copied block.
void BM_Blit(benchmark::State& state) {
  const auto op = static_cast<RasterOp>(state.range(0));
  const int w = static_cast<int>(state.range(1)), h = static_cast<int>(state.range(2));
  const Surface sheet = Pattern(w, h);
  Surface screen = Pattern(kScreenWidth, kScreenHeight);
  const int x = (kScreenWidth - w) / 2, y = (kScreenHeight - h) / 2;
  for (auto _ : state) {
    screen.Blit(x, y, w, h, sheet, 0, 0, op);
    benchmark::DoNotOptimize(screen.Pixels());
    benchmark::ClobberMemory();
  }
  CountPixels(state, static_cast<long long>(w) * h);
}
BENCHMARK(BM_Blit)
    ->ArgNames({"op", "w", "h"})
    ->ArgsProduct({{0, 1, 2}, {16}, {16}})
    ->ArgsProduct({{0, 1, 2}, {64}, {64}})
    ->ArgsProduct({{0, 1, 2}, {kScreenWidth}, {kScreenHeight}});

// Argument: pen mode (0 copy, 1 mask), over the play field rows 50 to 479.
void BM_FillPlayField(benchmark::State& state) {
  const auto mode = static_cast<PenMode>(state.range(0));
  Surface screen = Pattern(kScreenWidth, kScreenHeight);
  for (auto _ : state) {
    screen.FillRect(0, 50, kScreenWidth - 1, kScreenHeight - 1, host::Rgb(57, 57, 57), mode);
    benchmark::DoNotOptimize(screen.Pixels());
    benchmark::ClobberMemory();
  }
  CountPixels(state, static_cast<long long>(kScreenWidth) * (kScreenHeight - 50));
}
BENCHMARK(BM_FillPlayField)->ArgName("mask")->Arg(0)->Arg(1);

// A round figure `side` pixels across, as runs along its rows, like the Zorbs' figures.
host::PixelRuns Disc(int side) {
  host::PixelRuns runs;
  const int r = side / 2;
  for (int y = 0; y < side; ++y) {
    int half = 0;
    while (half < r && (half + 1) * (half + 1) + (y - r) * (y - r) <= r * r) ++half;
    if (half > 0) runs.Add(y, r - half, 2 * half);
  }
  return runs;
}

// A frame's Zorbs as the game draws them: 32 figures of the four sizes at spots spread
// over the field, each blacked out, then all copied from a sheet a few pixels on. Items
// are figures drawn.
void BM_EnemyFigures(benchmark::State& state) {
  const Surface sheet = Pattern(260, 64);
  Surface screen = Pattern(kScreenWidth, kScreenHeight);
  std::vector<host::PixelRuns> figures;
  for (int side = 16; side <= 64; side += 16) figures.push_back(Disc(side));
  constexpr int kCount = 32;
  const auto spot = [](int i, int frame) {
    return std::pair{(i * 149 + frame * 3) % (kScreenWidth - 64), 50 + (i * 83 + frame) % 360};
  };
  int frame = 0;
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) {
      const auto [x, y] = spot(i, frame);
      screen.FillRuns(x, y, figures[i % 4], host::kBlack);
    }
    ++frame;
    for (int i = 0; i < kCount; ++i) {
      const auto [x, y] = spot(i, frame);
      screen.BlitRuns(x, y, sheet, 65 * (i % 4), 0, figures[i % 4]);
    }
    benchmark::DoNotOptimize(screen.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_EnemyFigures);

// Argument: the centre's column; at 40 the ring is cut by the screen's left edge.
void BM_CircleRadius120(benchmark::State& state) {
  Surface screen(kScreenWidth, kScreenHeight);
  const int cx = static_cast<int>(state.range(0));
  for (auto _ : state) {
    screen.Circle(cx, 260, 120, host::Rgb(255, 0, 0));
    benchmark::DoNotOptimize(screen.Pixels());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CircleRadius120)->ArgName("x")->Arg(320)->Arg(40);

// One status line in the game screen's font on the 640 x 50 status buffer; items are
// characters.
void BM_StatusLineText(benchmark::State& state) {
  const host::Font& font = host::Font::Get({"Arial", 12, true, true});
  const std::string line = "Score: 1234567   Wave 12   Hull 87   Energy 100";
  Surface status(kScreenWidth, 50);
  for (auto _ : state) {
    benchmark::DoNotOptimize(status.DrawText(12, 16, line, font, host::Rgb(224, 224, 255)));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long long>(line.size()));
}
BENCHMARK(BM_StatusLineText);

}  // namespace
