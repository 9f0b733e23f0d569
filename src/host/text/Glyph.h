#pragma once
#include <span>
#include <vector>

namespace host {

// One character's picture: `rows` rows of `width` bytes of 8-bit coverage, placed `left`
// pixels right of the pen and `top` pixels above the baseline; the pen then moves on by
// `advance`. `own` says whether the face has the character (false: its replacement box).
struct Glyph {
  int left = 0, top = 0, width = 0, rows = 0, advance = 0;
  bool own = false;
  std::span<const unsigned char> coverage;
};

// A glyph as the font engine renders it: its coverage is in `pixels`.
struct RenderedGlyph {
  Glyph glyph;
  std::vector<unsigned char> pixels;
};

// A face of the program's typeface: its style and its height in whole pixels.
struct FaceKey {
  bool bold = false;
  bool italic = false;
  int pixels = 16;

  bool operator==(const FaceKey&) const = default;
};

}  // namespace host
