#include <algorithm>

#include "pictures/Figures.h"
#include "pictures/Pictures.h"

namespace art {

namespace {

constexpr int kCell = 65;

// The shield: a teal bubble, darker inside so the ship stays readable, with a bright rim and
// a glint at the upper left.
void DrawShield(Canvas& c, double x) {
  const double cx = x + 32.5, cy = 32.5;
  c.Ellipse(cx, cy, 32.4, 32.4,
            Radial({cx, cy}, 32.4, host::Rgb(0, 44, 48), host::Rgb(30, 170, 160)));
  c.Ring(cx, cy, 32.4, 32.4, 1.6, Solid(host::Rgb(120, 240, 225)));
  c.Ring(cx - 1, cy - 1, 27, 27, 2.2, [cx, cy](double px, double py, host::Color under) {
    // Only the upper-left quarter of the inner ring shows, as a glint.
    const double t = ((cx - px) + (cy - py)) / 40.0;
    return t > 0.3 ? Mix(under, host::Rgb(200, 255, 250), std::min(0.7, t - 0.3)) : under;
  });
}

}  // namespace

host::Surface MakeShipsPic() {
  Canvas c(6 * kCell, kCell);
  // Cells 0 and 1 bank left; 4 and 5 are their exact mirrors so both turns look alike.
  for (int pose = 0; pose < 2; ++pose) {
    for (int shield = 0; shield < 2; ++shield) {
      const double x = kCell * (2 * pose + shield);
      if (shield) DrawShield(c, x);
      DrawShip(c, x, 0, kCell, pose == 0 ? -1 : 0);
    }
  }
  host::Surface sheet = c.Resolve();
  for (int shield = 0; shield < 2; ++shield)
    MirrorInto(sheet, kCell * (4 + shield), 0, sheet, kCell * shield, 0, kCell, kCell);
  return sheet;
}

}  // namespace art
