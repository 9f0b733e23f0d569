#pragma once
// Small builders and readers of surfaces shared by the drawing tests.
#include <set>
#include <utility>

#include "host/Surface.h"

namespace testing_surfaces {

using Point = std::pair<int, int>;

// A surface whose every pixel is different: red holds `tag`, green the row, blue the
// column (sizes up to 256). A test can then tell exactly which source pixel landed where.
inline host::Surface Numbered(int width, int height, int tag) {
  host::Surface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) s.SetPixel(x, y, host::Rgb(tag, y, x));
  return s;
}

// The pixels of the surface that hold colour c.
inline std::set<Point> PixelsOf(const host::Surface& s, host::Color c) {
  std::set<Point> found;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.GetPixel(x, y) == c) found.insert({x, y});
  return found;
}

// The w x h part of `s` whose top-left corner is (x, y).
inline host::Surface Crop(const host::Surface& s, int x, int y, int w, int h) {
  host::Surface part(w, h);
  part.Blit(0, 0, w, h, s, x, y);
  return part;
}

}  // namespace testing_surfaces
