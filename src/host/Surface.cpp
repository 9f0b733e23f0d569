#include "host/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "host/Font.h"

namespace host {
namespace {

// Where pixel (x, y) of a surface `width` wide lies in its pixels.
std::size_t Offset(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

// The row loops of the rectangle copies. Sprites are small, so these run a few dozen pixels
// at a time, many thousand times a frame; where the processor has them, they use its widest
// vector instructions. Source and destination never overlap (a copy within one surface goes
// through a scratch row).
#if defined(__x86_64__) && defined(__GNUC__)
#define SKIRMORA_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define SKIRMORA_WIDE_VECTORS
#endif

SKIRMORA_WIDE_VECTORS
void AndRows(std::uint32_t* __restrict d, std::ptrdiff_t dStride, const std::uint32_t* __restrict s,
             std::ptrdiff_t sStride, int cols, int rows) {
  for (int r = 0; r < rows; ++r, d += dStride, s += sStride)
    for (int i = 0; i < cols; ++i) d[i] &= s[i];
}

SKIRMORA_WIDE_VECTORS
void XorRows(std::uint32_t* __restrict d, std::ptrdiff_t dStride, const std::uint32_t* __restrict s,
             std::ptrdiff_t sStride, int cols, int rows) {
  for (int r = 0; r < rows; ++r, d += dStride, s += sStride)
    for (int i = 0; i < cols; ++i) d[i] ^= s[i];
}

// The copies are written as loops and kept so: GCC would turn them into memcpy, which it
// expands inline into a string-move instruction whose start-up costs more than a sprite's
// row, and which some processors run ten times slower for unlucky distances between long rows.
#if defined(__GNUC__) && !defined(__clang__)
#define SKIRMORA_KEEP_LOOP __attribute__((optimize("no-tree-loop-distribute-patterns")))
#else
#define SKIRMORA_KEEP_LOOP
#endif

// One row's span of n pixels (n > 0) filled or copied a vector at a time, with no
// pixel-by-pixel tail: the last vector ends at the span's end and may overlap the one before
// it, writing some pixels twice with the same values. Sprites' rows are a few dozen pixels,
// where a tail loop and its setup cost as much as the rest. A copy's source and destination
// never overlap (a copy within one surface goes through a scratch row).
using Pixels8 = std::uint32_t __attribute__((vector_size(32)));
using Pixels4 = std::uint32_t __attribute__((vector_size(16)));
using Pixels2 = std::uint32_t __attribute__((vector_size(8)));

template <class Vector>
void Store(std::uint32_t* d, const Vector& v) {
  std::memcpy(d, &v, sizeof v);
}

template <class Vector>
void CopyOne(std::uint32_t* d, const std::uint32_t* s) {
  Vector v;
  std::memcpy(&v, s, sizeof v);
  std::memcpy(d, &v, sizeof v);
}

inline void FillSpan(std::uint32_t* d, int n, std::uint32_t c) {
  if (n >= 8) {
    const Pixels8 v = Pixels8{} + c;
    std::uint32_t* const last = d + n - 8;
    for (; d < last; d += 8) Store(d, v);
    Store(last, v);
  } else if (n >= 4) {
    const Pixels4 v = Pixels4{} + c;
    Store(d, v);
    Store(d + n - 4, v);
  } else {
    d[0] = d[n - 1] = c;
    d[n / 2] = c;
  }
}

inline void CopySpan(std::uint32_t* __restrict d, const std::uint32_t* __restrict s, int n) {
  if (n >= 8) {
    for (int i = 0; i < n - 8; i += 8) CopyOne<Pixels8>(d + i, s + i);
    CopyOne<Pixels8>(d + n - 8, s + n - 8);
  } else if (n >= 4) {
    CopyOne<Pixels4>(d, s);
    CopyOne<Pixels4>(d + n - 4, s + n - 4);
  } else if (n >= 2) {
    CopyOne<Pixels2>(d, s);
    CopyOne<Pixels2>(d + n - 2, s + n - 2);
  } else {
    d[0] = s[0];
  }
}

SKIRMORA_WIDE_VECTORS SKIRMORA_KEEP_LOOP void CopyRows(std::uint32_t* __restrict d,
                                                       std::ptrdiff_t dStride,
                                                       const std::uint32_t* __restrict s,
                                                       std::ptrdiff_t sStride, int cols, int rows) {
  for (int r = 0; r < rows; ++r, d += dStride, s += sStride) CopySpan(d, s, cols);
}

SKIRMORA_WIDE_VECTORS
void FillRows(std::uint32_t* d, std::ptrdiff_t dStride, std::uint32_t c, int cols, int rows) {
  for (int r = 0; r < rows; ++r, d += dStride) FillSpan(d, cols, c);
}

// The run loops: a sprite's rows, each run a few dozen pixels, placed by the corner of the
// runs' box at `at` (and taken from `from`). The lists are walked through plain pointers
// taken first: the pixel stores might otherwise be the lists' own memory for all the
// compiler knows, and it would load them again after every run.
SKIRMORA_WIDE_VECTORS
void FillRunsAt(std::uint32_t* at, std::ptrdiff_t stride, const PixelRuns& runs, std::uint32_t c) {
  const PixelRuns::Run* run = runs.Runs().data();
  const std::ptrdiff_t* offset = runs.Offsets(stride).data();
  for (const std::ptrdiff_t* end = offset + runs.Runs().size(); offset != end; ++offset, ++run)
    FillSpan(at + *offset, run->length, c);
}

SKIRMORA_WIDE_VECTORS SKIRMORA_KEEP_LOOP void CopyRunsAt(std::uint32_t* __restrict at,
                                                         std::ptrdiff_t stride,
                                                         const std::uint32_t* __restrict from,
                                                         std::ptrdiff_t fromStride,
                                                         const PixelRuns& runs) {
  const PixelRuns::Run* run = runs.Runs().data();
  const std::ptrdiff_t* offset = runs.Offsets(stride).data();
  const std::ptrdiff_t* source = runs.Offsets(fromStride).data();
  for (const std::ptrdiff_t* end = offset + runs.Runs().size(); offset != end;
       ++offset, ++source, ++run)
    CopySpan(at + *offset, from + *source, run->length);
}

SKIRMORA_WIDE_VECTORS
void MaskRows(std::uint32_t* d, std::ptrdiff_t dStride, std::uint32_t c, int cols, int rows) {
  for (int r = 0; r < rows; ++r, d += dStride)
    for (int i = 0; i < cols; ++i) d[i] &= c;
}

// Wide enough for products of two coordinate differences of the whole int range.
__extension__ using Wide = __int128;

// The steps i in [0, length] at which start + dir * i lies in [0, size).
std::pair<long long, long long> StepsInside(long long start, int dir, long long length,
                                            long long size) {
  if (dir > 0) return {std::max(0LL, -start), std::min(length, size - 1 - start)};
  return {std::max(0LL, start - (size - 1)), std::min(length, start)};
}

// The distances |p - centre| for p in [0, size): one range, empty when size is 0.
std::pair<long long, long long> OffsetsReaching(long long centre, long long size) {
  if (size <= 0) return {1, 0};
  if (centre < 0) return {-centre, size - 1 - centre};
  if (centre >= size) return {centre - (size - 1), centre};
  return {0, std::max(centre, size - 1 - centre)};
}

// The midpoint circle of radius r > 0: in the octant x >= t >= 0 the point at offset t lies
// at the largest x with x (x - 1) < r^2 - t^2, and the other seven octants mirror it. Calls
// plot(t, x) for t from `from` on, up to `to` or the end of the octant. x is worked out
// once, then only stepped down (by at most one a step within the octant), with
// slack = r^2 - t^2 - x (x - 1) kept up to date by additions.
template <class Plot>
void WalkOctant(long long r, long long from, long long to, const Plot& plot) {
  const long long room = r * r - from * from;
  long long x = 0;
  if (from < r) {
    x = static_cast<long long>(std::sqrt(static_cast<double>(room)));
    while (x > 0 && x * (x - 1) >= room) --x;
    while ((x + 1) * x < room) ++x;
  }
  long long slack = room - x * (x - 1);
  for (long long t = from; t <= to; slack -= 2 * t + 1, ++t) {
    while (x > 0 && slack <= 0) slack += 2 * --x;
    if (x < t) break;
    plot(t, x);
  }
}

// The part of [left, right) x [top, bottom) inside a w x h surface.
PixelRect ClipTo(long long left, long long top, long long right, long long bottom, int w, int h) {
  const auto clamp = [](long long v, int size) {
    return static_cast<int>(std::clamp<long long>(v, 0, size));
  };
  return {clamp(left, w), clamp(top, h), clamp(right, w), clamp(bottom, h)};
}

// [left, right) x [top, bottom), known to lie inside a surface.
PixelRect Narrowed(long long left, long long top, long long right, long long bottom) {
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
          static_cast<int>(bottom)};
}

}  // namespace

Surface::Surface(int width, int height, Color fill) {
  Resize(width, height, fill);
}

void Surface::Resize(int width, int height, Color fill) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
  Record({0, 0, width_, height_});
}

