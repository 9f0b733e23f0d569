#include "host/Font.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unordered_map>

#include "host/Surface.h"
#include "host/text/FreeTypeFace.h"
#include "host/text/GlyphTable.h"
#include "host/text/Utf8.h"

extern "C" {
extern const unsigned char skirmora_glyph_table_begin[], skirmora_glyph_table_end[];
}

namespace host {
namespace {

const GlyphTable& BuiltInGlyphs() {
  static const GlyphTable table = [] {
    auto read = GlyphTable::Read({skirmora_glyph_table_begin, skirmora_glyph_table_end});
    if (!read) {
      // The table is part of the program file; a damaged one means a broken build.
      std::fputs("skirmora: the program's built-in glyphs are damaged; rebuild the program\n",
                 stderr);
      std::abort();
    }
    return *read;
  }();
  return table;
}

}  // namespace

// A face's glyphs come from the built-in table where it has them, and from FreeType, opened
// on the first one it lacks, for the rest.
struct Font::Face {
  FaceKey key;
  const GlyphTable::Face* built = nullptr;
  std::unique_ptr<FreeTypeFace> engine;
  bool engineTried = false;
  // The table's glyphs point into it; the engine's into their own pixels.
  std::unordered_map<char32_t, RenderedGlyph> glyphs;
  int underlineOffset = 1;
  int underlineThickness = 1;

  const FreeTypeFace* Engine() {
    if (!engineTried) {
      engineTried = true;
      engine = FreeTypeFace::Open(key);
    }
    return engine.get();
  }

  const Glyph& Get(char32_t cp) {
    auto it = glyphs.find(cp);
    if (it == glyphs.end()) {
      it = glyphs.emplace(cp, Make(cp)).first;
      if (!it->second.pixels.empty()) it->second.glyph.coverage = it->second.pixels;
    }
    return it->second.glyph;
  }

 private:
  RenderedGlyph Make(char32_t cp) {
    if (built) {
      if (auto g = BuiltInGlyphs().Find(*built, cp)) return {*g, {}};
    }
    if (const FreeTypeFace* e = Engine()) return e->Render(cp);
    // No engine: the table's replacement box stands in for what it lacks.
    std::optional<Glyph> box = built ? BuiltInGlyphs().Find(*built, 0xFFFD) : std::nullopt;
    if (!box) return {};
    box->own = false;
    return {*box, {}};
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
  // Windows turns a point size into a whole pixel height at 96 dpi.
  const int pixels = std::max(1, static_cast<int>(std::lround(spec.points * 96.0 / 72.0)));
  face_->key = {spec.bold, spec.italic, pixels};
  face_->built = BuiltInGlyphs().Find(face_->key);
  if (face_->built) {
    ascent_ = face_->built->ascent;
    descent_ = face_->built->descent;
  } else if (const FreeTypeFace* engine = face_->Engine()) {
    ascent_ = engine->Ascent();
    descent_ = engine->Descent();
  } else {
    std::fputs("skirmora: a text's font is not built in and the font engine is missing\n", stderr);
    std::abort();
  }
  face_->underlineThickness = std::max(1, pixels / 14);
  face_->underlineOffset = std::max(1, pixels / 10);
}

Font::~Font() = default;

bool Font::HasGlyph(char32_t cp) const {
  return face_->Get(cp).own;
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
  const Color ink = Rgb(cr, cg, cb);
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
    // The glyph's rows and columns that lie on the surface.
    const long long firstRow = std::max(0LL, -gy), endRow = std::min<long long>(g.rows, th - gy);
    const long long firstCol = std::max(0LL, -gx), endCol = std::min<long long>(g.width, tw - gx);
    for (long long row = firstRow; row < endRow; ++row) {
      const unsigned char* coverage = g.coverage.data() + row * g.width;
      std::uint32_t* line = pixels + (gy + row) * tw + gx;
      for (long long col = firstCol; col < endCol; ++col) {
        const int a = coverage[col];
        if (a == 0) continue;
        std::uint32_t& d = line[col];
        if (a == 255) {
          d = ink;
          continue;
        }
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
