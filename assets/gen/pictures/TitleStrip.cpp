#include <cmath>

#include "pictures/Figures.h"
#include "pictures/Lettering.h"
#include "pictures/Pictures.h"

namespace art {

host::Surface MakeDragBox() {
  constexpr int kWidth = 254, kHeight = 16;
  const host::Font& font = host::Font::Get(host::FontSpec{"Arial", 9, true, false});
  const char* kName = "Skirmora";
  const int textX = 20;
  const int stripeX = textX + font.TextWidth(kName) + 6;
  Canvas c(kWidth, kHeight);
  // The emblem stays inside the first 17 columns, the strip's menu corner.
  DrawEmblem(c, 2.5, 1, 12, 14.5);
  // Hazard stripes at 45 degrees between two thin rails.
  c.Rect(stripeX, 2, kWidth, 14, [](double x, double y, host::Color) {
    const int band = static_cast<int>(std::floor((x + y) / 5.0));
    return band % 2 == 0 ? host::Rgb(255, 200, 0) : host::Rgb(24, 22, 16);
  });
  c.Rect(stripeX, 2, kWidth, 3, host::Rgb(150, 110, 0));
  c.Rect(stripeX, 13, kWidth, 14, host::Rgb(150, 110, 0));
  host::Surface strip = c.Resolve();
  ShadowedText(strip, textX, CapsCentredY(font, 8), kName, font, host::kWhite,
               host::Rgb(90, 20, 30));
  return strip;
}

}  // namespace art
