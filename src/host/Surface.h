#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "host/Color.h"
#include "host/DirtyRegion.h"

namespace host {

class Font;

// The three raster operations the game uses on rectangle copies.
enum class RasterOp { Copy, And, Xor };

// Pen modes of filled rectangles: plain paint, or destination AND pen colour.
enum class PenMode { Copy, Mask };

// A sprite's pixels as runs along its rows, relative to its top-left corner, and the box
// around them, so that a sprite wholly inside a surface is drawn without clipping each run.
class PixelRuns {
 public:
  struct Run {
    int row = 0;
    int column = 0;
    int length = 0;
  };
  // Appends `length` pixels from (column, row) on.
  void Add(int row, int column, int length);
  const std::vector<Run>& Runs() const { return runs_; }
  const PixelRect& Box() const { return box_; }

  // Where each run starts, counted in pixels from the box's top-left corner in an image
  // `stride` pixels wide. A sprite is drawn from the same sheet onto the same surface frame
  // after frame, so the offsets are kept for the last few strides asked: those of two
  // strides asked one after the other stay valid together (drawing the same runs from two
  // threads at once is not safe).
  const std::vector<std::ptrdiff_t>& Offsets(std::ptrdiff_t stride) const {
    for (const StrideOffsets& kept : offsets_)
      if (kept.stride == stride) return kept.offsets;
    return MakeOffsets(stride);
  }

 private:
  struct StrideOffsets {
    std::ptrdiff_t stride = -1;  // none yet
    std::vector<std::ptrdiff_t> offsets;
  };

  // Works out the offsets for a stride not kept, in place of the oldest kept ones.
  const std::vector<std::ptrdiff_t>& MakeOffsets(std::ptrdiff_t stride) const;

  std::vector<Run> runs_;
  PixelRect box_;
  mutable std::array<StrideOffsets, 4> offsets_;
  mutable std::size_t oldest_ = 0;  // the kept offsets that make room next
};

// A W x H image of 32-bit pixels with the drawing operations of the game.
// Every operation clips against both the source and the destination, so nothing ever
// reads or writes outside a surface.
class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Color fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Reallocates to the new size, filled with `fill`; the old contents are lost.
  void Resize(int width, int height, Color fill = kBlack);
  void Clear(Color fill);

  // Outside the surface GetPixel answers black and SetPixel does nothing.
  Color GetPixel(int x, int y) const;
  void SetPixel(int x, int y, Color c);

  // Copies the w x h rectangle at (sx, sy) of `src` to (dx, dy) combined by `op`.
  // Source pixels outside `src` leave the destination unchanged.
  void Blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op = RasterOp::Copy);
  // The runs of a sprite placed at (x, y): painted in colour c, or copied from `src` where
  // the sprite's top-left corner is (sx, sy). The same as a FillRect or a one-row Blit for
  // each run (from a surface onto itself, the runs come from it as it was before).
  void FillRuns(int x, int y, const PixelRuns& runs, Color c);
  void BlitRuns(int x, int y, const Surface& src, int sx, int sy, const PixelRuns& runs);

  // Fills the rectangle with corners (x1, y1) and (x2, y2), both inclusive, in any order.
  void FillRect(int x1, int y1, int x2, int y2, Color c, PenMode mode = PenMode::Copy);

  // One-pixel line from (x1, y1) to (x2, y2), both ends drawn.
  void Line(int x1, int y1, int x2, int y2, Color c);
  // Outline of the rectangle with corners (x1, y1) and (x2, y2), inclusive.
  void Frame(int x1, int y1, int x2, int y2, Color c);
  // One-pixel circle of radius r around (cx, cy).
  void Circle(int cx, int cy, int r, Color c);

  // Draws UTF-8 text with its top-left corner at (x, y); the background stays as it is.
  // Returns the x just past the text.
  int DrawText(int x, int y, std::string_view utf8, const Font& font, Color c);

  const std::uint32_t* Pixels() const { return pixels_.data(); }
  std::uint32_t* Pixels() { return pixels_.data(); }

  // Grows on every change of the pixels.
  std::uint64_t Version() const { return version_; }
  // What changed since the last ClearDirty: every drawing operation records the part it
  // may have touched, so that a presenter scales and sends only that.
  const DirtyRegion& Dirty() const { return dirty_; }
  void ClearDirty() { dirty_.Clear(); }
  // Records a change made straight through Pixels(); the rectangle is clipped to the surface.
  void Touch(const PixelRect& changed);
  // Counts from now on the changes that reach `area` (one area per surface), so that whoever
  // keeps that part equal to a picture of its own can tell whether anything else drew there.
  void Watch(const PixelRect& area) { watched_ = area; }
  std::uint64_t WatchedChanges() const { return watchedChanges_; }

  bool operator==(const Surface& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
  }

 private:
  // The part of a rectangle copy inside both surfaces: where it lands, where it comes from.
  struct BlitArea {
    int dx, dy, sx, sy, cols, rows;
  };
  std::optional<BlitArea> ClipBlit(int dx, int dy, int w, int h, const Surface& src, int sx,
                                   int sy) const;
  void BlitWithin(const BlitArea& area, RasterOp op);
  // Touch for a rectangle already inside the surface.
  void Record(const PixelRect& inside);

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
  std::uint64_t version_ = 0;
  DirtyRegion dirty_;
  PixelRect watched_;
  std::uint64_t watchedChanges_ = 0;
};

}  // namespace host
