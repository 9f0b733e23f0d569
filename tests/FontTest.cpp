#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "SurfaceTesting.h"
#include "host/Font.h"
#include "host/Surface.h"

namespace {

using host::Font;
using host::Rgb;
using host::Surface;
using testing_surfaces::Crop;

constexpr host::Color kInk = Rgb(224, 224, 255);

// The metrics (an 18-pixel line at 12 points) show in every golden image with text.

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
  const Font& font = Font::Get({"Arial", 12, true, true, false});  // the game screen's
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

// Which bytes are malformed is the decoder's business (Utf8Test); here, that the font measures
// and draws what it says: a character of several bytes is one glyph, a malformed sequence
// one replacement character.
TEST(FontUtf8, EachCharacterIsOneGlyphAndEachMalformedSequenceOneReplacement) {
  const Font& font = Font::Get({"Arial", 12});
  const int registered = font.TextWidth("\xC2\xAE");  // U+00AE in two bytes
  const int replacement = font.TextWidth("\xEF\xBF\xBD");
  EXPECT_GT(registered, 0);
  EXPECT_GT(replacement, 0);
  EXPECT_EQ(font.TextWidth("Windows\xC2\xAE"), font.TextWidth("Windows") + registered);
  EXPECT_EQ(font.TextWidth("A\xE2\x82"
                           "B"),
            font.TextWidth("A") + replacement + font.TextWidth("B"));
  Surface s(60, 20);
  EXPECT_EQ(s.DrawText(2, 0, "\xC2\xAE", font, host::kWhite), 2 + registered);
  EXPECT_NE(s, Surface(60, 20));
  EXPECT_EQ(s.DrawText(0, 0, "\xFF", font, host::kWhite), replacement);
}

}  // namespace