void Surface::Clear(Color fill) {
  std::fill(pixels_.begin(), pixels_.end(), fill);
  Record({0, 0, width_, height_});
}

Color Surface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Surface::SetPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = c & 0xFFFFFF;
  Record({x, y, x + 1, y + 1});
}

void Surface::Blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy, RasterOp op) {
  const std::optional<BlitArea> area = ClipBlit(dx, dy, w, h, src, sx, sy);
  if (!area) return;
  if (&src == this) {
    BlitWithin(*area, op);
  } else {
    const std::uint32_t* s = src.pixels_.data() + Offset(area->sx, area->sy, src.width_);
    std::uint32_t* d = pixels_.data() + Offset(area->dx, area->dy, width_);
    switch (op) {
      case RasterOp::Copy:
        CopyRows(d, width_, s, src.width_, area->cols, area->rows);
        break;
      case RasterOp::And:
        AndRows(d, width_, s, src.width_, area->cols, area->rows);
        break;
      case RasterOp::Xor:
        XorRows(d, width_, s, src.width_, area->cols, area->rows);
        break;
    }
  }
  Record({area->dx, area->dy, area->dx + area->cols, area->dy + area->rows});
}

void PixelRuns::Add(int row, int column, int length) {
  if (length <= 0) return;
  runs_.push_back({row, column, length});
  box_ = Union(box_, {column, row, column + length, row + 1});
  for (StrideOffsets& kept : offsets_) kept.stride = -1;
}

