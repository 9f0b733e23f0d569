// skirmora-glyphgen FILE
//   Renders the glyphs of every face the program's windows draw with and writes them as the
//   glyph table that the build embeds (the format is in src/host/text/GlyphTable.h).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/text/FreeTypeFace.h"
#include "host/text/GlyphTable.h"

namespace {

// Style and pixel height (points at 96 dpi, rounded) of every face a window uses: dialogs and
// buttons (9 pt), the menu's items and titles (18 pt, and 18 pt bold in message boxes), the
// game's status bar (12 pt), the instructions and the information window (8.25, 9.75, 12 and
// 18 pt), the version line (8.25 pt bold), the initials (48 pt). A face missing here still
// draws the same, through the font engine, at the cost of loading it.
constexpr host::FaceKey kFaces[] = {
    {false, false, 11}, {true, false, 11}, {false, false, 12}, {true, false, 12}, {true, true, 12},
    {true, true, 13},   {true, true, 16},  {true, false, 24},  {true, true, 24},  {true, true, 64},
};

// Every character below U+0100 (the windows' texts, any Latin-1 letter a player types) and
// the replacement character that stands for malformed text.
std::vector<char32_t> Characters() {
  std::vector<char32_t> all;
  for (char32_t cp = 0; cp < 0x100; ++cp) all.push_back(cp);
  all.push_back(0xFFFD);
  return all;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  std::vector<host::TableFace> faces;
  for (const host::FaceKey& key : kFaces) {
    const auto face = host::FreeTypeFace::Open(key);
    if (!face) return 1;
    host::TableFace& out = faces.emplace_back();
    out.key = key;
    out.ascent = face->Ascent();
    out.descent = face->Descent();
    for (const char32_t cp : Characters()) out.glyphs.emplace_back(cp, face->Render(cp));
  }
  const std::vector<std::uint8_t> table = host::WriteGlyphTable(faces);
  const std::string path = argv[1], tmp = path + ".tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  bool written = f != nullptr;
  if (f != nullptr) {
    written = std::fwrite(table.data(), 1, table.size(), f) == table.size();
    written = std::fclose(f) == 0 && written;
  }
  if (written && std::rename(tmp.c_str(), path.c_str()) == 0) return 0;
  std::fprintf(stderr, "skirmora-glyphgen: cannot write %s: %s\n", path.c_str(),
               std::strerror(errno));
  return 1;
}
