#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "SurfaceTesting.h"
#include "host/Surface.h"

namespace {

using host::Color;
using host::PenMode;
using host::RasterOp;
using host::Rgb;
using host::Surface;
using testing_surfaces::Crop;
using testing_surfaces::Numbered;
using testing_surfaces::PixelsOf;
using testing_surfaces::Point;

// Per-pixel model of a rectangle copy: a pixel changes only where both the source and the
// destination pixel exist. Deliberately naive (and in 64 bits, so that coordinates at the
// ends of int need no care), to check the clipping arithmetic against.
Surface ModelBlit(const Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx,
                  int sy, RasterOp op = RasterOp::Copy) {
  Surface out = dst;
  for (int y = 0; y < dst.Height(); ++y)
    for (int x = 0; x < dst.Width(); ++x) {
      const long long i = x - static_cast<long long>(dx), j = y - static_cast<long long>(dy);
      const long long fromX = sx + i, fromY = sy + j;
      if (i < 0 || j < 0 || i >= w || j >= h || fromX < 0 || fromY < 0 || fromX >= src.Width() ||
          fromY >= src.Height())
        continue;
      const Color c = src.GetPixel(static_cast<int>(fromX), static_cast<int>(fromY)),
                  d = dst.GetPixel(x, y);
      out.SetPixel(x, y, op == RasterOp::Copy ? c : op == RasterOp::And ? (c & d) : (c ^ d));
    }
  return out;
}

constexpr RasterOp kAllOps[] = {RasterOp::Copy, RasterOp::And, RasterOp::Xor};

// Every combination of positions around and across both surfaces' edges, every size from
// negative to larger than either surface, against the per-pixel model.
TEST(SurfaceBlitClipping, CopiesMatchThePerPixelModelAcrossAllEdges) {
  const Surface src = Numbered(5, 4, 1), background = Numbered(6, 5, 2);
  for (int size = -1; size <= 8; ++size)
    for (int sy = -5; sy <= 5; sy += 2)
      for (int sx = -6; sx <= 6; ++sx)
        for (int dy = -5; dy <= 6; dy += 2)
          for (int dx = -7; dx <= 7; ++dx) {
            const int w = size, h = (size + 1) / 2;
            for (const RasterOp op : kAllOps) {
              // And within one surface, which reads the source as it was before.
              Surface dst = background, self = background;
              dst.Blit(dx, dy, w, h, src, sx, sy, op);
              self.Blit(dx, dy, w, h, self, sx, sy, op);
              ASSERT_EQ(dst, ModelBlit(background, dx, dy, w, h, src, sx, sy, op))
                  << "dst " << dx << "," << dy << " size " << w << "x" << h << " src " << sx << ","
                  << sy << " op " << int(op);
              ASSERT_EQ(self, ModelBlit(background, dx, dy, w, h, background, sx, sy, op))
                  << "within: " << dx << "," << dy << " size " << w << "x" << h << " src " << sx
                  << "," << sy << " op " << int(op);
            }
          }
  // At the ends of int: nothing, or exactly the overlap (the last two both start near
  // INT_MIN and reach 5 columns into their surfaces).
  const std::array<int, 6> huge[] = {{5000, 1, 4, 4, 0, 0},
                                     {INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 0},
                                     {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0},
                                     {0, 0, INT_MAX, INT_MAX, INT_MIN, INT_MIN},
                                     {0, 0, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                                     {0, 0, INT_MIN, INT_MIN, 0, 0},
                                     {-INT_MAX, 0, INT_MAX, 4, 0, 0},
                                     {0, 0, INT_MAX, INT_MAX, 0, 0},
                                     {INT_MIN + 8, 2, INT_MAX, 4, INT_MIN + 8, 0}};
  for (const auto& [dx, dy, w, h, sx, sy] : huge) {
    Surface dst = background;
    dst.Blit(dx, dy, w, h, src, sx, sy);
    EXPECT_EQ(dst, ModelBlit(background, dx, dy, w, h, src, sx, sy))
        << dx << "," << dy << " " << w << "x" << h << " from " << sx << "," << sy;
  }
  // Empty surfaces on either side are harmless.
  Surface empty, dst = background;
  empty.Blit(0, 0, 4, 4, src, 0, 0);
  dst.Blit(0, 0, 4, 4, empty, 0, 0);
  EXPECT_EQ(dst, background);
  EXPECT_EQ(empty.Width(), 0);
  EXPECT_EQ(Surface(-3, 5).Width(), 0);
}

TEST(SurfaceBlitClipping, WideRowsMatchTheModel) {
  // Rows of every short width and long rows at odd offsets: the copy and fill loops go in
  // vector-wide steps and finish the rest with a step that may overlap the one before.
  const Surface src = Numbered(700, 3, 3);
  const Surface background = Numbered(650, 4, 4);
  std::vector<int> widths = {255, 256, 257, 513, 700};
  for (int w = 1; w <= 17; ++w) widths.push_back(w);
  for (const int w : widths) {
    for (const RasterOp op : kAllOps) {
      Surface dst = background;
      dst.Blit(-3, 1, w, 3, src, 5, 0, op);
      ASSERT_EQ(dst, ModelBlit(background, -3, 1, w, 3, src, 5, 0, op)) << w << " op " << int(op);
    }
    Surface filled = background, want = background;
    filled.FillRect(2, 1, 1 + w, 2, 0x123456);
    for (int y = 1; y <= 2; ++y)
      for (int x = 2; x <= 1 + w; ++x) want.SetPixel(x, y, 0x123456);
    ASSERT_EQ(filled, want) << w;
  }
}

// A sprite's runs drawn at once do what a FillRect or a one-row Blit of each run does: wholly
// inside, across every edge of either surface, and from a surface onto itself (from the
// surface as it was before).
TEST(SurfaceRuns, DrawWhatEachRunDrawnAloneDraws) {
  host::PixelRuns runs;
  const std::array<int, 3> runList[] = {{0, 1, 3}, {1, 0, 5}, {1, 6, 1}, {2, 0, 9},
                                        {3, 2, 2}, {3, 5, 0}, {4, 3, 4}, {5, 1, 8}};
  for (const auto& [row, column, length] : runList) runs.Add(row, column, length);
  const Surface src = Numbered(9, 6, 1), background = Numbered(12, 8, 2);
  // Surfaces of several widths, more than the runs keep offsets for at once.
  for (const int width : {12, 13, 14, 15, 16})
    for (int y = -5; y <= 9; ++y)
      for (int x = -8; x <= 13; ++x)
        for (const Point& from : {Point{0, 0}, Point{2, 2}, Point{-2, 1}, Point{5, 3}}) {
          const Surface field = Numbered(width, 8, 2);
          Surface filled = field, copied = field;
          filled.FillRuns(x, y, runs, 0x123456);
          copied.BlitRuns(x, y, src, from.first, from.second, runs);
          Surface wantFilled = field, wantCopied = field;
          for (const host::PixelRuns::Run& r : runs.Runs()) {
            const int left = x + r.column, top = y + r.row;
            wantFilled.FillRect(left, top, left + r.length - 1, top, 0x123456);
            wantCopied.Blit(left, top, r.length, 1, src, from.first + r.column,
                            from.second + r.row);
          }
          ASSERT_EQ(filled, wantFilled) << width << ": " << x << "," << y;
          ASSERT_EQ(copied, wantCopied)
              << width << ": " << x << "," << y << " from " << from.first << "," << from.second;
        }
  Surface self = background, want = background;
  self.BlitRuns(1, 2, self, 0, 0, runs);
  for (const host::PixelRuns::Run& r : runs.Runs())
    want.Blit(1 + r.column, 2 + r.row, r.length, 1, background, r.column, r.row);
  EXPECT_EQ(self, want);
}

TEST(SurfaceFillRect, CornersAreInclusiveInAnyOrderAndClipAtEveryEdge) {
  const int ends[] = {INT_MIN, -5, 0, 3, 9, 12, 5000, INT_MAX};
  for (const int x1 : ends)
    for (const int y1 : ends)
      for (const int x2 : ends)
        for (const int y2 : ends) {
          Surface s(10, 8), want(10, 8);
          s.FillRect(x1, y1, x2, y2, 0xABCDEF);
          for (int y = std::max(std::min(y1, y2), 0); y <= std::min(std::max(y1, y2), 7); ++y)
            for (int x = std::max(std::min(x1, x2), 0); x <= std::min(std::max(x1, x2), 9); ++x)
              want.SetPixel(x, y, 0xABCDEF);
          ASSERT_EQ(s, want) << x1 << "," << y1 << " " << x2 << "," << y2;
        }
}

// The darkening itself shows in screens.paused.bmp; a second one must change nothing.
TEST(SurfaceFillRect, MaskPenKeepsThePensBitsOnlyAndMaskingTwiceChangesNothing) {
  Surface field = Numbered(4, 2, 0xE0);
  field.FillRect(0, 0, 3, 1, Rgb(57, 57, 57), PenMode::Mask);
  EXPECT_EQ(field.GetPixel(3, 1), Rgb(32, 1, 1));
  const Surface once = field;
  field.FillRect(0, 0, 3, 1, Rgb(57, 57, 57), PenMode::Mask);
  EXPECT_EQ(field, once);
}

// Random lines in every octant: the part a small surface holds is the part of the whole line.
// (The shape of a line: FarAwayEndpointsKeepTheSlope, and every bevel of the golden images.)
TEST(SurfaceLine, ItsClippedPartIsThePartOfTheWholeLine) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> coordinate(-70, 110);
  for (int n = 0; n < 3000; ++n) {
    const int x1 = coordinate(random), y1 = coordinate(random);
    const int x2 = n ? coordinate(random) : x1, y2 = n ? coordinate(random) : y1;
    // The same line on a surface large enough to hold all of it, offset by (100, 100).
    Surface whole(300, 300), window(40, 30);
    whole.Line(x1 + 100, y1 + 100, x2 + 100, y2 + 100, host::kWhite);
    window.Line(x1, y1, x2, y2, host::kWhite);
    ASSERT_EQ(window, Crop(whole, 100, 100, 40, 30))
        << x1 << "," << y1 << " to " << x2 << "," << y2;
  }
}

TEST(SurfaceLine, FarAwayEndpointsKeepTheSlope) {
  Surface s(90, 40);
  s.Line(-300000, -100000, 300000, 100000, host::kWhite);  // y = x / 3
  std::set<Point> want;
  for (int x = 0; x < 90; ++x) want.insert({x, (x + 1) / 3});
  EXPECT_EQ(PixelsOf(s, host::kWhite), want);

  Surface diagonal(30, 20);
  diagonal.Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, host::kWhite);
  std::set<Point> onDiagonal;
  for (int i = 0; i < 20; ++i) onDiagonal.insert({i, i});
  EXPECT_EQ(PixelsOf(diagonal, host::kWhite), onDiagonal);

