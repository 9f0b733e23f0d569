#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "host/Color.h"

namespace host {

class Surface;

// A TrueType face at a point size, rendered at 96 dpi (12 pt = 16 px).
// "Arial" is served by Liberation Sans (metric-compatible), embedded in the program.
struct FontSpec {
  std::string face = "Arial";
  double points = 12;
  bool bold = false;
  bool italic = false;
  bool underline = false;

  bool operator==(const FontSpec&) const = default;
};

class Font {
 public:
  // Fonts are shared and live for the whole run; this returns the cached instance.
  static const Font& Get(const FontSpec& spec);

  const FontSpec& Spec() const { return spec_; }
  int Ascent() const { return ascent_; }
  int Descent() const { return descent_; }
  // Height of one text line: what a line break moves the print position down by.
  int Height() const { return ascent_ + descent_; }
  // Whether the face has a glyph of its own for the character (not the replacement box).
  bool HasGlyph(char32_t cp) const;
  // Advance width of the text in pixels.
  int TextWidth(std::string_view utf8) const;
  // Draws the text with its top-left corner at (x, y), clipped to the surface, and
  // returns the x just past it. Only the glyphs' own pixels change.
  int Render(Surface& target, int x, int y, std::string_view utf8, Color color) const;

  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

 private:
  explicit Font(const FontSpec& spec);
  struct Face;
  FontSpec spec_;
  int ascent_ = 0;
  int descent_ = 0;
  std::unique_ptr<Face> face_;
};

}  // namespace host
