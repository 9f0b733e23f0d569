#pragma once
#include <cstdint>
#include <vector>

#include "host/DirtyRegion.h"
#include "host/Surface.h"

namespace host::sdl {

// Where a client surface lands inside its window: top-left corner and whole scale factor.
struct Viewport {
  int x = 0;
  int y = 0;
  int scale = 1;
};

// Width of the raised dialog frame drawn around a client area, in client pixels: it is
// scaled with the client.
constexpr int kDialogFrame = 3;

// The game screen's size. Every window is drawn at the largest whole factor at which the game
// screen fits the display, so that its menus and dialogs keep their size beside the field.
constexpr int kScreenWidth = 640, kScreenHeight = 480;

// One rectangle of a single colour in window pixels (right and bottom exclusive).
struct FrameBand {
  PixelRect rect;
  std::uint32_t color = 0;
};

// The raised dialog frame around the w x h client at `vp`: light outside, then white, then
// the face colour, each ring one client pixel (vp.scale window pixels) wide.
std::vector<FrameBand> DialogFrame(const Viewport& vp, int w, int h);

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
// nearest-neighbour, and, when `dialogFrame` is set, the raised frame just outside it.
void ComposeWindow(const WindowImage& out, const Surface& client, const Viewport& vp,
                   bool dialogFrame);

// Scales only the client pixels in `part` into the window image, leaving the rest of it as
// it is; returns the window pixels written (empty when the part lies outside the window).
PixelRect ComposePart(const WindowImage& out, const Surface& client, const Viewport& vp,
                      const PixelRect& part);

}  // namespace host::sdl
