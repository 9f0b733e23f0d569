#pragma once
#include <cstdint>
#include <initializer_list>

#include "pictures/Canvas.h"

namespace art {

// A small fixed-seed generator, so the same stars come out of every build.
class StarRandom {
 public:
  explicit StarRandom(std::uint32_t seed) : state_(seed ? seed : 1) {}
  // Uniform in [0, 1).
  double Next() {
    state_ ^= state_ << 13, state_ ^= state_ >> 17, state_ ^= state_ << 5;  // xorshift32
    return state_ / 4294967296.0;
  }

 private:
  std::uint32_t state_;
};

struct Area {
  double x1, y1, x2, y2;
  bool Contains(double x, double y) const { return x > x1 && x < x2 && y > y1 && y < y2; }
};

// Scatters `count` stars over the canvas, leaving the areas `keepClear` empty; a few of the
// brightest get a small cross of light.
void Starfield(Canvas& canvas, std::uint32_t seed, int count,
               std::initializer_list<Area> keepClear);

}  // namespace art
