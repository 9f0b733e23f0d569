// The record of what changed on a surface must cover every change, or the screen shows stale
// pixels (how close it stays to what changed: SurfacePixels.ASmallDrawingRecordsASmallChange).
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