  Surface row(30, 20);
  row.Line(INT_MAX, 7, INT_MIN, 7, host::kWhite);
  row.Line(3, INT_MIN, 3, INT_MAX, host::kWhite);
  EXPECT_EQ(PixelsOf(row, host::kWhite).size(), 30u + 20u - 1u);
  const Surface before = row;
  row.Line(INT_MIN, INT_MIN, INT_MIN, INT_MAX, host::kBlack);
  row.Line(5000, -5000, 6000, 5000, host::kBlack);
  EXPECT_EQ(row, before);
}

// The ring itself shows in bomb-ring.ring.bmp and in the message boxes' icons.
TEST(SurfaceCircle, TinyAndHugeCirclesDrawOnlyWhatTheyShould) {
  Surface tiny(3, 3);
  tiny.Circle(1, 1, -1, host::kWhite);
  EXPECT_TRUE(PixelsOf(tiny, host::kWhite).empty());
  tiny.Circle(1, 1, 0, host::kWhite);
  EXPECT_EQ(PixelsOf(tiny, host::kWhite), (std::set<Point>{{1, 1}}));
  Surface s(200, 100);
  s.Circle(100, INT_MAX, INT_MAX - 50, host::kWhite);  // its top touches row 50
  for (int x = 90; x <= 110; ++x) EXPECT_EQ(s.GetPixel(x, 50), host::kWhite) << x;
  EXPECT_EQ(PixelsOf(s, host::kWhite).size(), 200u);
  Surface edge(200, 100);
  edge.Circle(INT_MAX, 40, INT_MAX, host::kWhite);  // its left end grazes column 0
  std::set<Point> column;
  for (int y = 0; y < 100; ++y) column.insert({0, y});
  EXPECT_EQ(PixelsOf(edge, host::kWhite), column);
  Surface untouched(200, 100);
  untouched.Circle(100, 50, INT_MAX, host::kWhite);
  untouched.Circle(INT_MIN, INT_MIN, 1000, host::kWhite);
  untouched.Circle(INT_MIN, INT_MAX, INT_MAX, host::kWhite);
  EXPECT_TRUE(PixelsOf(untouched, host::kWhite).empty());
}

