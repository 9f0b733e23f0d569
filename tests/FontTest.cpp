#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "SurfaceTesting.h"
#include "host/Font.h"
#include "host/Surface.h"

namespace {

using host::Font;
using host::FontSpec;
using host::Rgb;
using host::Surface;
using testing_surfaces::Crop;
using testing_surfaces::Numbered;
using testing_surfaces::PixelsChanged;
using testing_surfaces::PixelsOf;

// The game screen's font and the menu's.
const Font& ScreenFont() {
  return Font::Get({"Arial", 12, true, true, false});
}
const Font& Regular(double points) {
  return Font::Get({"Arial", points});
}

constexpr host::Color kInk = Rgb(224, 224, 255);

// ---- metrics

TEST(FontMetrics, TwelvePointsMakeAnEighteenPixelLine) {
  // 12 pt at 96 dpi is a 16-pixel em; the line is the font's full ascent plus descent.
  EXPECT_EQ(Regular(12).Ascent(), 15);
  EXPECT_EQ(Regular(12).Descent(), 3);
  EXPECT_EQ(Regular(12).Height(), 18);
  EXPECT_EQ(ScreenFont().Height(), 18);
  EXPECT_EQ(Regular(18).Height(), 27);
  EXPECT_EQ(ScreenFont().TextWidth(""), 0);
  EXPECT_GT(Font::Get({"Arial", 12, true}).TextWidth("WAVE 3"), Regular(12).TextWidth("WAVE 3"));
}

// ---- rendering

TEST(FontRender, ReturnsTheAdvanceAndDrawsWithinIt) {
  const Font& font = ScreenFont();
  Surface s(300, 40);
  const int end = s.DrawText(10, 5, "Hit F3", font, kInk);
  EXPECT_EQ(end, 10 + font.TextWidth("Hit F3"));
  const auto ink = PixelsChanged(s, Surface(300, 40));
  ASSERT_FALSE(ink.empty());
  for (const auto& [x, y] : ink) {
    EXPECT_GE(y, 5);
    EXPECT_LT(y, 5 + font.Height());
    EXPECT_GE(x, 10 - 2) << "italic overhang is small";
    EXPECT_LT(x, end + 3);
  }
  EXPECT_FALSE(PixelsOf(s, kInk).empty()) << "the stems are drawn in the full colour";
}

TEST(FontRender, LeavesThePixelsAroundTheGlyphsAlone) {
  const Font& font = ScreenFont();
  Surface onBlack(120, 30);
  onBlack.DrawText(4, 4, "Game over.", font, host::kWhite);
  const auto glyphs = PixelsChanged(onBlack, Surface(120, 30));
  const Surface background = Numbered(120, 30, 200);
  Surface s = background;
  s.DrawText(4, 4, "Game over.", font, host::kWhite);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x)
      if (!glyphs.count({x, y})) {
        ASSERT_EQ(s.GetPixel(x, y), background.GetPixel(x, y)) << x << "," << y;
      }
  // Where the glyphs cover a pixel fully it takes the text colour, whatever was below.
  for (const auto& [x, y] : PixelsOf(onBlack, host::kWhite))
    EXPECT_EQ(s.GetPixel(x, y), host::kWhite) << x << "," << y;
}

TEST(FontRender, ClipsAtEveryEdgeToThePartOfTheWholeText) {
  const std::string text = "Zorbs Wg";
  for (const bool underline : {false, true}) {
    const Font& font = Font::Get({"Arial", 12, true, true, underline});
    // The text drawn whole on a large surface, with its corner at (100, 100).
    Surface whole(400, 240);
    whole.DrawText(100, 100, text, font, kInk);
    const int width = font.TextWidth(text);
    const int cornersX[] = {-width + 3, -20, 5, 40 - width / 2, 70};
    const int cornersY[] = {-font.Height() + 2, -7, 3, 30 - 8, 36};
    for (const int x : cornersX)
      for (const int y : cornersY) {
        Surface window(80, 40);
        EXPECT_EQ(window.DrawText(x, y, text, font, kInk), x + width);
        EXPECT_EQ(window, Crop(whole, 100 - x, 100 - y, 80, 40))
            << "at " << x << "," << y << (underline ? " underlined" : "");
      }
  }
}

