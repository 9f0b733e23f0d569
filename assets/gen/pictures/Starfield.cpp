#include "pictures/Starfield.h"

#include <algorithm>

namespace art {

void Starfield(Canvas& canvas, std::uint32_t seed, int count,
               std::initializer_list<Area> keepClear) {
  StarRandom random(seed);
  for (int i = 0; i < count; ++i) {
    const double x = random.Next() * canvas.Width(), y = random.Next() * canvas.Height();
    const double brightness = random.Next();
    const double tint = random.Next();
    if (std::any_of(keepClear.begin(), keepClear.end(),
                    [x, y](const Area& a) { return a.Contains(x, y); }))
      continue;
    const host::Color colour =
        Mix(tint < 0.5 ? host::Rgb(170, 190, 255) : host::Rgb(255, 236, 200), host::kWhite, 0.4);
    const double r = 0.35 + 0.5 * brightness;
    canvas.Ellipse(x, y, r, r, Blend(colour, 0.35 + 0.65 * brightness));
    if (brightness > 0.93) {
      canvas.Stroke({x - 2.5, y}, {x + 2.5, y}, 0.5, Mix(colour, host::kBlack, 0.4));
      canvas.Stroke({x, y - 2.5}, {x, y + 2.5}, 0.5, Mix(colour, host::kBlack, 0.4));
    }
  }
}

}  // namespace art