const std::vector<std::ptrdiff_t>& PixelRuns::MakeOffsets(std::ptrdiff_t stride) const {
  StrideOffsets& made = offsets_[oldest_];
  oldest_ = (oldest_ + 1) % offsets_.size();
  made.stride = stride;
  made.offsets.clear();
  for (const Run& run : runs_)
    made.offsets.push_back(static_cast<std::ptrdiff_t>(run.row - box_.top) * stride +
                           (run.column - box_.left));
  return made.offsets;
}

void Surface::FillRuns(int x, int y, const PixelRuns& runs, Color c) {
  const PixelRect& box = runs.Box();
  if (box.Empty()) return;
  c &= 0xFFFFFF;
  const long long left = static_cast<long long>(x) + box.left;
  const long long top = static_cast<long long>(y) + box.top;
  const long long right = static_cast<long long>(x) + box.right;
  const long long bottom = static_cast<long long>(y) + box.bottom;
  if (left >= 0 && top >= 0 && right <= width_ && bottom <= height_) {
    FillRunsAt(pixels_.data() + Offset(static_cast<int>(left), static_cast<int>(top), width_),
               width_, runs, c);
    Record(Narrowed(left, top, right, bottom));
    return;
  }
  for (const PixelRuns::Run& run : runs.Runs()) {
    const long long row = static_cast<long long>(y) + run.row;
    const long long from = std::max(0LL, static_cast<long long>(x) + run.column);
    const long long to =
        std::min<long long>(width_, static_cast<long long>(x) + run.column + run.length);
    if (row < 0 || row >= height_ || from >= to) continue;
    std::uint32_t* d = pixels_.data() + row * width_;
    std::fill(d + from, d + to, c);
  }
  Record(ClipTo(left, top, right, bottom, width_, height_));
}

