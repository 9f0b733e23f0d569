#include <algorithm>
#include <vector>

#include "pictures/Figures.h"

namespace art {

namespace {

// The crest outline in unit coordinates: two horns at the top, sides that run down to a point.
const std::vector<Point> kCrest = {{0.00, 0.00}, {0.30, 0.15}, {0.50, 0.07}, {0.70, 0.15},
                                   {1.00, 0.00}, {0.96, 0.50}, {0.50, 1.00}, {0.04, 0.50}};

std::vector<Point> Place(const std::vector<Point>& unit, double x, double y, double w, double h,
                         double inset) {
  // Shrinks towards the crest's middle by `inset` pixels, which keeps an even rim.
  const double cx = 0.5 * w, cy = 0.42 * h;
  std::vector<Point> out;
  for (const Point& p : unit) {
    const double px = p.x * w, py = p.y * h;
    const double fx = cx > 0 ? (cx - inset) / cx : 0, fy = cy > 0 ? (cy - inset) / cy : 0;
    out.push_back({x + cx + (px - cx) * fx, y + cy + (py - cy) * fy});
  }
  return out;
}

}  // namespace

void DrawEmblem(Canvas& canvas, double x, double y, double w, double h) {
  const double rim = w < 20 ? 1.2 : w * 0.07;
  canvas.Polygon(Place(kCrest, x, y, w, h, 0),
                 Linear({x, y}, host::Rgb(255, 230, 120), {x + w, y + h}, host::Rgb(190, 120, 20)));
  canvas.Polygon(Place(kCrest, x, y, w, h, rim),
                 Linear({x, y}, host::Rgb(200, 24, 40), {x, y + h}, host::Rgb(90, 8, 28)));
  // The eye: a glowing almond with a dark slit pupil.
  const double ex = x + 0.5 * w, ey = y + 0.45 * h;
  canvas.Ellipse(ex, ey, 0.30 * w, 0.14 * h,
                 Radial({ex, ey}, 0.30 * w, host::Rgb(255, 255, 210), host::Rgb(255, 170, 40)));
  canvas.Ellipse(ex, ey, std::max(0.06 * w, 0.55), 0.13 * h, host::Rgb(120, 0, 16));
  // A gold spine below the eye to the point gives the crest its heraldic look at larger sizes.
  if (w >= 20) {
    canvas.Polygon(
        {{ex - 0.05 * w, y + 0.64 * h}, {ex + 0.05 * w, y + 0.64 * h}, {ex, y + h - rim * 1.6}},
        host::Rgb(235, 180, 60));
    canvas.Polygon(
        {{ex - 0.05 * w, y + 0.26 * h}, {ex + 0.05 * w, y + 0.26 * h}, {ex, y + 0.16 * h}},
        host::Rgb(235, 180, 60));
  }
}

}  // namespace art
