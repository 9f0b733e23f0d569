#include <gtest/gtest.h>

#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "shell/InitialsForm.h"

namespace {

constexpr const char* kPraise = "...you did great!  enter your initials...";

struct InitialsFormTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  game::GameState state;

  // Shows the window, types the text, presses Enter; returns what was stored.
  std::string Enter(const std::u32string& typed) {
    shell::InitialsForm form(host, state);
    form.Show();
    for (char32_t ch : typed) form.OnChar(ch);
    form.OnChar(13);
    EXPECT_FALSE(form.Window().Visible()) << "Enter closes the window";
    return state.Initials;
  }
};

TEST_F(InitialsFormTest, PoorNormalScoresAreMockedOthersPraised) {
  state.Score = 999;
  EXPECT_EQ(shell::InitialsForm(host, state).CommentsLabel().Caption,
            "... you did so bad, we should call it the hall of SHAME!  Enter initials.");
  state.Score = 1000;
  EXPECT_EQ(shell::InitialsForm(host, state).CommentsLabel().Caption, kPraise);
  state.Score = 5;
  state.RookieMode = true;
  EXPECT_EQ(shell::InitialsForm(host, state).CommentsLabel().Caption, kPraise);
}

TEST_F(InitialsFormTest, TypedCharactersBecomeUpperCaseInitialsAndInvisibleOnesAreRefused) {
  const struct {
    std::u32string typed;
    std::string stored;
  } cases[] = {
      {U"ab", "AB "},
      {U"", "   "},
      {U"wxyz", "WXY"},           // a fourth character cannot be typed
      {U"é\u00DFq", "É\u00DFQ"},  // characters, not bytes
      {U"ä\b\bxy\bz", "XZ "},     // backspace deletes a whole character
      {U"7!?", "7!?"},
      {U"\u20AC\u00A9 ", "\u20AC\u00A9 "},  // symbols and a space
      {U"\u039B\u0416", "\u039B\u0416 "},   // Greek and Cyrillic letters
      {U"a=b", "AB "},                      // the separator of the stored value
      {U"a\tb\x1b", "AB "},
      {U"\x7f\x85\x9fq", "Q  "},                     // C0 and C1 controls
      {U"\u2028\u2029r", "R  "},                     // line and paragraph separators
      {U"\u202Ex\u2066\u200Dy\uFEFF\u00AD", "XY "},  // format characters
      {U"\U000E0041\U000F0000z", "Z  "},             // a tag and a private-use character
      {U"\u4E00\U0001F600k", "K  "},                 // characters the font has no glyph for
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(Enter(cases[i].typed), cases[i].stored) << "case " << i;
}

}  // namespace