void Surface::BlitRuns(int x, int y, const Surface& src, int sx, int sy, const PixelRuns& runs) {
  const PixelRect& box = runs.Box();
  if (box.Empty()) return;
  if (&src == this) {
    const Surface copy = src;
    BlitRuns(x, y, copy, sx, sy, runs);
    return;
  }
  // Where the runs' box lands, and where it comes from.
  const long long left = static_cast<long long>(x) + box.left;
  const long long top = static_cast<long long>(y) + box.top;
  const long long right = static_cast<long long>(x) + box.right;
  const long long bottom = static_cast<long long>(y) + box.bottom;
  const long long srcLeft = static_cast<long long>(sx) + box.left;
  const long long srcTop = static_cast<long long>(sy) + box.top;
  if (left >= 0 && top >= 0 && right <= width_ && bottom <= height_ && srcLeft >= 0 &&
      srcTop >= 0 && srcLeft + box.right - box.left <= src.width_ &&
      srcTop + box.bottom - box.top <= src.height_) {
    CopyRunsAt(pixels_.data() + Offset(static_cast<int>(left), static_cast<int>(top), width_),
               width_,
               src.pixels_.data() +
                   Offset(static_cast<int>(srcLeft), static_cast<int>(srcTop), src.width_),
               src.width_, runs);
    Record(Narrowed(left, top, right, bottom));
    return;
  }
  for (const PixelRuns::Run& run : runs.Runs()) {
    const long long row = static_cast<long long>(y) + run.row;
    const long long srcRow = static_cast<long long>(sy) + run.row;
    const long long at = static_cast<long long>(x) + run.column;
    const long long srcAt = static_cast<long long>(sx) + run.column;
    // The pixels i of the run that lie inside both surfaces.
    const long long first = std::max({0LL, -at, -srcAt});
    const long long end = std::min<long long>({run.length, width_ - at, src.width_ - srcAt});
    if (row < 0 || row >= height_ || srcRow < 0 || srcRow >= src.height_ || first >= end) continue;
    const std::uint32_t* s = src.pixels_.data() + srcRow * src.width_ + srcAt + first;
    std::copy(s, s + (end - first), pixels_.data() + row * width_ + at + first);
  }
  Record(ClipTo(left, top, right, bottom, width_, height_));
}

