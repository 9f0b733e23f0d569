#include "host/sdl/Presenter.h"

#include <algorithm>

namespace host::sdl {
namespace {

constexpr std::uint32_t kFace = 0xC0C0C0, kLight = 0xFFFFFF, kShadow = 0x808080, kDark = 0x000000;

void PutPixel(std::uint32_t* out, int outW, int outH, int pitch, int x, int y, std::uint32_t c) {
  if (x >= 0 && y >= 0 && x < outW && y < outH) out[static_cast<long>(y) * pitch + x] = c;
}

// One ring of the frame: `topLeft` on the top and left edges, `bottomRight` on the others.
void Ring(std::uint32_t* out, int outW, int outH, int pitch, int x1, int y1, int x2, int y2,
          std::uint32_t topLeft, std::uint32_t bottomRight) {
  for (int x = x1; x <= x2; ++x) {
    PutPixel(out, outW, outH, pitch, x, y1, topLeft);
    PutPixel(out, outW, outH, pitch, x, y2, bottomRight);
  }
  for (int y = y1; y <= y2; ++y) {
    PutPixel(out, outW, outH, pitch, x1, y, topLeft);
    PutPixel(out, outW, outH, pitch, x2, y, bottomRight);
  }
  PutPixel(out, outW, outH, pitch, x2, y1, bottomRight);
  PutPixel(out, outW, outH, pitch, x1, y2, bottomRight);
}

}  // namespace

Viewport FitViewport(int outW, int outH, int w, int h) {
  Viewport vp;
  if (w <= 0 || h <= 0) return vp;
  vp.scale = std::max(1, std::min(outW / w, outH / h));
  vp.x = (outW - w * vp.scale) / 2;
  vp.y = (outH - h * vp.scale) / 2;
  return vp;
}

int ToClient(int windowCoord, int origin, int scale) {
  const int d = windowCoord - origin;
  return d >= 0 ? d / scale : -((-d + scale - 1) / scale);
}

void ComposeWindow(std::uint32_t* out, int outW, int outH, int pitch, const Surface& client,
                   const Viewport& vp, bool dialogFrame) {
  const int cw = client.Width() * vp.scale, ch = client.Height() * vp.scale;
  const bool covers = vp.x <= 0 && vp.y <= 0 && vp.x + cw >= outW && vp.y + ch >= outH;
  if (!covers) {
    for (int y = 0; y < outH; ++y) std::fill_n(out + static_cast<long>(y) * pitch, outW, 0u);
  }
  const int x0 = std::max(0, vp.x), x1 = std::min(outW, vp.x + cw);
  const int y0 = std::max(0, vp.y), y1 = std::min(outH, vp.y + ch);
  const std::uint32_t* src = client.Pixels();
  for (int y = y0; y < y1; ++y) {
    const std::uint32_t* row = src + static_cast<long>((y - vp.y) / vp.scale) * client.Width();
    std::uint32_t* dst = out + static_cast<long>(y) * pitch;
    if (vp.scale == 1) {
      std::copy(row + (x0 - vp.x), row + (x1 - vp.x), dst + x0);
    } else {
      for (int x = x0; x < x1; ++x) dst[x] = row[(x - vp.x) / vp.scale];
    }
  }
  if (dialogFrame) {
    // The classic raised dialog frame: light outside, then white, then the face colour.
    const int l = vp.x - kDialogFrame, t = vp.y - kDialogFrame;
    const int r = vp.x + cw + kDialogFrame - 1, b = vp.y + ch + kDialogFrame - 1;
    Ring(out, outW, outH, pitch, l, t, r, b, kFace, kDark);
    Ring(out, outW, outH, pitch, l + 1, t + 1, r - 1, b - 1, kLight, kShadow);
    Ring(out, outW, outH, pitch, l + 2, t + 2, r - 2, b - 2, kFace, kFace);
  }
}

}  // namespace host::sdl
