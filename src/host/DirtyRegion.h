#pragma once
#include <array>
#include <span>

namespace host {

// A rectangle of pixels: columns left..right-1, rows top..bottom-1. Empty when it has no
// columns or no rows.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Empty() const { return left >= right || top >= bottom; }
  bool Contains(int x, int y) const { return x >= left && y >= top && x < right && y < bottom; }
  long long Area() const {
    return Empty() ? 0 : static_cast<long long>(right - left) * (bottom - top);
  }
  bool operator==(const PixelRect&) const = default;
};

// The smallest rectangle holding both (an empty one adds nothing).
PixelRect Union(const PixelRect& a, const PixelRect& b);

// The part of a surface that changed since its presenter last looked: a few rectangles,
// merged as they come so that recording a change costs a handful of comparisons however
// much is drawn. It may cover more than what changed, never less.
class DirtyRegion {
 public:
  static constexpr int kMaxRects = 16;
  // Two rectangles are kept as one when their union wastes at most this many pixels: a
  // sprite erased and drawn again a few pixels on is better sent as one piece.
  static constexpr long long kMergeSlack = 2048;

  void Add(const PixelRect& rect) {
    // Most changes of a busy frame land inside the rectangle that the change before landed
    // in: that test is made here, where it costs no call.
    if (last_ < count_ && Holds(rects_[last_], rect)) return;
    AddElsewhere(rect);
  }
  void Clear() { count_ = 0; }
  bool Empty() const { return count_ == 0; }
  std::span<const PixelRect> Rects() const {
    return {rects_.data(), static_cast<std::size_t>(count_)};
  }

 private:
  static bool Holds(const PixelRect& kept, const PixelRect& rect) {
    return rect.left >= kept.left && rect.top >= kept.top && rect.right <= kept.right &&
           rect.bottom <= kept.bottom;
  }
  void AddElsewhere(const PixelRect& rect);
  void RemoveAt(int i) { rects_[i] = rects_[--count_]; }

  std::array<PixelRect, kMaxRects> rects_{};
  int count_ = 0;
  int last_ = 0;  // where the last change landed, looked at first (any kept one will do)
};

}  // namespace host
