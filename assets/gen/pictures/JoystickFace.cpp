#include <vector>

#include "pictures/Canvas.h"
#include "pictures/Pictures.h"

namespace art {

host::Surface MakeJoystickFace() {
  Canvas c(32, 32, host::Rgb(200, 200, 204));
  // Base: a dark plinth with a lighter top face.
  c.Polygon({{5, 21}, {27, 21}, {30, 29.5}, {2, 29.5}}, host::Rgb(40, 40, 48));
  c.Polygon(std::vector<Point>{{6, 22}, {26, 22}, {28, 26.5}, {4, 26.5}},
            Linear({0, 22}, host::Rgb(120, 120, 134), {0, 27}, host::Rgb(70, 70, 82)));
  c.Ellipse(17, 24, 4.2, 1.8, host::Rgb(30, 30, 36));
  // The stick, leaning a little, and its knob.
  c.Stroke({17, 24}, {14.2, 9}, 2.6, host::Rgb(50, 50, 58));
  c.Stroke({16.5, 23}, {13.9, 10}, 0.8, host::Rgb(140, 140, 150));
  c.Ellipse(13.8, 7.5, 4.6, 4.6,
            Radial({12.4, 6}, 6, host::Rgb(120, 120, 136), host::Rgb(24, 24, 30)));
  // The red fire button.
  c.Ellipse(8.5, 23.8, 2.8, 1.6, host::Rgb(110, 0, 0));
  c.Ellipse(8.5, 23.2, 2.6, 1.4,
            Radial({7.8, 22.8}, 3, host::Rgb(255, 120, 110), host::Rgb(210, 0, 0)));
  return c.Resolve();
}

}  // namespace art
