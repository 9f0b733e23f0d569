#pragma once
#include <cstdint>

#include "host/DirtyRegion.h"
#include "host/Surface.h"

namespace host::sdl {

// Where a client surface lands inside its window: top-left corner and whole scale factor.
struct Viewport {
  int x = 0;
  int y = 0;
  int scale = 1;
};

// The game screen's size. Every window is drawn at the largest whole factor at which the game
// screen fits the display, so that its menus and dialogs keep their size beside the field.
constexpr int kScreenWidth = 640, kScreenHeight = 480;

// The largest whole factor at which a w x h surface fits an outW x outH window, centred
// (at least 1: a screen smaller than the surface shows its middle).
Viewport FitViewport(int outW, int outH, int w, int h);

// Window pixel to client pixel, rounding towards minus infinity so that points left of or
// above the client area stay negative.
int ToClient(int windowCoord, int origin, int scale);

// A window image being composed: outW x outH pixels, `pitch` pixels a row, 0x00RRGGBB.
struct WindowImage {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;
};

// Composes the whole window image: black around the client area, the client scaled
// nearest-neighbour.
void ComposeWindow(const WindowImage& out, const Surface& client, const Viewport& vp);

// Scales only the client pixels in `part` into the window image, leaving the rest of it as
// it is; returns the window pixels written (empty when the part lies outside the window).
PixelRect ComposePart(const WindowImage& out, const Surface& client, const Viewport& vp,
                      const PixelRect& part);

}  // namespace host::sdl
