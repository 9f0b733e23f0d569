#include "host/Surface.h"

#include <algorithm>
#include <cstdlib>

#include "host/Font.h"

namespace host {

Surface::Surface(int width, int height, Color fill) { Resize(width, height, fill); }

void Surface::Resize(int width, int height, Color fill) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
  Touch();
}

void Surface::Clear(Color fill) {
  std::fill(pixels_.begin(), pixels_.end(), fill);
  Touch();
}

Color Surface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Surface::SetPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = c & 0xFFFFFF;
  Touch();
}

void Surface::Blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, RasterOp op) {
  // Clip against the source first, moving the destination by the same amount, then
  // against the destination. Work in 64 bits so that absurd coordinates cannot overflow.
  long long x0 = 0, y0 = 0, x1 = w, y1 = h;  // offsets inside the requested rectangle
  x0 = std::max({x0, -static_cast<long long>(sx), -static_cast<long long>(dx)});
  y0 = std::max({y0, -static_cast<long long>(sy), -static_cast<long long>(dy)});
  x1 = std::min({x1, static_cast<long long>(src.width_) - sx, static_cast<long long>(width_) - dx});
  y1 = std::min({y1, static_cast<long long>(src.height_) - sy, static_cast<long long>(height_) - dy});
  if (x0 >= x1 || y0 >= y1) return;
  const int cols = static_cast<int>(x1 - x0);
  const bool same = &src == this;
  // An overlapping copy within one surface must not read what it has just written.
  std::vector<std::uint32_t> scratch;
  for (long long row = y0; row < y1; ++row) {
    long long r = (same && dy > sy) ? (y1 - 1 - (row - y0)) : row;
    const std::uint32_t* s = src.pixels_.data() + (sy + r) * src.width_ + sx + x0;
    std::uint32_t* d = pixels_.data() + (dy + r) * width_ + dx + x0;
    if (same) {
      scratch.assign(s, s + cols);
      s = scratch.data();
    }
    switch (op) {
      case RasterOp::Copy:
        std::copy(s, s + cols, d);
        break;
      case RasterOp::And:
        for (int i = 0; i < cols; ++i) d[i] &= s[i];
        break;
      case RasterOp::Xor:
        for (int i = 0; i < cols; ++i) d[i] ^= s[i];
        break;
    }
  }
  Touch();
}

void Surface::FillRect(int x1, int y1, int x2, int y2, Color c, PenMode mode) {
  long long left = std::max<long long>(0, std::min(x1, x2));
  long long top = std::max<long long>(0, std::min(y1, y2));
  long long right = std::min<long long>(width_ - 1LL, std::max(x1, x2));
  long long bottom = std::min<long long>(height_ - 1LL, std::max(y1, y2));
  if (left > right || top > bottom) return;
  c &= 0xFFFFFF;
  for (long long y = top; y <= bottom; ++y) {
    std::uint32_t* d = pixels_.data() + y * width_;
    if (mode == PenMode::Copy) {
      std::fill(d + left, d + right + 1, c);
    } else {
      for (long long x = left; x <= right; ++x) d[x] &= c;
    }
  }
  Touch();
}

void Surface::Line(int x1, int y1, int x2, int y2, Color c) {
  // Bresenham; points outside the surface are skipped by SetPixel. Long lines far off
  // the surface are first cut down so that a stray coordinate cannot stall the loop.
  auto clampCoord = [](int v) { return std::clamp(v, -100000, 100000); };
  x1 = clampCoord(x1), y1 = clampCoord(y1), x2 = clampCoord(x2), y2 = clampCoord(y2);
  int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
  int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    SetPixel(x1, y1, c);
    if (x1 == x2 && y1 == y2) break;
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x1 += sx;
    if (e2 <= dx) err += dx, y1 += sy;
  }
  Touch();
}

void Surface::Frame(int x1, int y1, int x2, int y2, Color c) {
  Line(x1, y1, x2, y1, c);
  Line(x2, y1, x2, y2, c);
  Line(x2, y2, x1, y2, c);
  Line(x1, y2, x1, y1, c);
}

void Surface::Circle(int cx, int cy, int r, Color c) {
  if (r < 0) return;
  if (r == 0) {
    SetPixel(cx, cy, c);
    return;
  }
  // Midpoint circle: eight symmetric points per step.
  int x = r, y = 0, err = 1 - r;
  while (x >= y) {
    SetPixel(cx + x, cy + y, c), SetPixel(cx + y, cy + x, c);
    SetPixel(cx - y, cy + x, c), SetPixel(cx - x, cy + y, c);
    SetPixel(cx - x, cy - y, c), SetPixel(cx - y, cy - x, c);
    SetPixel(cx + y, cy - x, c), SetPixel(cx + x, cy - y, c);
    ++y;
    if (err < 0) {
      err += 2 * y + 1;
    } else {
      --x;
      err += 2 * (y - x) + 1;
    }
  }
  Touch();
}

int Surface::DrawText(int x, int y, std::string_view utf8, const Font& font, Color c) {
  int end = font.Render(*this, x, y, utf8, c);
  Touch();
  return end;
}

}  // namespace host
