#pragma once
#include <vector>

#include "host/Surface.h"

namespace host {

// A mouse pointer's picture, which of its pixels are see-through, and its hot spot.
struct PointerImage {
  Surface image;
  std::vector<bool> transparent;  // row-major, one flag per pixel
  int hotX = 0;
  int hotY = 0;
};

// The program's own pictures that the desktop shows for it: the window icon and the hand
// pointer over links. Handed to the back end by the program, which owns the artwork.
struct DesktopArt {
  Surface icon;
  PointerImage hand;
};

}  // namespace host
