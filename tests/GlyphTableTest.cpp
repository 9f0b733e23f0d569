// The glyph table built into the program: it must draw exactly what the font engine draws,
// refuse a damaged copy, and hold every face the windows use, so that a run through them
// never loads the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/script/Runner.h"
#include "host/text/FreeTypeFace.h"
#include "host/text/GlyphTable.h"

extern "C" const unsigned char skirmora_glyph_table_begin[], skirmora_glyph_table_end[];

namespace {

using host::GlyphTable;

std::span<const std::uint8_t> BuiltIn() {
  return {skirmora_glyph_table_begin, skirmora_glyph_table_end};
}

TEST(GlyphTable, HoldsWhatTheFontEngineDrawsForEveryFaceAndCharacter) {
  const auto table = GlyphTable::Read(BuiltIn());
  ASSERT_TRUE(table);
  ASSERT_FALSE(table->Faces().empty());
  std::vector<char32_t> characters;
  for (char32_t cp = 0; cp < 0x100; ++cp) characters.push_back(cp);
  characters.push_back(0xFFFD);
  for (const GlyphTable::Face& face : table->Faces()) {
    const auto engine = host::FreeTypeFace::Open(face.key);
    ASSERT_TRUE(engine);
    const std::string name = std::to_string(face.key.pixels) + (face.key.bold ? " bold" : "") +
                             (face.key.italic ? " italic" : "");
    EXPECT_EQ(face.ascent, engine->Ascent()) << name;
    EXPECT_EQ(face.descent, engine->Descent()) << name;
    for (const char32_t cp : characters) {
      const auto built = table->Find(face, cp);
      ASSERT_TRUE(built) << name << " U+" << std::hex << static_cast<unsigned>(cp);
      const host::RenderedGlyph drawn = engine->Render(cp);
      const host::Glyph& g = drawn.glyph;
      EXPECT_EQ(std::vector<int>({built->left, built->top, built->width, built->rows,
                                  built->advance, built->own}),
                std::vector<int>({g.left, g.top, g.width, g.rows, g.advance, g.own}))
          << name << " U+" << std::hex << static_cast<unsigned>(cp);
      EXPECT_TRUE(std::equal(built->coverage.begin(), built->coverage.end(), drawn.pixels.begin(),
                             drawn.pixels.end()))
          << name << " U+" << std::hex << static_cast<unsigned>(cp);
    }
    EXPECT_FALSE(table->Find(face, 0x100));
  }
  EXPECT_FALSE(table->Find({false, true, 16}));
}

TEST(GlyphTable, WhatIsWrittenReadsBackWithRepeatedCoverageKeptOnce) {
  const auto glyph = [](int left, int top, int width, int rows, int advance, bool own,
                        std::vector<unsigned char> pixels) {
    return host::RenderedGlyph{{left, top, width, rows, advance, own, {}}, std::move(pixels)};
  };
  const std::vector<unsigned char> box = {9, 8, 7, 6, 5, 4};
  host::TableFace face{{true, false, 20}, 18, 4, {}};
  face.glyphs.emplace_back(U' ', glyph(0, 0, 0, 0, 5, true, {}));
  face.glyphs.emplace_back(U'A', glyph(-1, 15, 3, 2, 12, true, box));
  face.glyphs.emplace_back(0x416, glyph(2, -3, 2, 3, -7, false, box));
  const std::vector<std::uint8_t> bytes = host::WriteGlyphTable({face});
  EXPECT_EQ(bytes.size(), 12 + 16 + 3 * 20 + box.size()) << "the box is stored once";
  const auto table = GlyphTable::Read(bytes);
  ASSERT_TRUE(table);
  ASSERT_EQ(table->Faces().size(), 1U);
  const GlyphTable::Face* read = table->Find({true, false, 20});
  ASSERT_TRUE(read);
  EXPECT_EQ(std::vector<int>({read->ascent, read->descent}), std::vector<int>({18, 4}));
  for (const auto& [cp, written] : face.glyphs) {
    const auto g = table->Find(*read, cp);
    ASSERT_TRUE(g);
    const host::Glyph& w = written.glyph;
    EXPECT_EQ(std::vector<int>({g->left, g->top, g->width, g->rows, g->advance, g->own}),
              std::vector<int>({w.left, w.top, w.width, w.rows, w.advance, w.own}));
    EXPECT_TRUE(std::ranges::equal(g->coverage, written.pixels));
  }
  EXPECT_FALSE(table->Find(*read, U'B'));
  EXPECT_FALSE(table->Find({true, true, 20}));
}

TEST(GlyphTable, ADamagedCopyIsRefused) {
  const std::vector<std::uint8_t> good(BuiltIn().begin(), BuiltIn().end());
  ASSERT_TRUE(GlyphTable::Read(good));
  // Cut in the header, in the faces, in the glyph records and in the last glyph's coverage.
  for (const std::size_t size : {0UL, 11UL, 12UL + 5, 200UL, 3000UL, good.size() - 1})
    EXPECT_FALSE(GlyphTable::Read(std::span(good).first(size))) << "cut to " << size;
  std::vector<std::uint8_t> bad = good;
  bad[0] = 'X';
  EXPECT_FALSE(GlyphTable::Read(bad)) << "another file";
  // The first face's first glyph record says U+00FF: its characters are out of order.
  bad = good;
  const std::size_t firstRecord = good[24] | good[25] << 8 | good[26] << 16 | good[27] << 24;
  bad[firstRecord] = 0xFF;
  EXPECT_FALSE(GlyphTable::Read(bad)) << "out of order";
}

// A first start's dialogs, the menu, the information and instructions windows, a game, the
// question on leaving it, the initials window with initials typed, and the quit.
constexpr const char* kEveryWindow = R"(program /nowhere/skirmora
cd absent
answer keep-open
answer OK
answer keep-open
start
press ENTER
press N
menu 3
menu 2
menu 1
click 150 275
menu 3
menu 1
press F2
set Score 1500
answer keep-open
press ESC
press ENTER
type Zoë
dump front
press ENTER
quit-request
)";

// Runs the scenario and exits: status 1 when the font engine was loaded; what the runner
// printed goes to standard error.
[[noreturn]] void RunAndExit(const std::string& scenario) {
  std::istringstream in(scenario);
  std::ostringstream out;
  script::Runner runner(in, out, "/nowhere", "skirmora", script::Accept::AllCommands);
  runner.Run();
  std::fputs(out.str().c_str(), stderr);
  std::exit(host::FreeTypeFace::EngineLoaded() ? 1 : 0);
}

TEST(GlyphTable, TheWindowsNeverLoadTheFontEngine) {
  // In a process of its own: another test may have loaded the engine in this one.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(RunAndExit(kEveryWindow), testing::ExitedWithCode(0), "InitialsForm");
}

TEST(GlyphTable, WithoutTheFontEngineACharacterOutsideTheTableIsRefused) {
  // A damaged libfreetype.so.6 found first: the engine cannot start.
  TempFolder folder;
  std::ofstream(folder / "libfreetype.so.6") << "not a library";
  ASSERT_EQ(setenv("LD_LIBRARY_PATH", folder.Path().c_str(), 1), 0);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::string scenario = kEveryWindow;
  scenario.insert(scenario.find("Zoë"), "\xD0\x96");  // a Cyrillic Zhe first
  scenario.insert(scenario.find("quit-request"), "dump Initials\n");
  EXPECT_EXIT(RunAndExit(scenario), testing::ExitedWithCode(0),
              "could not be started.*show as boxes.*\"Initials\":\"ZO");
  unsetenv("LD_LIBRARY_PATH");
}

}  // namespace