TEST(FontRender, FarAwayTextDrawsNothingAndDoesNotOverflow) {
  const Font& font = ScreenFont();
  Surface s(50, 20);
  EXPECT_EQ(s.DrawText(5000, 0, "Score", font, kInk), 5000 + font.TextWidth("Score"));
  EXPECT_EQ(s.DrawText(INT_MAX - 3, INT_MAX, "Score", font, kInk), INT_MAX);
  s.DrawText(INT_MIN, INT_MIN, "Score", font, kInk);
  s.DrawText(0, INT_MIN, "Score", font, kInk);
  s.DrawText(0, 5000, "Score", font, kInk);
  EXPECT_EQ(s, Surface(50, 20));
  Surface empty;
  EXPECT_EQ(empty.DrawText(0, 0, "Score", font, kInk), font.TextWidth("Score"));
}

TEST(FontRender, UnderlineRunsUnderTheWholeAdvance) {
  const FontSpec plain{"Arial", 9, true};
  FontSpec underlined = plain;
  underlined.underline = true;
  const std::string text = "New game";
  // A row of the ink colour that spans the text's whole advance.
  const auto fullRow = [&](const Font& font) {
    Surface s(120, 20);
    const int end = s.DrawText(2, 1, text, font, host::kWhite);
    for (int y = 0; y < 20; ++y) {
      bool full = true;
      for (int x = 2; x < end; ++x) full = full && s.GetPixel(x, y) == host::kWhite;
      if (full) return y;
    }
    return -1;
  };
  const int row = fullRow(Font::Get(underlined));
  EXPECT_GT(row, Font::Get(underlined).Ascent()) << "below the baseline";
  EXPECT_LT(row, 1 + Font::Get(underlined).Height());
  EXPECT_EQ(fullRow(Font::Get(plain)), -1);
  EXPECT_EQ(Font::Get(underlined).TextWidth(text), Font::Get(plain).TextWidth(text));
}

TEST(FontRender, RecordsWhereItDrew) {
  const Font& underlined = Font::Get({"Arial", 12, false, true, true});
  for (const Font* font : {&ScreenFont(), &underlined, &Regular(18)}) {
    for (const auto& [x, y] : {std::pair{1, 1}, std::pair{-7, -9}, std::pair{30, 12}}) {
      Surface s(40, 20);
      s.ClearDirty();
      const auto version = s.Version();
      font->Render(s, x, y, "Wg_f!", kInk);
      EXPECT_TRUE(testing_surfaces::UnrecordedChanges(Surface(40, 20), s).empty()) << x << "," << y;
      EXPECT_GT(s.Version(), version);
    }
  }
}

// ---- UTF-8 text

TEST(FontUtf8, MultiByteCharactersAreOneGlyphEach) {
  const Font& font = Regular(12);
  const int registered = font.TextWidth("\xC2\xAE");  // U+00AE in two bytes
  EXPECT_GT(registered, 0);
  EXPECT_EQ(font.TextWidth("Windows\xC2\xAE"), font.TextWidth("Windows") + registered);
  EXPECT_GT(font.TextWidth("\xE2\x82\xAC"), 0);  // the euro sign, three bytes
  Surface s(40, 20);
  s.DrawText(2, 0, "\xC2\xAE", font, host::kWhite);
  EXPECT_FALSE(PixelsChanged(s, Surface(40, 20)).empty());
}

TEST(FontUtf8, MalformedBytesCountAsOneReplacementCharacter) {
  const Font& font = Regular(12);
  const int replacement = font.TextWidth("\xEF\xBF\xBD");
  EXPECT_GT(replacement, 0);
  for (const std::string bad :
       {"\xFF", "\x80", "\xC3", "\xE2\x82", "\xF0\x9F\x98", "\xC0\xAF", "\xED\xA0\x80"}) {
    EXPECT_EQ(font.TextWidth(bad), replacement) << "bytes of length " << bad.size();
    EXPECT_EQ(font.TextWidth("A" + bad + "B"),
              font.TextWidth("A") + replacement + font.TextWidth("B"));
    Surface s(60, 20);
    EXPECT_EQ(s.DrawText(0, 0, bad, font, host::kWhite), replacement);
  }
}

}  // namespace
