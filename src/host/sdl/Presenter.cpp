#include "host/sdl/Presenter.h"

#include <algorithm>
#include <cstring>

namespace host::sdl {
namespace {

constexpr std::uint32_t kFace = 0xC0C0C0, kLight = 0xFFFFFF, kShadow = 0x808080, kDark = 0x000000;

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

std::vector<FrameBand> DialogFrame(const Viewport& vp, int w, int h) {
  const int s = vp.scale;
  std::vector<FrameBand> bands;
  // One ring in client pixels (inclusive): `topLeft` on the top and left edges but for their
  // far ends, `bottomRight` on the others.
  const auto ring = [&](int x1, int y1, int x2, int y2, std::uint32_t topLeft,
                        std::uint32_t bottomRight) {
    const auto band = [&](int l, int t, int r, int b, std::uint32_t c) {
      bands.push_back({{vp.x + l * s, vp.y + t * s, vp.x + (r + 1) * s, vp.y + (b + 1) * s}, c});
    };
    band(x1, y1, x2 - 1, y1, topLeft);
    band(x1, y1, x1, y2 - 1, topLeft);
    band(x1, y2, x2, y2, bottomRight);
    band(x2, y1, x2, y2, bottomRight);
  };
  const int f = kDialogFrame;
  ring(-f, -f, w + f - 1, h + f - 1, kFace, kDark);
  ring(1 - f, 1 - f, w + f - 2, h + f - 2, kLight, kShadow);
  ring(2 - f, 2 - f, w + f - 3, h + f - 3, kFace, kFace);
  return bands;
}

void ComposeWindow(const WindowImage& out, const Surface& client, const Viewport& vp,
                   bool dialogFrame) {
  const int cw = client.Width() * vp.scale, ch = client.Height() * vp.scale;
  const bool covers = vp.x <= 0 && vp.y <= 0 && vp.x + cw >= out.width && vp.y + ch >= out.height;
  if (!covers) {
    for (int y = 0; y < out.height; ++y) std::fill_n(Row(out, y), out.width, 0u);
  }
  ComposePart(out, client, vp, {0, 0, client.Width(), client.Height()});
  if (!dialogFrame) return;
  for (const FrameBand& band : DialogFrame(vp, client.Width(), client.Height())) {
    const int left = std::max(band.rect.left, 0), right = std::min(band.rect.right, out.width);
    const int top = std::max(band.rect.top, 0), bottom = std::min(band.rect.bottom, out.height);
    for (int y = top; y < bottom; ++y)
      if (left < right) std::fill(Row(out, y) + left, Row(out, y) + right, band.color);
  }
}

}  // namespace host::sdl
