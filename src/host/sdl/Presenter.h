#pragma once
#include <cstdint>

#include "host/Surface.h"

namespace host::sdl {

// Where a client surface lands inside its window: top-left corner and whole scale factor.
struct Viewport {
  int x = 0;
  int y = 0;
  int scale = 1;
};

// Width of the raised dialog frame drawn around a client area.
constexpr int kDialogFrame = 3;

// The largest whole factor at which a w x h surface fits an outW x outH window, centred
// (at least 1: a screen smaller than the surface shows its middle).
Viewport FitViewport(int outW, int outH, int w, int h);

// Window pixel to client pixel, rounding towards minus infinity so that points left of or
// above the client area stay negative.
int ToClient(int windowCoord, int origin, int scale);

// Composes a whole window image into `out` (outW x outH pixels, `pitch` pixels a row,
// 0x00RRGGBB): black around the client area, the client scaled nearest-neighbour, and,
// when `dialogFrame` is set, the raised frame just outside the client area.
void ComposeWindow(std::uint32_t* out, int outW, int outH, int pitch, const Surface& client,
                   const Viewport& vp, bool dialogFrame);

}  // namespace host::sdl
