// The record of what changed on a surface: it must cover every change (or the screen shows
// stale pixels) and stay close to what changed (or presenting costs the whole screen).
#include <gtest/gtest.h>

#include <random>

#include "host/DirtyRegion.h"

namespace {

using host::DirtyRegion;
using host::PixelRect;

bool Covered(const DirtyRegion& region, int x, int y) {
  for (const PixelRect& r : region.Rects())
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

long long TotalArea(const DirtyRegion& region) {
  long long area = 0;
  for (const PixelRect& r : region.Rects()) area += r.Area();
  return area;
}

TEST(DirtyRegion, ASpriteMovedAFewPixelsBecomesOnePiece) {
  DirtyRegion region;
  region.Add({100, 300, 165, 365});  // the old square blanked
  region.Add({108, 300, 173, 365});  // drawn again 8 pixels on
  ASSERT_EQ(region.Rects().size(), 1u);
  EXPECT_EQ(region.Rects()[0], (PixelRect{100, 300, 173, 365}));
}

TEST(DirtyRegion, FarApartChangesStaySeparateSoTheirCostIsTheirOwn) {
  DirtyRegion region;
  region.Add({0, 0, 640, 50});       // the status bar
  region.Add({287, 415, 352, 480});  // the ship at home
  region.Add({20, 200, 24, 204});    // a shot
  EXPECT_EQ(region.Rects().size(), 3u);
  EXPECT_EQ(TotalArea(region), 640 * 50 + 65 * 65 + 16);
}

TEST(DirtyRegion, ManyScatteredChangesAreAllCoveredWithinTheLimit) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(0, 630), size(1, 10);
  for (int round = 0; round < 50; ++round) {
    DirtyRegion region;
    std::vector<PixelRect> added;
    for (int i = 0; i < 60; ++i) {
      const int x = coordinate(random), y = coordinate(random);
      added.push_back({x, y, x + size(random), y + size(random)});
      region.Add(added.back());
      ASSERT_LE(region.Rects().size(), static_cast<std::size_t>(DirtyRegion::kMaxRects));
    }
    for (const PixelRect& r : added)
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
          ASSERT_TRUE(Covered(region, x, y)) << "round " << round << " pixel " << x << "," << y;
  }
}

}  // namespace