TEST(SurfacePixels, OutsideTheSurfaceReadsBlackAndWritesNothing) {
  Surface s(3, 2, 0x555555);
  const Surface before = s;
  for (const Point& p : {Point{-1, 0}, Point{3, 0}, Point{0, -1}, Point{0, 2}, Point{INT_MIN, 0},
                         Point{0, INT_MAX}, Point{INT_MAX, INT_MIN}}) {
    EXPECT_EQ(s.GetPixel(p.first, p.second), host::kBlack);
    s.SetPixel(p.first, p.second, host::kWhite);
  }
  EXPECT_EQ(s, before);
  EXPECT_EQ(s.GetPixel(2, 1), 0x555555u);
  // Only the colour bits are stored, whatever draws them.
  s.SetPixel(0, 0, 0xFF123456);
  s.FillRect(1, 0, 1, 0, 0xFF123456);
  s.Line(2, 0, 2, 1, 0xFF123456);
  s.Circle(1, 1, 0, 0xFF123456);
  EXPECT_EQ(PixelsOf(s, 0x123456).size(), 5u);
}

// What a drawing records as changed stays close to what it changed (that it covers every
// change: SdlPresenter.ComposingOnlyTheChangedPartsGivesTheWholeImage).
TEST(SurfacePixels, ASmallDrawingRecordsASmallChange) {
  Surface s(640, 480);
  const Surface ship(65, 65, host::kWhite);
  s.ClearDirty();
  s.FillRect(100, 300, 164, 364, host::kBlack);
  s.Blit(108, 300, 65, 65, ship, 0, 0);
  s.Blit(630, 470, 16, 16, ship, 0, 0);  // a shot half off the field
  long long area = 0;
  for (const host::PixelRect& r : s.Dirty().Rects()) area += r.Area();
  EXPECT_EQ(area, 73 * 65 + 10 * 10);
}

}  // namespace
