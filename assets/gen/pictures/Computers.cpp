#include <algorithm>
#include <vector>

#include "pictures/Figures.h"

namespace art {

namespace {

// Old office beige, bright where the light falls on top and darker towards the floor.
const host::Color kBeigeLight = host::Rgb(232, 226, 204);
const host::Color kBeigeDark = host::Rgb(160, 152, 128);
const host::Color kOutline = host::Rgb(92, 86, 72);
const host::Color kBezel = host::Rgb(64, 66, 72);

// Figures must never contain pure black (black marks the background of the enemy sheet),
// so even the darkest details stay a step above it.
class Draft {
 public:
  Draft(Canvas& canvas, double x, double y, double scale) : c_(canvas), x_(x), y_(y), s_(scale) {}
  Point At(double x, double y) const { return {x_ + x * s_, y_ + y * s_}; }
  // A box with its corners cut by `cut`, painted by `paint` in sheet coordinates.
  void Box(double x1, double y1, double x2, double y2, double cut, const Paint& paint) {
    c_.Polygon({At(x1 + cut, y1), At(x2 - cut, y1), At(x2, y1 + cut), At(x2, y2 - cut),
                At(x2 - cut, y2), At(x1 + cut, y2), At(x1, y2 - cut), At(x1, y1 + cut)},
               paint);
  }
  void Box(double x1, double y1, double x2, double y2, double cut, host::Color c) {
    Box(x1, y1, x2, y2, cut, Solid(c));
  }
  // A beige case with a dark rim, lit from above.
  void Case(double x1, double y1, double x2, double y2, double cut) {
    Box(x1, y1, x2, y2, cut, kOutline);
    Box(x1 + 0.9, y1 + 0.9, x2 - 0.9, y2 - 0.9, cut,
        Linear(At(0, y1), kBeigeLight, At(0, y2), kBeigeDark));
  }
  void Shape(std::vector<Point> local, host::Color c) {
    for (Point& p : local) p = At(p.x, p.y);
    c_.Polygon(local, Solid(c));
  }
  void Glow(double cx, double cy, double rx, double ry, host::Color core, host::Color edge) {
    const Point centre = At(cx, cy);
    c_.Ellipse(centre.x, centre.y, rx * s_, ry * s_,
               Radial(centre, std::max(rx, ry) * s_, core, edge));
  }

 private:
  Canvas& c_;
  double x_, y_, s_;
};

}  // namespace

void DrawMonitorZorb(Canvas& canvas, double x, double y, double scale) {
  Draft d(canvas, x, y, scale);
  // Foot and neck first: the case overlaps them.
  d.Shape({{9, 41}, {35, 41}, {38.5, 46}, {5.5, 46}}, kOutline);
  d.Shape({{10, 42}, {34, 42}, {37, 45.2}, {7, 45.2}}, kBeigeDark);
  d.Box(16, 36, 28, 42, 0, kOutline);
  d.Box(17, 36, 27, 41.5, 0, host::Rgb(140, 132, 110));
  d.Case(0, 0, 44, 38, 3);
  // The glass: a green phosphor glow behind an angry face.
  d.Box(4, 4, 40, 31, 2, kBezel);
  d.Box(5.5, 5.5, 38.5, 29.5, 2.5,
        Radial(d.At(22, 17), 20 * scale, host::Rgb(34, 92, 60), host::Rgb(14, 34, 26)));
  for (double side : {-1.0, 1.0}) {
    const auto m = [side](double dx) { return 22 + side * dx; };
    d.Shape({{m(11.5), 11.5}, {m(3.5), 14.5}, {m(4), 18}, {m(11.5), 16.5}}, host::Rgb(255, 60, 30));
    d.Shape({{m(9.5), 13.5}, {m(5.5), 15}, {m(5.8), 16.8}, {m(9.5), 16}}, host::Rgb(255, 236, 120));
  }
  // A wide grin with a row of jagged teeth.
  d.Shape({{10, 20.5}, {34, 20.5}, {31, 26.5}, {13, 26.5}}, host::Rgb(255, 70, 40));
  std::vector<Point> bite;
  for (int i = 0; i <= 10; ++i) bite.push_back({11.5 + i * 2.1, (i % 2 == 0) ? 22.4 : 24.6});
  for (int i = 10; i >= 0; --i) bite.push_back({11.5 + i * 2.1, (i % 2 == 0) ? 23.4 : 25.6});
  d.Shape(bite, host::Rgb(60, 10, 8));
  // Badge, vents and the power light under the glass.
  d.Box(6, 33, 16, 35, 0, host::Rgb(120, 112, 96));
  for (int i = 0; i < 4; ++i)
    d.Box(20 + i * 3, 32.8, 21.2 + i * 3, 35.5, 0, host::Rgb(118, 110, 92));
  d.Glow(37, 34, 1.7, 1.7, host::Rgb(200, 255, 160), host::Rgb(30, 170, 40));
}

void DrawDesktopZorb(Canvas& canvas, double x, double y, double scale) {
  Draft d(canvas, x, y, scale);
  // The system unit.
  d.Case(0, 30, 61, 44, 1.5);
  for (double row : {34.0, 38.5}) {
    d.Box(5, row, 21, row + 2.2, 0, host::Rgb(70, 68, 64));
    d.Box(16, row + 0.4, 19, row + 1.0, 0, host::Rgb(150, 146, 130));
  }
  for (int i = 0; i < 6; ++i) d.Box(26 + i * 3, 34, 27.3 + i * 3, 41, 0, host::Rgb(132, 124, 102));
  d.Box(46, 34.5, 53, 38.5, 0, host::Rgb(60, 20, 20));
  d.Box(47, 35.2, 49.3, 37.8, 0, host::Rgb(255, 60, 40));
  d.Box(50.2, 35.2, 52.3, 37.8, 0, host::Rgb(255, 60, 40));
  d.Glow(55.5, 40, 1.5, 1.5, host::Rgb(255, 250, 170), host::Rgb(220, 150, 20));
  // The screen on its short foot.
  d.Box(23, 27, 38, 31, 0, kOutline);
  d.Box(24, 27, 37, 30.5, 0, kBeigeDark);
  d.Case(9, 0, 52, 28.5, 2.5);
  d.Box(12.5, 3, 48.5, 24, 2, kBezel);
  d.Box(14, 4.5, 47, 22.5, 2,
        Linear(d.At(0, 4.5), host::Rgb(40, 80, 220), d.At(0, 22.5), host::Rgb(16, 30, 130)));
  // A blue screen glaring with white eyes and a sour mouth.
  for (double side : {-1.0, 1.0}) {
    const auto m = [side](double dx) { return 30.5 + side * dx; };
    d.Shape({{m(11), 8}, {m(3), 11}, {m(3.5), 14.5}, {m(11), 13}}, host::Rgb(245, 248, 255));
    d.Shape({{m(7), 10.6}, {m(4.6), 11.6}, {m(4.8), 13.8}, {m(7), 13.4}}, host::Rgb(255, 64, 48));
  }
  d.Shape({{21, 20}, {25, 17}, {36, 17}, {40, 20}, {38, 20.6}, {35, 18.6}, {26, 18.6}, {23, 20.6}},
          host::Rgb(245, 248, 255));
  d.Box(26, 25.2, 35, 26.6, 0, host::Rgb(120, 112, 96));
  d.Glow(48, 26.2, 1.2, 1.2, host::Rgb(200, 255, 160), host::Rgb(30, 170, 40));
}

}  // namespace art
