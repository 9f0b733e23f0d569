#include "host/Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <unordered_map>
#include <vector>

#include "host/Surface.h"
#include "host/text/Utf8.h"

extern "C" {
extern const unsigned char skirmora_font_regular_begin[], skirmora_font_regular_end[];
extern const unsigned char skirmora_font_bold_begin[], skirmora_font_bold_end[];
extern const unsigned char skirmora_font_italic_begin[], skirmora_font_italic_end[];
extern const unsigned char skirmora_font_bolditalic_begin[], skirmora_font_bolditalic_end[];
}

namespace host {
namespace {

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) {
      std::fputs("skirmora: the font engine could not be started\n", stderr);
      std::abort();
    }
    return lib;
  }();
  return library;
}

std::span<const unsigned char> FaceData(bool bold, bool italic) {
  if (bold && italic) return {skirmora_font_bolditalic_begin, skirmora_font_bolditalic_end};
  if (bold) return {skirmora_font_bold_begin, skirmora_font_bold_end};
  if (italic) return {skirmora_font_italic_begin, skirmora_font_italic_end};
  return {skirmora_font_regular_begin, skirmora_font_regular_end};
}

struct Glyph {
  int left = 0, top = 0, width = 0, rows = 0, advance = 0;
  std::vector<unsigned char> coverage;
};

}  // namespace

struct Font::Face {
  FT_Face face = nullptr;
  std::unordered_map<char32_t, Glyph> glyphs;
  int underlineOffset = 1;
  int underlineThickness = 1;

  ~Face() {
    if (face) FT_Done_Face(face);
  }

  const Glyph& Get(char32_t cp) {
    auto it = glyphs.find(cp);
    if (it != glyphs.end()) return it->second;
    Glyph g;
    FT_UInt index = FT_Get_Char_Index(face, cp);
    if (index == 0 && cp != ' ') index = FT_Get_Char_Index(face, 0xFFFD);
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) == 0) {
      const FT_GlyphSlot slot = face->glyph;
      const FT_Bitmap& bm = slot->bitmap;
      g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
      // Light hinting renders 8-bit coverage; any other bitmap form is left undrawn.
      if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(bm.width);
        g.rows = static_cast<int>(bm.rows);
        g.coverage.resize(static_cast<std::size_t>(g.width) * g.rows);
        for (int y = 0; y < g.rows; ++y)
          for (int x = 0; x < g.width; ++x)
            g.coverage[static_cast<std::size_t>(y) * g.width + x] = bm.buffer[y * bm.pitch + x];
      }
    }
    return glyphs.emplace(cp, std::move(g)).first->second;
  }
};

const Font& Font::Get(const FontSpec& spec) {
  static std::vector<std::unique_ptr<Font>> fonts;
  for (const auto& f : fonts)
    if (f->spec_ == spec) return *f;
  fonts.push_back(std::unique_ptr<Font>(new Font(spec)));
  return *fonts.back();
}

Font::Font(const FontSpec& spec) : spec_(spec), face_(std::make_unique<Face>()) {
  auto data = FaceData(spec.bold, spec.italic);
  if (FT_New_Memory_Face(Library(), data.data(), static_cast<FT_Long>(data.size()), 0,
                         &face_->face) != 0) {
    std::fputs("skirmora: a built-in font could not be read\n", stderr);
    std::abort();
  }
  // Windows turns a point size into a whole pixel height at 96 dpi.
  const int pixels = std::max(1, static_cast<int>(std::lround(spec.points * 96.0 / 72.0)));
  FT_Set_Pixel_Sizes(face_->face, 0, static_cast<FT_UInt>(pixels));
  const double upem = face_->face->units_per_EM;
  double winAscent = face_->face->ascender, winDescent = -face_->face->descender;
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_->face, FT_SFNT_OS2))) {
    winAscent = os2->usWinAscent;
    winDescent = os2->usWinDescent;
  }
  const int height = static_cast<int>(std::lround((winAscent + winDescent) * pixels / upem));
  ascent_ = static_cast<int>(std::ceil(winAscent * pixels / upem));
  descent_ = height - ascent_;
  face_->underlineThickness = std::max(1, pixels / 14);
  face_->underlineOffset = std::max(1, pixels / 10);
}

Font::~Font() = default;

bool Font::HasGlyph(char32_t cp) const {
  return FT_Get_Char_Index(face_->face, cp) != 0;
}

int Font::TextWidth(std::string_view utf8) const {
  int width = 0;
  for (std::size_t at = 0; at < utf8.size();) width += face_->Get(NextCodePoint(utf8, at)).advance;
  return width;
}

int Font::Render(Surface& target, int x, int y, std::string_view utf8, Color color) const {
  // Pen positions in 64 bits: text placed near the ends of the int range must not overflow.
  const long long startX = x;
  const long long baseline = static_cast<long long>(y) + ascent_;
  const long long tw = target.Width(), th = target.Height();
  std::uint32_t* pixels = target.Pixels();
  const int cr = RedOf(color), cg = GreenOf(color), cb = BlueOf(color);
  long long penX = startX;
  // The box of every glyph drawn, for the surface's record of what changed.
  long long boxLeft = LLONG_MAX, boxTop = LLONG_MAX, boxRight = LLONG_MIN, boxBottom = LLONG_MIN;
  for (std::size_t at = 0; at < utf8.size();) {
    const Glyph& g = face_->Get(NextCodePoint(utf8, at));
    const long long gx = penX + g.left, gy = baseline - g.top;
    if (g.width > 0 && g.rows > 0) {
      boxLeft = std::min(boxLeft, gx), boxTop = std::min(boxTop, gy);
      boxRight = std::max(boxRight, gx + g.width), boxBottom = std::max(boxBottom, gy + g.rows);
    }
    for (int row = 0; row < g.rows; ++row) {
      const long long py = gy + row;
      if (py < 0 || py >= th) continue;
      for (int col = 0; col < g.width; ++col) {
        const long long px = gx + col;
        if (px < 0 || px >= tw) continue;
        const int a = g.coverage[static_cast<std::size_t>(row) * g.width + col];
        if (a == 0) continue;
        std::uint32_t& d = pixels[static_cast<std::size_t>(py * tw + px)];
        const int dr = RedOf(d), dg = GreenOf(d), db = BlueOf(d);
        d = Rgb(dr + (cr - dr) * a / 255, dg + (cg - dg) * a / 255, db + (cb - db) * a / 255);
      }
    }
    penX += g.advance;
  }
  const long long top = baseline + face_->underlineOffset;
  const long long bottom = top + face_->underlineThickness - 1;
  if (spec_.underline && penX > startX && top < th && bottom >= 0 && startX < tw && penX > 0) {
    // Both rectangles are cut to the surface first so that FillRect gets ints.
    target.FillRect(static_cast<int>(std::max(startX, -1LL)), static_cast<int>(top),
                    static_cast<int>(std::min(penX - 1, tw)), static_cast<int>(bottom), color);
  }
  if (boxLeft < boxRight) {
    const auto clamp = [](long long v) {
      return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
    };
    target.Touch({clamp(boxLeft), clamp(boxTop), clamp(boxRight), clamp(boxBottom)});
  }
  return static_cast<int>(std::clamp<long long>(penX, INT_MIN, INT_MAX));
}

}  // namespace host
