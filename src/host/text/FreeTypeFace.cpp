#include "host/text/FreeTypeFace.h"

#include <dlfcn.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <span>

extern "C" {
extern const unsigned char skirmora_font_regular_begin[], skirmora_font_regular_end[];
extern const unsigned char skirmora_font_bold_begin[], skirmora_font_bold_end[];
extern const unsigned char skirmora_font_italic_begin[], skirmora_font_italic_end[];
extern const unsigned char skirmora_font_bolditalic_begin[], skirmora_font_bolditalic_end[];
}

namespace host {
namespace {

// The few FreeType calls the program makes, found in the library at run time.
struct Engine {
  FT_Library library = nullptr;
  decltype(&FT_New_Memory_Face) newMemoryFace = nullptr;
  decltype(&FT_Set_Pixel_Sizes) setPixelSizes = nullptr;
  decltype(&FT_Get_Sfnt_Table) getSfntTable = nullptr;
  decltype(&FT_Get_Char_Index) getCharIndex = nullptr;
  decltype(&FT_Load_Glyph) loadGlyph = nullptr;
  decltype(&FT_Done_Face) doneFace = nullptr;
};

template <typename Function>
bool Bind(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

bool libraryLoaded = false;

// The engine, loaded once; nothing when the library is missing or unusable.
const Engine* LoadedEngine() {
  static const Engine* engine = []() -> const Engine* {
    static Engine e;
    void* lib = dlopen("libfreetype.so.6", RTLD_NOW | RTLD_LOCAL);
    decltype(&FT_Init_FreeType) init = nullptr;
    const bool bound = lib != nullptr && Bind(lib, "FT_Init_FreeType", init) &&
                       Bind(lib, "FT_New_Memory_Face", e.newMemoryFace) &&
                       Bind(lib, "FT_Set_Pixel_Sizes", e.setPixelSizes) &&
                       Bind(lib, "FT_Get_Sfnt_Table", e.getSfntTable) &&
                       Bind(lib, "FT_Get_Char_Index", e.getCharIndex) &&
                       Bind(lib, "FT_Load_Glyph", e.loadGlyph) &&
                       Bind(lib, "FT_Done_Face", e.doneFace);
    libraryLoaded = lib != nullptr;
    if (!bound || init(&e.library) != 0) {
      std::fprintf(stderr,
                   "skirmora: the font engine (libfreetype.so.6) could not be started%s%s; "
                   "characters outside the built-in set show as boxes\n",
                   lib == nullptr ? ": " : "", lib == nullptr ? dlerror() : "");
      return nullptr;
    }
    return &e;
  }();
  return engine;
}

std::span<const unsigned char> FaceData(const FaceKey& key) {
  if (key.bold && key.italic) return {skirmora_font_bolditalic_begin, skirmora_font_bolditalic_end};
  if (key.bold) return {skirmora_font_bold_begin, skirmora_font_bold_end};
  if (key.italic) return {skirmora_font_italic_begin, skirmora_font_italic_end};
  return {skirmora_font_regular_begin, skirmora_font_regular_end};
}

}  // namespace

struct FreeTypeFace::Handle {
  const Engine& engine;
  FT_Face face = nullptr;

  ~Handle() {
    if (face) engine.doneFace(face);
  }
};

std::unique_ptr<FreeTypeFace> FreeTypeFace::Open(const FaceKey& key) {
  const Engine* engine = LoadedEngine();
  if (engine == nullptr) return nullptr;
  auto handle = std::unique_ptr<Handle>(new Handle{*engine});
  const auto data = FaceData(key);
  if (engine->newMemoryFace(engine->library, data.data(), static_cast<FT_Long>(data.size()), 0,
                            &handle->face) != 0) {
    std::fputs("skirmora: a built-in font could not be read\n", stderr);
    return nullptr;
  }
  engine->setPixelSizes(handle->face, 0, static_cast<FT_UInt>(key.pixels));
  return std::unique_ptr<FreeTypeFace>(new FreeTypeFace(std::move(handle), key.pixels));
}

bool FreeTypeFace::EngineLoaded() {
  return libraryLoaded;
}

FreeTypeFace::FreeTypeFace(std::unique_ptr<Handle> handle, int pixels)
    : handle_(std::move(handle)) {
  const FT_Face face = handle_->face;
  // Windows' line: the OS/2 table's ascent and descent, rounded as GDI rounds them.
  const double upem = face->units_per_EM;
  double winAscent = face->ascender, winDescent = -face->descender;
  if (auto* os2 = static_cast<TT_OS2*>(handle_->engine.getSfntTable(face, FT_SFNT_OS2))) {
    winAscent = os2->usWinAscent;
    winDescent = os2->usWinDescent;
  }
  const int height = static_cast<int>(std::lround((winAscent + winDescent) * pixels / upem));
  ascent_ = static_cast<int>(std::ceil(winAscent * pixels / upem));
  descent_ = height - ascent_;
}

FreeTypeFace::~FreeTypeFace() = default;

RenderedGlyph FreeTypeFace::Render(char32_t cp) const {
  const Engine& engine = handle_->engine;
  const FT_Face face = handle_->face;
  RenderedGlyph out;
  FT_UInt index = engine.getCharIndex(face, cp);
  out.glyph.own = index != 0;
  if (index == 0 && cp != ' ') index = engine.getCharIndex(face, 0xFFFD);
  if (engine.loadGlyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return out;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  Glyph& g = out.glyph;
  g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  // Light hinting renders 8-bit coverage; any other bitmap form is left undrawn.
  if (bm.pixel_mode != FT_PIXEL_MODE_GRAY) return out;
  g.left = slot->bitmap_left;
  g.top = slot->bitmap_top;
  g.width = static_cast<int>(bm.width);
  g.rows = static_cast<int>(bm.rows);
  out.pixels.resize(static_cast<std::size_t>(g.width) * g.rows);
  for (int y = 0; y < g.rows; ++y)
    std::copy_n(bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch, g.width,
                out.pixels.begin() + static_cast<std::ptrdiff_t>(y) * g.width);
  return out;
}

}  // namespace host