std::optional<Surface::BlitArea> Surface::ClipBlit(int dx, int dy, int w, int h, const Surface& src,
                                                   int sx, int sy) const {
  // Clip against the source first, moving the destination by the same amount, then
  // against the destination. Work in 64 bits so that absurd coordinates cannot overflow.
  long long x0 = 0, y0 = 0, x1 = w, y1 = h;  // offsets inside the requested rectangle
  x0 = std::max({x0, -static_cast<long long>(sx), -static_cast<long long>(dx)});
  y0 = std::max({y0, -static_cast<long long>(sy), -static_cast<long long>(dy)});
  x1 = std::min({x1, static_cast<long long>(src.width_) - sx, static_cast<long long>(width_) - dx});
  y1 = std::min(
      {y1, static_cast<long long>(src.height_) - sy, static_cast<long long>(height_) - dy});
  if (x0 >= x1 || y0 >= y1) return std::nullopt;
  return BlitArea{static_cast<int>(dx + x0), static_cast<int>(dy + y0), static_cast<int>(sx + x0),
                  static_cast<int>(sy + y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
}

void Surface::BlitWithin(const BlitArea& a, RasterOp op) {
  // An overlapping copy within one surface must not read what it has just written: each
  // row goes through a scratch row, and rows are taken from the far end when moving down.
  std::vector<std::uint32_t> scratch(static_cast<std::size_t>(a.cols));
  for (int row = 0; row < a.rows; ++row) {
    const int r = a.dy > a.sy ? a.rows - 1 - row : row;
    const std::uint32_t* s = pixels_.data() + Offset(a.sx, a.sy + r, width_);
    std::copy(s, s + a.cols, scratch.begin());
    std::uint32_t* d = pixels_.data() + Offset(a.dx, a.dy + r, width_);
    switch (op) {
      case RasterOp::Copy:
        CopyRows(d, width_, scratch.data(), a.cols, a.cols, 1);
        break;
      case RasterOp::And:
        AndRows(d, width_, scratch.data(), a.cols, a.cols, 1);
        break;
      case RasterOp::Xor:
        XorRows(d, width_, scratch.data(), a.cols, a.cols, 1);
        break;
    }
  }
}

void Surface::FillRect(int x1, int y1, int x2, int y2, Color c, PenMode mode) {
  long long left = std::max<long long>(0, std::min(x1, x2));
  long long top = std::max<long long>(0, std::min(y1, y2));
  long long right = std::min<long long>(width_ - 1LL, std::max(x1, x2));
  long long bottom = std::min<long long>(height_ - 1LL, std::max(y1, y2));
  if (left > right || top > bottom) return;
  c &= 0xFFFFFF;
  std::uint32_t* d = pixels_.data() + top * width_ + left;
  const auto cols = static_cast<int>(right - left + 1), rows = static_cast<int>(bottom - top + 1);
  if (mode == PenMode::Copy) {
    FillRows(d, width_, c, cols, rows);
  } else {
    MaskRows(d, width_, c, cols, rows);
  }
  Record(ClipTo(left, top, right + 1, bottom + 1, width_, height_));
}

void Surface::Line(int x1, int y1, int x2, int y2, Color c) {
  // Bresenham, stepping along the major axis: at step i the minor offset is
  // i * minorLength / majorLength rounded, halves away from the start. Only the steps that
  // land inside the surface along the major axis are walked, so far-away endpoints cost
  // nothing and the visible part is exactly the part of the whole line.
  const long long ax = x1, ay = y1, bx = x2, by = y2;
  const bool xMajor = std::llabs(bx - ax) >= std::llabs(by - ay);
  const long long majorStart = xMajor ? ax : ay, minorStart = xMajor ? ay : ax;
  const long long majorDelta = xMajor ? bx - ax : by - ay;
  const long long minorDelta = xMajor ? by - ay : bx - ax;
  const long long majorLength = std::llabs(majorDelta), minorLength = std::llabs(minorDelta);
  const int majorDir = majorDelta < 0 ? -1 : 1, minorDir = minorDelta < 0 ? -1 : 1;
  const long long majorSize = xMajor ? width_ : height_, minorSize = xMajor ? height_ : width_;
  const auto [first, last] = StepsInside(majorStart, majorDir, majorLength, majorSize);
  if (first > last) return;
  if (majorLength == 0) {
    SetPixel(x1, y1, c);
    return;
  }
  // Minor offset = quotient of (2 i minorLength + majorLength) / (2 majorLength). Only the
  // first step needs the wide product; after that quotient and remainder are stepped.
  const long long divisor = 2 * majorLength;
  const Wide numerator = Wide{2} * first * minorLength + majorLength;
  long long offset = static_cast<long long>(numerator / divisor);
  long long remainder = static_cast<long long>(numerator % divisor);
  c &= 0xFFFFFF;
  for (long long i = first; i <= last; ++i) {
    const long long major = majorStart + majorDir * i;
    const long long minor = minorStart + minorDir * offset;
    if (minor >= 0 && minor < minorSize) {
      const long long x = xMajor ? major : minor, y = xMajor ? minor : major;
      pixels_[static_cast<std::size_t>(y * width_ + x)] = c;
    }
    remainder += 2 * minorLength;
    if (remainder >= divisor) remainder -= divisor, ++offset;
  }
  Record(ClipTo(std::min(ax, bx), std::min(ay, by), std::max(ax, bx) + 1, std::max(ay, by) + 1,
                width_, height_));
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
  c &= 0xFFFFFF;
  std::uint32_t* const pixels = pixels_.data();
  const long long stride = width_;  // a local: the pixel stores might be width_ itself
  if (cx >= r && cy >= r && cx < width_ - r && cy < height_ - r) {
    // Wholly inside (the usual case, the bomb's ring): the eight mirror images of each
    // octant point are written without a test.
    std::uint32_t* const centre = pixels + Offset(cx, cy, width_);
    WalkOctant(r, 0, r, [centre, stride, c](long long t, long long x) {
      std::uint32_t* const rowsT[] = {centre + t * stride, centre - t * stride};
      std::uint32_t* const rowsX[] = {centre + x * stride, centre - x * stride};
      for (std::uint32_t* row : rowsT) row[x] = row[-x] = c;
      for (std::uint32_t* row : rowsX) row[t] = row[-t] = c;
    });
    Record({cx - r, cy - r, cx + r + 1, cy + r + 1});
    return;
  }
  // An offset t puts points t away from the centre on one axis, so only the offsets that
  // reach a row or a column of the surface are visited: a huge circle costs what a small
  // one does. The points (x1, y) and (x2, y), those of them inside the surface. A negative
  // coordinate turns into a huge unsigned one, so one comparison tests both ends of a range.
  const auto rowCount = static_cast<unsigned long long>(height_);
  const auto columnCount = static_cast<unsigned long long>(width_);
  const auto plotPair = [=](long long y, long long x1, long long x2) {
    if (static_cast<unsigned long long>(y) >= rowCount) return;
    std::uint32_t* row = pixels + y * stride;
    if (static_cast<unsigned long long>(x1) < columnCount) row[x1] = c;
    if (static_cast<unsigned long long>(x2) < columnCount) row[x2] = c;
  };
  const auto plotOffsets = [=](long long from, long long to) {
    WalkOctant(r, from, to, [=](long long t, long long x) {
      plotPair(cy - t, cx - x, cx + x);
      plotPair(cy + t, cx - x, cx + x);
      plotPair(cy - x, cx - t, cx + t);
      plotPair(cy + x, cx - t, cx + t);
    });
  };
  const auto rows = OffsetsReaching(cy, height_), columns = OffsetsReaching(cx, width_);
  plotOffsets(rows.first, rows.second);
  plotOffsets(std::max(columns.first, rows.second + 1), columns.second);
  plotOffsets(columns.first, std::min(columns.second, rows.first - 1));
  Record(ClipTo(static_cast<long long>(cx) - r, static_cast<long long>(cy) - r,
                static_cast<long long>(cx) + r + 1, static_cast<long long>(cy) + r + 1, width_,
                height_));
}

void Surface::Touch(const PixelRect& changed) {
  Record(ClipTo(changed.left, changed.top, changed.right, changed.bottom, width_, height_));
}

void Surface::Record(const PixelRect& inside) {
  ++version_;
  if (!inside.Empty() && inside.left < watched_.right && watched_.left < inside.right &&
      inside.top < watched_.bottom && watched_.top < inside.bottom)
    ++watchedChanges_;
  dirty_.Add(inside);
}

int Surface::DrawText(int x, int y, std::string_view utf8, const Font& font, Color c) {
  return font.Render(*this, x, y, utf8, c);
}

}  // namespace host
