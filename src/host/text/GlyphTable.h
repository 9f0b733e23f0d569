#pragma once
// The glyph table: the glyphs of the faces the program's windows draw with, rendered at build
// time, so that drawing those texts needs no font engine at run time.
//
// Format, all numbers little-endian: "SKGLYPH1", a 32-bit count of faces, then for each face
// bold (8 bits), italic (8 bits), pixels (16), ascent (16), descent (16), a 32-bit count of
// glyphs and the 32-bit offset of its first glyph record; then every face's records, each
// face's sorted by character: character (32 bits), left, top (16, signed), width, rows (16),
// advance (16, signed), own (8), a zero byte and the 32-bit offset of its coverage; then the
// coverage. Offsets count from the start of the table.
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "host/text/Glyph.h"

namespace host {

struct TableFace {
  FaceKey key;
  int ascent = 0, descent = 0;
  std::vector<std::pair<char32_t, RenderedGlyph>> glyphs;  // in increasing order of character
};

std::vector<std::uint8_t> WriteGlyphTable(const std::vector<TableFace>& faces);

class GlyphTable {
 public:
  struct Face {
    FaceKey key;
    int ascent = 0, descent = 0;
    std::span<const std::uint8_t> records;
  };

  // A view of the table's bytes, checked through; nothing when it is damaged.
  static std::optional<GlyphTable> Read(std::span<const std::uint8_t> bytes);

  std::span<const Face> Faces() const { return faces_; }
  const Face* Find(const FaceKey& key) const;
  // The face's glyph for the character, pointing into the table; nothing when it has none.
  std::optional<Glyph> Find(const Face& face, char32_t cp) const;

 private:
  std::span<const std::uint8_t> bytes_;
  std::vector<Face> faces_;
};

}  // namespace host
