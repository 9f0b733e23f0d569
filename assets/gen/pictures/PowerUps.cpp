#include <string>
#include <vector>

#include "pictures/Canvas.h"
#include "pictures/Lettering.h"
#include "pictures/Pictures.h"

namespace art {

namespace {

constexpr int kCell = 20;

// A glass bubble: lit from the upper left, a darker rim and a soft glint.
void Bubble(Canvas& c, double x, host::Color colour) {
  const double cx = x + 10, cy = 10;
  c.Ellipse(cx, cy, 9.7, 9.7,
            Radial({cx - 3, cy - 3}, 14, Scale(colour, 1.35), Scale(colour, 0.45)));
  c.Ring(cx, cy, 9.7, 9.7, 1.0, Solid(Scale(colour, 0.6)));
  c.Ellipse(cx - 3.6, cy - 4.6, 3.2, 1.9, Blend(host::kWhite, 0.45));
}

void LightningBolt(Canvas& c, double x) {
  c.Polygon({{x + 11.5, 2.5},
             {x + 5.5, 11},
             {x + 9.5, 11},
             {x + 7.5, 17.5},
             {x + 14.5, 8.2},
             {x + 10.3, 8.2},
             {x + 13.2, 2.5}},
            host::Rgb(120, 70, 0));
  c.Polygon({{x + 11.2, 3.2},
             {x + 6.6, 10.2},
             {x + 10.4, 10.2},
             {x + 8.8, 15.4},
             {x + 13.3, 9},
             {x + 9.4, 9},
             {x + 12.3, 3.2}},
            Linear({x, 3}, host::Rgb(255, 255, 190), {x, 16}, host::Rgb(255, 200, 0)));
}

void Diamond(Canvas& c, double x) {
  const double cx = x + 10;
  c.Polygon({{cx, 0.3}, {cx + 9.7, 10}, {cx, 19.7}, {cx - 9.7, 10}}, host::Rgb(20, 40, 130));
  c.Polygon(std::vector<Point>{{cx, 1.8}, {cx + 8.2, 10}, {cx, 18.2}, {cx - 8.2, 10}},
            Linear({cx - 5, 4}, host::Rgb(110, 170, 255), {cx + 5, 16}, host::Rgb(20, 70, 210)));
}

struct Sign {
  host::Color bubble;
  const char* text;  // empty for the drawn signs
};

}  // namespace

host::Surface MakePowerUpsPic() {
  // Money, bomb, recharge, weapon, full repair, mega blast, slow recharge, the Rookie mark.
  const Sign signs[8] = {{host::Rgb(30, 150, 50), "$"},  {host::Rgb(0, 130, 130), "B"},
                         {host::Rgb(30, 90, 220), "S"},  {host::Rgb(210, 130, 0), "W"},
                         {host::Rgb(130, 40, 190), "!"}, {host::Rgb(200, 20, 30), "!"},
                         {host::Rgb(40, 50, 140), ""},   {host::Rgb(0, 0, 0), "R"}};
  Canvas c(8 * kCell, kCell);
  for (int i = 0; i < 7; ++i) Bubble(c, i * kCell, signs[i].bubble);
  LightningBolt(c, 6 * kCell);
  Diamond(c, 7 * kCell);
  host::Surface sheet = c.Resolve();
  const host::Font& font = host::Font::Get(host::FontSpec{"Arial", 10, true, false});
  for (int i = 0; i < 8; ++i) {
    const std::string text = signs[i].text;
    if (text.empty()) continue;
    const int x = CentredX(font, text, i * kCell + 10);
    ShadowedText(sheet, x, CapsCentredY(font, 10), text, font, host::kWhite,
                 Scale(i == 7 ? host::Rgb(20, 40, 130) : signs[i].bubble, 0.35));
  }
  return sheet;
}

}  // namespace art
