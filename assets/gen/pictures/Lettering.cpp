#include "pictures/Lettering.h"

#include <cmath>

namespace art {

int CentredX(const host::Font& font, std::string_view text, double cx) {
  return static_cast<int>(std::lround(cx - font.TextWidth(text) / 2.0));
}

int CapsCentredY(const host::Font& font, double cy) {
  // Capitals of Liberation Sans stand 1409/2048 em high; the em is the point size at 96 dpi.
  const double capHeight = 1409.0 / 2048.0 * font.Spec().points * 96.0 / 72.0;
  return static_cast<int>(std::lround(cy + capHeight / 2 - font.Ascent()));
}

void PaintedText(host::Surface& image, int x, int y, std::string_view text, const host::Font& font,
                 const Paint& paint) {
  // Render white on black to learn each pixel's coverage, then blend the paint by it.
  host::Surface coverage(image.Width(), image.Height());
  font.Render(coverage, x, y, text, host::kWhite);
  for (int py = 0; py < image.Height(); ++py) {
    for (int px = 0; px < image.Width(); ++px) {
      const int a = host::GreenOf(coverage.GetPixel(px, py));
      if (a == 0) continue;
      const host::Color under = image.GetPixel(px, py);
      image.SetPixel(px, py, Mix(under, paint(px + 0.5, py + 0.5, under), a / 255.0));
    }
  }
}

void ShadowedText(host::Surface& image, int x, int y, std::string_view text, const host::Font& font,
                  host::Color colour, host::Color shadow) {
  font.Render(image, x + 1, y + 1, text, shadow);
  font.Render(image, x, y, text, colour);
}

}  // namespace art
