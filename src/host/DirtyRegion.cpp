#include "host/DirtyRegion.h"

#include <algorithm>

namespace host {

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

void DirtyRegion::AddElsewhere(const PixelRect& rect) {
  if (rect.Empty()) return;
  // Most of the other changes land inside another kept rectangle (no two kept rectangles
  // are close enough to join, so folding one in would give the same set back).
  for (int i = 0; i < count_; ++i) {
    if (Holds(rects_[i], rect)) {
      last_ = i;
      return;
    }
  }
  PixelRect r = rect;
  // Fold in every kept rectangle that is close enough; each fold can bring the grown
  // rectangle near another one, so look again until nothing more joins.
  for (bool joined = true; joined;) {
    joined = false;
    for (int i = 0; i < count_; ++i) {
      const PixelRect u = Union(rects_[i], r);
      if (u.Area() <= rects_[i].Area() + r.Area() + kMergeSlack) {
        r = u;
        RemoveAt(i);
        joined = true;
        break;
      }
    }
    if (!joined && count_ == kMaxRects) {
      // Full: join the rectangle that grows least by it.
      int best = 0;
      long long bestGrowth = -1;
      for (int i = 0; i < count_; ++i) {
        const long long growth = Union(rects_[i], r).Area() - rects_[i].Area();
        if (bestGrowth < 0 || growth < bestGrowth) best = i, bestGrowth = growth;
      }
      r = Union(rects_[best], r);
      RemoveAt(best);
      joined = true;
    }
  }
  last_ = count_;
  rects_[count_++] = r;
}

}  // namespace host
