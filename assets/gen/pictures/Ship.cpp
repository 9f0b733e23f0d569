#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "pictures/Figures.h"

namespace art {

namespace {

// The fighter is modelled in three dimensions (x right from the centre line, y down from the
// top of its 65 x 65 box, z up towards the viewer) so that a banking pose is a real roll
// about its long axis rather than a squashed copy.
struct Point3 {
  double x, y, z;
};

class ShipView {
 public:
  ShipView(Canvas& canvas, double x, double y, double size, int bank)
      : canvas_(canvas), x_(x), y_(y), scale_(size / 65.0) {
    const double roll = bank * 36.0 * std::numbers::pi / 180.0;
    cos_ = std::cos(roll), sin_ = std::sin(roll);
  }

  Point Project(Point3 p) const {
    return {x_ + (32.5 + p.x * cos_ + p.z * sin_) * scale_, y_ + p.y * scale_};
  }
  std::vector<Point> Project(const std::vector<Point3>& ps) const {
    std::vector<Point> out;
    for (const Point3& p : ps) out.push_back(Project(p));
    return out;
  }
  // Mirror of a model outline across the centre line.
  static std::vector<Point3> Mirror(std::vector<Point3> ps) {
    for (Point3& p : ps) p.x = -p.x;
    return ps;
  }
  // Brightness of one side (+1 right, -1 left): the dipped wing turns away from the light.
  double Light(double side) const { return 1.0 - 0.3 * std::max(0.0, side * sin_ / 0.59); }
  double Scale() const { return scale_; }
  Canvas& Board() { return canvas_; }

 private:
  Canvas& canvas_;
  double x_, y_, scale_;
  double cos_ = 1, sin_ = 0;
};

const host::Color kHullFront = host::Rgb(250, 252, 255);
const host::Color kHullBack = host::Rgb(178, 186, 204);
const host::Color kStripe = host::Rgb(40, 96, 214);
const host::Color kPanel = host::Rgb(140, 156, 186);

// Right halves of the parts; the left halves are their mirrors.
const std::vector<Point3> kWing = {{0, 8, 3},   {28, 47, 0}, {28, 52, 0},
                                   {12, 50, 1}, {8, 56, 2},  {0, 54, 2}};
const std::vector<Point3> kWingStripe = {
    {22.5, 38, 0.6}, {28, 47, 0}, {28, 52, 0}, {24, 51.7, 0.4}};
const std::vector<Point3> kFin = {{9, 37, 2}, {9, 52, 2}, {12, 53, 9}, {12, 46, 9}};

void DrawWingHalf(ShipView& view, double side) {
  const auto pick = [side](const std::vector<Point3>& p) {
    return side > 0 ? p : ShipView::Mirror(p);
  };
  const double light = view.Light(side);
  const Point top = view.Project(Point3{0, 8, 3}), bottom = view.Project(Point3{0, 54, 0});
  view.Board().Polygon(view.Project(pick(kWing)),
                       Linear(top, Scale(kHullFront, light), bottom, Scale(kHullBack, light)));
  view.Board().Polygon(view.Project(pick(kWingStripe)), Solid(Scale(kStripe, light)));
  const double w = 0.9 * view.Scale();
  view.Board().Stroke(view.Project(Point3{side * 7, 30, 3}), view.Project(Point3{side * 21, 47, 1}),
                      w, Scale(kPanel, light));
  view.Board().Stroke(view.Project(Point3{side * 11, 50, 1}),
                      view.Project(Point3{side * 25, 50.5, 0.5}), w, Scale(kPanel, light));
}

void DrawThrusters(ShipView& view) {
  Canvas& c = view.Board();
  for (double side : {-1.0, 1.0}) {
    const Point nozzle = view.Project(Point3{side * 4.5, 56.5, 2});
    const double s = view.Scale();
    const Point flame{nozzle.x, nozzle.y + 4.2 * s};
    c.Ellipse(flame.x, flame.y, 2.9 * s, 5.2 * s,
              Radial(flame, 5.2 * s, host::Rgb(120, 255, 255), host::Rgb(0, 120, 200)));
    c.Ellipse(flame.x, flame.y - 1.2 * s, 1.3 * s, 3.0 * s, host::Rgb(230, 255, 255));
    c.Rect(nozzle.x - 2.6 * s, nozzle.y - 1.5 * s, nozzle.x + 2.6 * s, nozzle.y + 1.2 * s,
           Linear({nozzle.x, nozzle.y - 1.5 * s}, host::Rgb(150, 156, 170),
                  {nozzle.x, nozzle.y + 1.2 * s}, host::Rgb(70, 74, 88)));
  }
}

void DrawFuselage(ShipView& view) {
  Canvas& c = view.Board();
  const double s = view.Scale();
  const std::vector<Point3> body = {{0, 2, 6},   {4, 14, 6},  {6, 30, 6},  {7, 50, 5}, {6, 56, 4},
                                    {-6, 56, 4}, {-7, 50, 5}, {-6, 30, 6}, {-4, 14, 6}};
  const Point top = view.Project(Point3{0, 2, 6}), bottom = view.Project(Point3{0, 56, 6});
  c.Polygon(view.Project(body),
            Linear(top, host::Rgb(255, 255, 255), bottom, host::Rgb(196, 204, 222)));
  // A red nose band and the dark air intakes beside the cockpit.
  c.Polygon(view.Project({{-2.2, 7.5, 6.2}, {2.2, 7.5, 6.2}, {2.9, 10.5, 6.2}, {-2.9, 10.5, 6.2}}),
            Solid(host::Rgb(214, 40, 48)));
  for (double side : {-1.0, 1.0})
    c.Polygon(view.Project({{side * 5.2, 31, 6.1},
                            {side * 6.4, 31, 6.1},
                            {side * 6.8, 40, 6},
                            {side * 5.4, 40, 6}}),
              Solid(host::Rgb(60, 66, 84)));
  // The canopy sits highest, so it moves most when the ship rolls.
  const Point canopy = view.Project(Point3{0, 22, 9});
  c.Ellipse(canopy.x, canopy.y, 3.4 * s, 8.0 * s,
            Linear({canopy.x, canopy.y - 8 * s}, host::Rgb(110, 190, 255),
                   {canopy.x, canopy.y + 8 * s}, host::Rgb(16, 40, 150)));
  c.Ellipse(canopy.x - 1.0 * s, canopy.y - 3.5 * s, 1.0 * s, 2.4 * s, host::Rgb(215, 240, 255));
  // The tail fins lean outwards, which shows their roll.
  for (double side : {-1.0, 1.0}) {
    const std::vector<Point3> fin = side > 0 ? kFin : ShipView::Mirror(kFin);
    c.Polygon(view.Project(fin), Solid(Scale(host::Rgb(206, 212, 228), view.Light(side))));
    c.Stroke(view.Project(Point3{side * 12, 46.5, 9}), view.Project(Point3{side * 12, 52.5, 9}),
             0.9 * s, kStripe);
  }
}

}  // namespace

void DrawShip(Canvas& canvas, double x, double y, double size, int bank) {
  ShipView view(canvas, x, y, size, bank);
  DrawThrusters(view);
  // The dipped wing lies beneath the fuselage and the raised one, so it is drawn first.
  if (bank < 0) {
    DrawWingHalf(view, -1), DrawWingHalf(view, 1);
  } else {
    DrawWingHalf(view, 1), DrawWingHalf(view, -1);
  }
  DrawFuselage(view);
}

}  // namespace art
