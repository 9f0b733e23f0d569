#include <stdexcept>

#include "pictures/Figures.h"
#include "pictures/Pictures.h"
#include "pictures/PixelArt.h"

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

host::Surface MakeHandCursor(const std::string& artDir) {
  host::Surface hand = ReadPixelArt(artDir + "/hand-cursor.txt");
  if (hand.Width() != 32 || hand.Height() != 32)
    throw std::runtime_error(artDir + "/hand-cursor.txt must be 32 x 32 pixels");
  return hand;
}

host::Surface MakeInvisibleCursor() {
  return host::Surface(32, 32, host::Rgb(255, 0, 255));
}

}  // namespace art
