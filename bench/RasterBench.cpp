// How fast the drawing foundation is: rectangle copies per raster operation at sprite and
// screen sizes, filled rectangles over the play field, the bomb's ring, a status line.
#include <benchmark/benchmark.h>

#include <string>

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

void BM_CircleRadius120(benchmark::State& state) {
  Surface screen(kScreenWidth, kScreenHeight);
  for (auto _ : state) {
    screen.Circle(320, 260, 120, host::Rgb(255, 0, 0));
    benchmark::DoNotOptimize(screen.Pixels());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CircleRadius120);

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
