#include <algorithm>
#include <vector>

#include "pictures/Canvas.h"
#include "pictures/Pictures.h"

namespace art {

namespace {

// Colour along a strip whose stops are spread evenly from the left end to the right.
host::Color Along(const std::vector<host::Color>& stops, double t) {
  const double at = t * (static_cast<double>(stops.size()) - 1);
  const std::size_t i = std::min(static_cast<std::size_t>(at), stops.size() - 2);
  return Mix(stops[i], stops[i + 1], at - static_cast<double>(i));
}

void Strip(host::Surface& bar, int top, const std::vector<host::Color>& stops) {
  // A light top edge and a darker bottom give each strip a rounded, raised look.
  static constexpr double kShade[8] = {1.35, 1.15, 1.0, 1.0, 0.95, 0.88, 0.78, 0.6};
  for (int x = 0; x < bar.Width(); ++x) {
    const host::Color c = Along(stops, x / (bar.Width() - 1.0));
    for (int y = 0; y < 8; ++y) bar.SetPixel(x, top + y, Scale(c, kShade[y]));
  }
}

}  // namespace

host::Surface MakeBarPic() {
  host::Surface bar(200, 16);
  Strip(bar, 0,
        {host::Rgb(110, 0, 0), host::Rgb(220, 20, 20), host::Rgb(255, 140, 0),
         host::Rgb(240, 230, 0), host::Rgb(30, 210, 40)});
  Strip(bar, 8,
        {host::Rgb(120, 120, 130), host::Rgb(150, 60, 210), host::Rgb(40, 80, 240),
         host::Rgb(0, 230, 240)});
  return bar;
}

}  // namespace art
