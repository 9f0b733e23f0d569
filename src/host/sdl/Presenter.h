#pragma once
#include <cstdint>
#include <vector>

#include "host/DirtyRegion.h"
#include "host/Surface.h"
#include "host/Window.h"

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

// The window pixels that show the client at `vp` inside its frame, cut to the window.
PixelRect PictureRect(const WindowImage& out, const Viewport& vp, int clientW, int clientH,
                      WindowFrame frame);

// What lies around `picture` in the window image: up to four bands, none of them empty.
std::vector<PixelRect> Surround(const WindowImage& out, const PixelRect& picture);

// Composes the whole window image: the client scaled nearest-neighbour inside its frame,
// and, with `surround`, black around them (without it those pixels are left as they are,
// for the window system paints them).
void ComposeWindow(const WindowImage& out, const Surface& client, const Viewport& vp,
                   WindowFrame frame, bool surround);

// Scales only the client pixels in `part` into the window image, leaving the rest of it as
// it is; returns the window pixels written (empty when the part lies outside the window).
PixelRect ComposePart(const WindowImage& out, const Surface& client, const Viewport& vp,
                      const PixelRect& part);

}  // namespace host::sdl
