#pragma once
// A drawing board for the generated artwork. Shapes are filled at several samples per pixel
// and averaged down, so edges come out smooth against the black every sprite sits on.
#include <functional>
#include <initializer_list>
#include <vector>

#include "host/Surface.h"

namespace art {

struct Point {
  double x = 0;
  double y = 0;
};

// Gives the colour of one sample at (x, y), knowing the colour already there (so a paint can
// blend, shade by position or leave the sample alone).
using Paint = std::function<host::Color(double x, double y, host::Color under)>;

host::Color Mix(host::Color a, host::Color b, double t);  // t = 0 gives a, 1 gives b
host::Color Scale(host::Color c, double factor);          // brighter or darker, clamped

Paint Solid(host::Color c);
Paint Blend(host::Color c, double alpha);
// Colour from `c0` at `p0` to `c1` at `p1`, constant across the line between them.
Paint Linear(Point p0, host::Color c0, Point p1, host::Color c1);
// Colour from `inner` at the centre to `outer` at `radius` and beyond.
Paint Radial(Point centre, double radius, host::Color inner, host::Color outer);

class Canvas {
 public:
  Canvas(int width, int height, host::Color background = host::kBlack, int samples = 4);

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Even-odd filled polygon in pixel coordinates (pixel (i, j) covers [i, i+1) x [j, j+1)).
  void Polygon(const std::vector<Point>& points, const Paint& paint);
  void Polygon(std::initializer_list<Point> points, host::Color c);
  void Ellipse(double cx, double cy, double rx, double ry, const Paint& paint);
  void Ellipse(double cx, double cy, double rx, double ry, host::Color c);
  // Ring between the ellipse of radii (rx, ry) and the one `width` inside it.
  void Ring(double cx, double cy, double rx, double ry, double width, const Paint& paint);
  void Rect(double x1, double y1, double x2, double y2, const Paint& paint);
  void Rect(double x1, double y1, double x2, double y2, host::Color c);
  // A straight stroke of the given width with square ends.
  void Stroke(Point a, Point b, double width, host::Color c);
  // Every sample of the board through `paint`.
  void Fill(const Paint& paint);

  // Averages the samples down to pixels.
  host::Surface Resolve() const;

 private:
  template <typename Inside>
  void Shade(double x1, double y1, double x2, double y2, const Paint& paint, Inside inside);

  int width_, height_, samples_;
  std::vector<host::Color> board_;  // (width x samples) by (height x samples)
};

// Sets every pixel darker than `threshold` in all three channels to pure black, so that faint
// fringes do not count as part of a figure.
void ClearFringe(host::Surface& image, int threshold);

// Left-right mirror of the w x h block at (x, y) of `src`, written to (dx, dy) of `dst`.
void MirrorInto(host::Surface& dst, int dx, int dy, const host::Surface& src, int x, int y, int w,
                int h);

}  // namespace art
