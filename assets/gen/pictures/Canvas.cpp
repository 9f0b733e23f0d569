#include "pictures/Canvas.h"

#include <algorithm>
#include <cmath>

namespace art {

using host::Color;

Color Mix(Color a, Color b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto channel = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return host::Rgb(channel(host::RedOf(a), host::RedOf(b)),
                   channel(host::GreenOf(a), host::GreenOf(b)),
                   channel(host::BlueOf(a), host::BlueOf(b)));
}

Color Scale(Color c, double factor) {
  auto channel = [factor](int x) {
    return std::clamp(static_cast<int>(std::lround(x * factor)), 0, 255);
  };
  return host::Rgb(channel(host::RedOf(c)), channel(host::GreenOf(c)), channel(host::BlueOf(c)));
}

Paint Solid(Color c) {
  return [c](double, double, Color) { return c; };
}

Paint Blend(Color c, double alpha) {
  return [c, alpha](double, double, Color under) { return Mix(under, c, alpha); };
}

Paint Linear(Point p0, Color c0, Point p1, Color c1) {
  const double dx = p1.x - p0.x, dy = p1.y - p0.y;
  const double length2 = std::max(dx * dx + dy * dy, 1e-9);
  return [=](double x, double y, Color) {
    return Mix(c0, c1, ((x - p0.x) * dx + (y - p0.y) * dy) / length2);
  };
}

Paint Radial(Point centre, double radius, Color inner, Color outer) {
  return [=](double x, double y, Color) {
    return Mix(inner, outer, std::hypot(x - centre.x, y - centre.y) / radius);
  };
}

Canvas::Canvas(int width, int height, Color background, int samples)
    : width_(width),
      height_(height),
      samples_(samples),
      board_(static_cast<std::size_t>(width) * samples * height * samples, background) {}

template <typename Inside>
void Canvas::Shade(double x1, double y1, double x2, double y2, const Paint& paint, Inside inside) {
  const int bw = width_ * samples_, bh = height_ * samples_;
  const int sx1 = std::max(0, static_cast<int>(std::floor(x1 * samples_)));
  const int sy1 = std::max(0, static_cast<int>(std::floor(y1 * samples_)));
  const int sx2 = std::min(bw - 1, static_cast<int>(std::ceil(x2 * samples_)));
  const int sy2 = std::min(bh - 1, static_cast<int>(std::ceil(y2 * samples_)));
  for (int sy = sy1; sy <= sy2; ++sy) {
    const double y = (sy + 0.5) / samples_;
    for (int sx = sx1; sx <= sx2; ++sx) {
      const double x = (sx + 0.5) / samples_;
      if (!inside(x, y)) continue;
      Color& sample = board_[static_cast<std::size_t>(sy) * bw + sx];
      sample = paint(x, y, sample);
    }
  }
}

void Canvas::Polygon(const std::vector<Point>& points, const Paint& paint) {
  if (points.size() < 3) return;
  double x1 = points[0].x, x2 = x1, y1 = points[0].y, y2 = y1;
  for (const Point& p : points) {
    x1 = std::min(x1, p.x), x2 = std::max(x2, p.x);
    y1 = std::min(y1, p.y), y2 = std::max(y2, p.y);
  }
  Shade(x1, y1, x2, y2, paint, [&points](double x, double y) {
    // Even-odd rule: count the edges a ray to the right crosses.
    bool in = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const Point& a = points[i];
      const Point& b = points[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
  });
}

void Canvas::Polygon(std::initializer_list<Point> points, Color c) {
  Polygon(std::vector<Point>(points), Solid(c));
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry, const Paint& paint) {
  Shade(cx - rx, cy - ry, cx + rx, cy + ry, paint, [=](double x, double y) {
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
  });
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry, Color c) {
  Ellipse(cx, cy, rx, ry, Solid(c));
}

void Canvas::Ring(double cx, double cy, double rx, double ry, double width, const Paint& paint) {
  const double irx = rx - width, iry = ry - width;
  Shade(cx - rx, cy - ry, cx + rx, cy + ry, paint, [=](double x, double y) {
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    const double iu = (x - cx) / irx, iv = (y - cy) / iry;
    return u * u + v * v <= 1.0 && iu * iu + iv * iv > 1.0;
  });
}

void Canvas::Rect(double x1, double y1, double x2, double y2, const Paint& paint) {
  Shade(x1, y1, x2, y2, paint,
        [=](double x, double y) { return x >= x1 && x < x2 && y >= y1 && y < y2; });
}

void Canvas::Rect(double x1, double y1, double x2, double y2, Color c) {
  Rect(x1, y1, x2, y2, Solid(c));
}

void Canvas::Stroke(Point a, Point b, double width, Color c) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = std::max(std::hypot(dx, dy), 1e-9);
  const double nx = -dy / length * width / 2, ny = dx / length * width / 2;
  const double ex = dx / length * width / 2, ey = dy / length * width / 2;
  Polygon({{a.x + nx - ex, a.y + ny - ey},
           {b.x + nx + ex, b.y + ny + ey},
           {b.x - nx + ex, b.y - ny + ey},
           {a.x - nx - ex, a.y - ny - ey}},
          c);
}

void Canvas::Fill(const Paint& paint) {
  Shade(0, 0, width_, height_, paint, [](double, double) { return true; });
}

host::Surface Canvas::Resolve() const {
  host::Surface out(width_, height_);
  const int bw = width_ * samples_;
  const int n = samples_ * samples_;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      int r = 0, g = 0, b = 0;
      for (int sy = 0; sy < samples_; ++sy) {
        for (int sx = 0; sx < samples_; ++sx) {
          const Color c =
              board_[static_cast<std::size_t>(y * samples_ + sy) * bw + x * samples_ + sx];
          r += host::RedOf(c), g += host::GreenOf(c), b += host::BlueOf(c);
        }
      }
      out.SetPixel(x, y, host::Rgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n));
    }
  }
  return out;
}

void ClearFringe(host::Surface& image, int threshold) {
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const Color c = image.GetPixel(x, y);
      if (host::RedOf(c) < threshold && host::GreenOf(c) < threshold && host::BlueOf(c) < threshold)
        image.SetPixel(x, y, host::kBlack);
    }
  }
}

void MirrorInto(host::Surface& dst, int dx, int dy, const host::Surface& src, int x, int y, int w,
                int h) {
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col)
      dst.SetPixel(dx + w - 1 - col, dy + row, src.GetPixel(x + col, y + row));
}

}  // namespace art
