#include "host/sdl/Presenter.h"

#include <algorithm>
#include <cstring>

#include "host/ui/Widgets.h"

namespace host::sdl {
namespace {

std::uint32_t* Row(const WindowImage& out, int y) {
  return out.pixels + static_cast<std::ptrdiff_t>(y) * out.pitch;
}

// Writes `count` client pixels, each `scale` times over; the common factors are spelled
// out so that the compiler can widen the copies.
template <int kScale>
void Repeat(std::uint32_t* dst, const std::uint32_t* src, int count) {
  for (int i = 0; i < count; ++i)
    for (int k = 0; k < kScale; ++k) dst[i * kScale + k] = src[i];
}

void Repeat(std::uint32_t* dst, const std::uint32_t* src, int count, int scale) {
  switch (scale) {
    case 2:
      return Repeat<2>(dst, src, count);
    case 3:
      return Repeat<3>(dst, src, count);
    case 4:
      return Repeat<4>(dst, src, count);
    default:
      for (int i = 0; i < count; ++i) std::fill_n(dst + i * scale, scale, src[i]);
  }
}

// Writes the window pixels x0..x1-1 of one row from the client row `src` scaled by `scale`;
// window column x shows client column (x - originX) / scale.
void ScaleRow(std::uint32_t* dst, const std::uint32_t* src, int x0, int x1, int originX,
              int scale) {
  if (scale == 1) {
    std::memcpy(dst + x0, src + (x0 - originX), sizeof(std::uint32_t) * (x1 - x0));
    return;
  }
  int column = (x0 - originX) / scale;
  int x = x0;
  // A client pixel cut by the left edge of the window, then the whole ones, then one cut by
  // the right edge.
  if (const int phase = (x0 - originX) % scale; phase != 0) {
    const int end = std::min(x1, x0 + scale - phase);
    std::fill(dst + x, dst + end, src[column++]);
    x = end;
  }
  const int whole = (x1 - x) / scale;
  Repeat(dst + x, src + column, whole, scale);
  x += whole * scale;
  column += whole;
  if (x < x1) std::fill(dst + x, dst + x1, src[column]);
}

void Fill(const WindowImage& out, const PixelRect& r, std::uint32_t color) {
  if (r.Empty()) return;
  for (int y = r.top; y < r.bottom; ++y)
    std::fill(Row(out, y) + r.left, Row(out, y) + r.right, color);
}

PixelRect CutToWindow(const WindowImage& out, const PixelRect& r) {
  return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, out.width),
          std::min(r.bottom, out.height)};
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

PixelRect ComposePart(const WindowImage& out, const Surface& client, const Viewport& vp,
                      const PixelRect& part) {
  const int s = vp.scale;
  const int left = std::max(part.left, 0), right = std::min(part.right, client.Width());
  const int top = std::max(part.top, 0), bottom = std::min(part.bottom, client.Height());
  const PixelRect written{std::max(0, vp.x + left * s), std::max(0, vp.y + top * s),
                          std::min(out.width, vp.x + right * s),
                          std::min(out.height, vp.y + bottom * s)};
  if (written.Empty()) return {};
  // Each client row is scaled once into the first window row it covers; the rows below it
  // that show the same client row are copies of that one.
  const std::size_t rowBytes = sizeof(std::uint32_t) * (written.right - written.left);
  const std::uint32_t* lastRow = nullptr;
  for (int y = written.top; y < written.bottom; ++y) {
    const std::uint32_t* src =
        client.Pixels() + static_cast<std::ptrdiff_t>((y - vp.y) / s) * client.Width();
    std::uint32_t* dst = Row(out, y);
    if (src == lastRow) {
      std::memcpy(dst + written.left, Row(out, y - 1) + written.left, rowBytes);
    } else {
      ScaleRow(dst, src, written.left, written.right, vp.x, s);
      lastRow = src;
    }
  }
  return written;
}

PixelRect PictureRect(const WindowImage& out, const Viewport& vp, int clientW, int clientH,
                      WindowFrame frame) {
  const int f = ui::FrameWidth(frame) * vp.scale;
  return CutToWindow(
      out, {vp.x - f, vp.y - f, vp.x + clientW * vp.scale + f, vp.y + clientH * vp.scale + f});
}

std::vector<PixelRect> Surround(const WindowImage& out, const PixelRect& picture) {
  std::vector<PixelRect> bands;
  const auto add = [&bands](const PixelRect& r) {
    if (!r.Empty()) bands.push_back(r);
  };
  if (picture.Empty()) {
    add({0, 0, out.width, out.height});
    return bands;
  }
  add({0, 0, out.width, picture.top});
  add({0, picture.top, picture.left, picture.bottom});
  add({picture.right, picture.top, out.width, picture.bottom});
  add({0, picture.bottom, out.width, out.height});
  return bands;
}

void ComposeWindow(const WindowImage& out, const Surface& client, const Viewport& vp,
                   WindowFrame frame, bool surround) {
  const int s = vp.scale;
  if (surround) {
    for (const PixelRect& r :
         Surround(out, PictureRect(out, vp, client.Width(), client.Height(), frame)))
      Fill(out, r, 0);
  }
  ComposePart(out, client, vp, {0, 0, client.Width(), client.Height()});
  for (const ui::FrameBand& band : ui::FrameBands(client.Width(), client.Height(), frame)) {
    const ui::Rect& b = band.rect;
    Fill(out,
         CutToWindow(
             out, {vp.x + b.x * s, vp.y + b.y * s, vp.x + (b.x + b.w) * s, vp.y + (b.y + b.h) * s}),
         band.color);
  }
}

}  // namespace host::sdl
