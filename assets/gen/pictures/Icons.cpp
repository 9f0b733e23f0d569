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

}  // namespace art
