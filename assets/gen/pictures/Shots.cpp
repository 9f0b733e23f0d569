#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "pictures/Canvas.h"
#include "pictures/Pictures.h"
#include "pictures/PixelArt.h"

namespace art {

namespace {

constexpr int kCell = 16;

// A star with `points` spikes between radius `inner` and `outer`, the first spike straight up.
std::vector<Point> Star(double cx, double cy, int points, double inner, double outer,
                        double turn = 0) {
  std::vector<Point> star;
  for (int i = 0; i < 2 * points; ++i) {
    const double a = std::numbers::pi * i / points + turn;
    const double r = i % 2 == 0 ? outer : inner;
    star.push_back({cx + r * std::sin(a), cy - r * std::cos(a)});
  }
  return star;
}

void GreenBolt(Canvas& c, double x) {
  const double cx = x + 8;
  c.Ellipse(cx, 8, 3.2, 7.8, Radial({cx, 8}, 7.8, host::Rgb(60, 220, 60), host::Rgb(0, 90, 10)));
  c.Ellipse(cx, 7.5, 1.6, 6.2, host::Rgb(150, 255, 130));
  c.Ellipse(cx, 6.5, 0.8, 4.2, host::Rgb(240, 255, 230));
}

void FireStarburst(Canvas& c, double x) {
  const double cx = x + 8;
  c.Polygon(Star(cx, 8, 8, 3.2, 7.9),
            Radial({cx, 8}, 8, host::Rgb(255, 120, 20), host::Rgb(200, 0, 0)));
  c.Polygon(Star(cx, 8, 8, 2.2, 5.0, std::numbers::pi / 8),
            Radial({cx, 8}, 5, host::Rgb(255, 255, 200), host::Rgb(255, 210, 0)));
  c.Ellipse(cx, 8, 2.0, 2.0, host::Rgb(255, 255, 240));
}

void BlueArcs(Canvas& c, double x) {
  const double cx = x + 8;
  // Three bows, bulging upwards in flight, the leading one brightest.
  for (int i = 0; i < 3; ++i) {
    const double cy = 8.5 + i * 3.6;
    const host::Color colour = Mix(host::Rgb(200, 230, 255), host::Rgb(30, 80, 230), i / 2.0);
    // Only the upper half of each ring is painted.
    c.Ring(cx, cy, 7.4 - i * 0.9, 5.6, 1.9,
           [=](double, double py, host::Color under) { return py < cy ? colour : under; });
  }
}

void BlueStar(Canvas& c, double x) {
  const double cx = x + 8;
  c.Ellipse(cx, 8, 6.5, 6.5, Radial({cx, 8}, 6.5, host::Rgb(40, 90, 220), host::Rgb(0, 10, 60)));
  c.Polygon(Star(cx, 8, 4, 1.5, 7.9),
            Radial({cx, 8}, 8, host::Rgb(210, 235, 255), host::Rgb(40, 110, 255)));
  c.Polygon(Star(cx, 8, 4, 1.0, 4.6, std::numbers::pi / 4),
            Radial({cx, 8}, 4.6, host::Rgb(210, 235, 255), host::Rgb(60, 130, 255)));
  c.Ellipse(cx, 8, 1.7, 1.7, host::Rgb(255, 255, 255));
}

void TealOrb(Canvas& c, double x) {
  const double cx = x + 8;
  c.Ellipse(cx, 8, 7.4, 7.4,
            Radial({cx - 2.2, 5.8}, 10, host::Rgb(150, 255, 235), host::Rgb(0, 70, 80)));
  c.Ring(cx, 8, 7.4, 7.4, 1.0, Solid(host::Rgb(0, 150, 150)));
  c.Ellipse(cx - 2.4, 5.2, 2.0, 1.5, host::Rgb(235, 255, 250));
}

}  // namespace

host::Surface MakeBlasterPic(const std::string& artDir) {
  host::Surface shots = ReadPixelArt(artDir + "/blaster-shots.txt");
  if (shots.Width() != 8 || shots.Height() != 4)
    throw std::runtime_error(artDir + "/blaster-shots.txt must be 8 x 4 pixels");
  return shots;
}

host::Surface MakeWeaponsPic() {
  Canvas c(5 * kCell, kCell);
  GreenBolt(c, 0);
  FireStarburst(c, kCell);
  BlueArcs(c, 2 * kCell);
  BlueStar(c, 3 * kCell);
  TealOrb(c, 4 * kCell);
  return c.Resolve();
}

}  // namespace art
