#include <cmath>

#include "pictures/Figures.h"
#include "pictures/Lettering.h"
#include "pictures/Pictures.h"
#include "pictures/Starfield.h"

namespace art {

namespace {

constexpr int kWidth = 240, kHeight = 100;
// The menu prints its version line over this part of the logo; nothing busy goes there.
constexpr Area kVersionArea = {140, 29, 226, 48};
// Stars would break up the small letters of the maker's name.
constexpr Area kMakerArea = {150, 0, 240, 11};

void Backdrop(Canvas& c) {
  c.Fill(Linear({0, 0}, host::Rgb(4, 6, 24), {0, kHeight}, host::Rgb(14, 8, 36)));
  // A faint violet nebula behind the title and a planet rising along the bottom edge.
  c.Ellipse(150, 22, 90, 26, [](double x, double y, host::Color under) {
    const double d = std::hypot((x - 150) / 90, (y - 22) / 26);
    return Mix(under, host::Rgb(70, 30, 110), 0.35 * (1 - d));
  });
  Starfield(c, 0x5C1A7E11u, 110, {kVersionArea, kMakerArea});
  c.Ellipse(120, 178, 260, 95,
            Radial({100, 84}, 110, host::Rgb(26, 52, 110), host::Rgb(4, 10, 30)));
  c.Ring(120, 178, 260, 95, 1.2, Solid(host::Rgb(90, 200, 255)));
}

void CrossedOutComputer(Canvas& c) {
  DrawMonitorZorb(c, 11, 22, 1.0);
  const double cx = 33, cy = 45, r = 30;
  c.Ring(cx, cy, r, r, 4.2, Solid(host::Rgb(225, 30, 30)));
  c.Stroke({cx - 20.5, cy - 20.5}, {cx + 20.5, cy + 20.5}, 4.2, host::Rgb(225, 30, 30));
}

void Title(host::Surface& logo) {
  const host::Font& maker = host::Font::Get(host::FontSpec{"Arial", 7, true, false});
  const char* kMaker = "BRAMBLECREST";
  maker.Render(logo, 236 - maker.TextWidth(kMaker), -1, kMaker, host::Rgb(150, 170, 220));
  const host::Font& title = host::Font::Get(host::FontSpec{"Arial", 21, true, true});
  const char* kTitle = "Skirmora";
  const int x = 234 - title.TextWidth(kTitle), y = CapsCentredY(title, 20);
  title.Render(logo, x + 2, y + 2, kTitle, host::Rgb(60, 8, 16));
  title.Render(logo, x + 1, y + 1, kTitle, host::Rgb(150, 30, 20));
  PaintedText(logo, x, y, kTitle, title, [](double, double py, host::Color) {
    return py < 20 ? Mix(host::Rgb(255, 255, 230), host::Rgb(255, 214, 60), (py - 10) / 10)
                   : Mix(host::Rgb(255, 190, 40), host::Rgb(235, 80, 20), (py - 20) / 10);
  });
}

void Motto(host::Surface& logo) {
  const host::Font& font = host::Font::Get(host::FontSpec{"Arial", 8, true, true});
  const char* kMotto = "Scrap the Zorbs. Save the future.";
  ShadowedText(logo, CentredX(font, kMotto, 120), 86, kMotto, font, host::Rgb(224, 224, 255),
               host::Rgb(0, 0, 20));
}

}  // namespace

host::Surface MakeGameLogo() {
  Canvas c(kWidth, kHeight);
  Backdrop(c);
  CrossedOutComputer(c);
  // The emblem caught in a hit, as the fighter banks in.
  c.Ellipse(160, 66, 20, 20, [](double x, double y, host::Color under) {
    const double d = std::hypot(x - 160, y - 66) / 20;
    return Mix(under, host::Rgb(255, 140, 40), 0.55 * (1 - d) * (1 - d));
  });
  DrawEmblem(c, 150, 54, 20, 25);
  DrawShip(c, 189, 47, 41, -1);
  host::Surface logo = c.Resolve();
  Title(logo);
  Motto(logo);
  return logo;
}

}  // namespace art
