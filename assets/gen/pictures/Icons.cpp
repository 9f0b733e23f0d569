#include <algorithm>

#include "pictures/Figures.h"
#include "pictures/Pictures.h"

namespace art {

host::Surface MakeIcon(int size) {
  // The emblem, as tall as the square allows, at its 4:5 shape.
  Canvas c(size, size);
  const double h = size - 1.0, w = h * 0.8;
  DrawEmblem(c, (size - w) / 2, 0.5, w, h);
  host::Surface icon = c.Resolve();
  ClearFringe(icon, 16);
  return icon;
}

TranslucentImage MakeDesktopIcon(int size) {
  // Drawn once over black and once over white: where the two differ, the background shows
  // through, and by how much tells the opacity; over black the colour is premultiplied.
  auto draw = [size](host::Color background) {
    Canvas c(size, size, background);
    const double h = size - 1.0, w = h * 0.8;
    DrawEmblem(c, (size - w) / 2, 0.5, w, h);
    return c.Resolve();
  };
  const host::Surface overBlack = draw(host::kBlack), overWhite = draw(host::kWhite);
  TranslucentImage out{host::Surface(size, size), {}};
  out.alpha.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const host::Color b = overBlack.GetPixel(x, y), w = overWhite.GetPixel(x, y);
      const int shown = (host::RedOf(w) - host::RedOf(b) + host::GreenOf(w) - host::GreenOf(b) +
                         host::BlueOf(w) - host::BlueOf(b) + 1) /
                        3;
      const int a = std::clamp(255 - shown, 0, 255);
      out.alpha.push_back(static_cast<std::uint8_t>(a));
      auto unmix = [a](int premultiplied) {
        return a == 0 ? 0 : std::min(255, (premultiplied * 255 + a / 2) / a);
      };
      out.image.SetPixel(
          x, y, host::Rgb(unmix(host::RedOf(b)), unmix(host::GreenOf(b)), unmix(host::BlueOf(b))));
    }
  }
  return out;
}

}  // namespace art
