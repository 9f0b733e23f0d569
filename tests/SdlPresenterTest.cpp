// How the SDL back end lays a client surface into its window: whole-factor scaling with
// black bars, mapping pointer positions back to client pixels, and sending only what changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <vector>

#include "SurfaceTesting.h"
#include "host/sdl/Presenter.h"

namespace {

using host::PixelRect;
using host::Surface;
using host::sdl::ComposePart;
using host::sdl::ComposeWindow;
using host::sdl::FitViewport;
using host::sdl::PictureRect;
using host::sdl::Surround;
using host::sdl::ToClient;
using host::sdl::Viewport;
using host::sdl::WindowImage;

constexpr host::WindowFrame kNoFrame = host::WindowFrame::None;

TEST(SdlPresenter, FitsTheGameFieldByTheLargestWholeFactor) {
  const struct {
    int screenW, screenH, scale, x, y;
  } cases[] = {{1920, 1080, 2, 320, 60},
               {2560, 1440, 3, 320, 0},
               {600, 400, 1, -20, -40}};  // too small: unscaled, centred, edges cut off
  for (const auto& c : cases) {
    const Viewport vp = FitViewport(c.screenW, c.screenH, 640, 480);
    EXPECT_EQ(vp.scale, c.scale) << c.screenW;
    EXPECT_EQ(vp.x, c.x) << c.screenW;
    EXPECT_EQ(vp.y, c.y) << c.screenW;
  }
}

// Per-pixel model of a composed window: each window pixel shows the client pixel under it
// (as a pointer position maps back to it), black where there is none.
std::uint32_t Shown(const Surface& client, const Viewport& vp, int x, int y) {
  const int cx = ToClient(x, vp.x, vp.scale), cy = ToClient(y, vp.y, vp.scale);
  const bool inside = cx >= 0 && cy >= 0 && cx < client.Width() && cy < client.Height();
  return inside ? client.GetPixel(cx, cy) : 0;
}

// A presenter that sends only what changed must leave the window exactly as composing all
// of it would, and that must show the client as the model says: every kind of drawing, many
// at once (some frames nothing but scattered pixels), then only the recorded parts composed,
// at every kind of fit and with rows longer than the window.
TEST(SdlPresenter, ComposingOnlyTheChangedPartsGivesTheWholeImage) {
  // Fitted to the window, one placed by hand so that both window edges cut through scaled
  // client pixels, and one as large as the game's, where scattered changes are many more
  // than the record keeps apart.
  const struct {
    int w, h, pitch, clientW, clientH;
    std::optional<Viewport> vp;
  } windows[] = {{64, 48, 64, 64, 48, {}},
                 {130, 100, 133, 64, 48, {}},
                 {200, 97, 200, 64, 48, {}},
                 {50, 40, 52, 64, 48, {}},
                 {100, 70, 101, 64, 48, Viewport{-4, -2, 3}},
                 {640, 480, 640, 640, 480, {}}};
  std::mt19937 random(3);
  const auto pick = [&](int from, int to) {
    return std::uniform_int_distribution<int>(from, to)(random);
  };
  const Surface sprite = testing_surfaces::Numbered(12, 12, 5);
  host::PixelRuns runs;
  for (int row = 0; row < 9; ++row) runs.Add(row, row % 4, 8 - row % 5);
  for (const auto& win : windows) {
    Surface client(win.clientW, win.clientH);
    const Viewport vp = win.vp.value_or(FitViewport(win.w, win.h, client.Width(), client.Height()));
    std::vector<std::uint32_t> partial(win.pitch * win.h, 0xDEAD), whole(partial);
    ComposeWindow({partial.data(), win.w, win.h, win.pitch}, client, vp, kNoFrame, true);
    for (int frame = 0; frame < 40; ++frame) {
      const Surface before = client;
      const std::uint64_t version = client.Version();
      client.ClearDirty();
      for (int i = 0; i < 24; ++i) {
        const int x = pick(-10, win.clientW + 6), y = pick(-10, win.clientH + 22),
                  u = pick(-10, win.clientW + 6), v = pick(-10, win.clientH + 22);
        const host::Color c = static_cast<host::Color>(pick(0, 0xFFFFFF));
        const host::RasterOp op = static_cast<host::RasterOp>(i % 3);
        const std::function<void()> draws[] = {
            [&] { client.Blit(x, y, u / 4, v / 4, sprite, 1, 2, op); },
            [&] { client.Blit(x, y, 20, 12, client, u, v, op); },
            [&] { client.FillRect(x, y, u, v, c); },
            [&] { client.FillRect(x, y, u, v, c, host::PenMode::Mask); },
            [&] { client.FillRuns(x, y, runs, c); },
            [&] { client.BlitRuns(x, y, sprite, u / 8, v / 8, runs); },
            [&] { client.Line(x, y, u, v, c); },
            [&] { client.Frame(x, y, u, v, c); },
            [&] { client.Circle(x, y, std::abs(u) / 2, c); },
            [&] { client.Circle(x, INT_MAX, INT_MAX - 60 + std::min(y, 60), c); },  // an arc
            [&] { client.Line(INT_MIN, y, INT_MAX, v, c); },
            [&] { frame % 10 ? client.SetPixel(x, y, c) : client.Clear(c); }};
        draws[frame % 4 ? (frame + i) % std::size(draws) : std::size(draws) - 1]();
      }
      ASSERT_LE(client.Dirty().Rects().size(), std::size_t{host::DirtyRegion::kMaxRects});
      if (!(client == before)) {
        ASSERT_GT(client.Version(), version) << "frame " << frame;
      }
      for (const PixelRect& part : client.Dirty().Rects())
        ComposePart({partial.data(), win.w, win.h, win.pitch}, client, vp, part);
      ComposeWindow({whole.data(), win.w, win.h, win.pitch}, client, vp, kNoFrame, true);
      ASSERT_EQ(partial, whole) << win.w << "x" << win.h << " frame " << frame;
      for (int y = 0; y < win.h; ++y)
        for (int x = 0; x < win.pitch; ++x)  // nothing beyond the window's width is touched
          ASSERT_EQ(whole[y * win.pitch + x], x < win.w ? Shown(client, vp, x, y) : 0xDEAD)
              << win.w << "x" << win.h << " frame " << frame << " at " << x << "," << y;
    }
  }
}

// A dialog's raised frame is painted around its client at the window's scale: rings of
// face, white and face on the top and left, black, shadow and face on the bottom and right
// (those owning the corners they share). Without the surround, nothing outside the picture
// is touched, and the surround's bands and the picture cover the window exactly once.
TEST(SdlPresenter, FramesTheClientAndLeavesTheSurroundToTheWindowSystem) {
  constexpr int kW = 40, kH = 34, kFrame = 3;
  const Surface client = testing_surfaces::Numbered(5, 4, 9);
  const Viewport cases[] = {{9, 8, 2}, {-3, 4, 3}, {kFrame, kFrame, 1}};
  constexpr host::Color kTopLeft[] = {0xC0C0C0, 0xFFFFFF, 0xC0C0C0},
                        kBottomRight[] = {0x000000, 0x808080, 0xC0C0C0};
  for (const Viewport& vp : cases) {
    for (const bool surround : {true, false}) {
      std::vector<std::uint32_t> pixels(kW * kH, 0xDEAD);
      const WindowImage image{pixels.data(), kW, kH, kW};
      ComposeWindow(image, client, vp, host::WindowFrame::Dialog, surround);
      const PixelRect picture = PictureRect(image, vp, 5, 4, host::WindowFrame::Dialog);
      std::vector<int> cover(kW * kH, 0);
      for (int y = picture.top; y < picture.bottom; ++y)
        for (int x = picture.left; x < picture.right; ++x) ++cover[y * kW + x];
      for (const PixelRect& r : Surround(image, picture))
        for (int y = r.top; y < r.bottom; ++y)
          for (int x = r.left; x < r.right; ++x) ++cover[y * kW + x];
      const int outerW = 5 + 2 * kFrame, outerH = 4 + 2 * kFrame;
      for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
          ASSERT_EQ(cover[y * kW + x], 1) << x << "," << y;
          // The pixel of the framed 1x picture under this window pixel.
          const int u = ToClient(x, vp.x - kFrame * vp.scale, vp.scale),
                    v = ToClient(y, vp.y - kFrame * vp.scale, vp.scale);
          std::uint32_t want = surround ? 0 : 0xDEAD;
          if (u >= 0 && v >= 0 && u < outerW && v < outerH) {
            ASSERT_TRUE(picture.Contains(x, y)) << x << "," << y;
            const int ring = std::min({u, v, outerW - 1 - u, outerH - 1 - v});
            if (ring >= kFrame)
              want = client.GetPixel(u - kFrame, v - kFrame);
            else if (u == outerW - 1 - ring || v == outerH - 1 - ring)
              want = kBottomRight[ring];
            else
              want = kTopLeft[ring];
          }
          ASSERT_EQ(pixels[y * kW + x], want)
              << "at " << x << "," << y << " scale " << vp.scale << " surround " << surround;
        }
      }
    }
  }
}

}  // namespace
