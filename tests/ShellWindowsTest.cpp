// The shell's small windows: the info and instructions windows (their links and buttons,
// and the numbers a button answer may hold) and the initials window.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "shell/InfoForm.h"
#include "shell/InitialsForm.h"
#include "shell/InstructionsForm.h"
#include "shell/Settings.h"

namespace {

using shell::ButtonAnswerNumber;

TEST(ButtonAnswerNumber, DecimalsRoundHalvesToEvenWithinThirtyTwoBits) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  // Each number and the answers that give it; of fractions, only an exact half goes to even.
  const std::pair<std::int32_t, std::vector<std::string>> cases[] = {
      {7, {"7", " 7 ", "0007", "7."}},
      {12, {"\t12\t"}},
      {-2, {"-2", "-2.5"}},
      {3, {"+3", "2.5000001", "00000000000000000003"}},
      {99, {"99"}},
      {2, {"2.5", "2.4999999"}},
      {4, {"3.5"}},
      {-4, {"-3.5"}},
      {6, {"5.50"}},
      {1, {".6"}},
      {0, {"0.5", std::string(5000, '9')}},
      {kMax, {"2147483647"}},
      {kMin, {"-2147483648"}},
      {kMax - 1, {"2147483646.5"}}};
  for (const auto& [number, answers] : cases)
    for (const std::string& answer : answers)
      EXPECT_EQ(ButtonAnswerNumber(answer), number) << answer;
  // No number at all, or one beyond the 32-bit limits.
  for (const char* answer :
       {"",    "   ", "abc",        "7a",          "a7",           "1 2",       "-",
        "+",   ".",   "--1",        "+-1",         "1.2.3",        "1e3",       "0x10",
        "1,5", "７",  "2147483648", "-2147483649", "2147483647.5", "9999999999"}) {
    EXPECT_EQ(ButtonAnswerNumber(answer), 0) << '"' << answer << '"';
  }
}

struct ShellWindowsTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  game::Game game{host};
  game::GameState& state = game.state;

  ShellWindowsTest() {
    // A first start: every button at its default.
    shell::LoadSettings(game.state, host.Registry());
  }

  // Shows the initials window, types the text, presses Enter; returns what was stored.
  std::string Enter(const std::u32string& typed) {
    shell::InitialsForm form(host, state);
    form.Show();
    for (char32_t ch : typed) form.OnChar(ch);
    form.OnChar(13);
    EXPECT_FALSE(form.Window().Visible()) << "Enter closes the window";
    return state.Initials;
  }
  static void Click(shell::Form& form, int x, int y, int button = host::kLeftButton) {
    form.OnMouseMove({0, 0, x, y});
    form.OnMouseDown({button, 0, x, y});
    form.OnMouseUp({button, 0, x, y});
  }
  static void Click(shell::Form& form, const shell::Control& c, int button = host::kLeftButton) {
    Click(form, c.Left + c.Width / 2, c.Top + c.Height / 2, button);
  }
};

TEST_F(ShellWindowsTest, ALinkOpensOnlyForALeftPressAndReleaseOnIt) {
  std::vector<host::HeadlessRecord> records;
  host.SetRecorder([&](const host::HeadlessRecord& r) { records.push_back(r); });
  shell::InfoForm form(host, game);
  form.Show();
  Click(form, form.EMailLink(), host::kRightButton);
  // Between the two links and below them nothing opens either.
  Click(form, 4, form.WebLink().Top + 4);
  Click(form, 100, form.WebLink().Top + form.WebLink().Height + 3);
  // A press that began elsewhere, on the other link or on the background, is no click.
  const shell::Label& mail = form.EMailLink();
  const shell::Label& web = form.WebLink();
  form.OnMouseDown({host::kLeftButton, 0, mail.Left + 100, mail.Top + 8});
  form.OnMouseUp({host::kLeftButton, 0, web.Left + 100, web.Top + 8});
  form.OnMouseDown({host::kLeftButton, 0, 4, 4});
  form.OnMouseUp({host::kLeftButton, 0, mail.Left + 100, mail.Top + 8});
  EXPECT_TRUE(records.empty());
  Click(form, form.WebLink());
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].text, shell::InfoForm::kWebAddress);
  EXPECT_EQ(form.Window().CurrentCursor(), host::Cursor::Hand);
  form.OnMouseMove({0, 0, form.AboutLabel().Left + 100, form.AboutLabel().Top + 4});
  EXPECT_EQ(form.Window().CurrentCursor(), host::Cursor::Default);
}

TEST_F(ShellWindowsTest, TheHandPointsAtWhatCanBeClickedAndTheExitButtonBeepsAndCloses) {
  // The beep is heard only while the game's sounds are loaded; on the menu they are not.
  host::WindowEvents events;
  const auto gameWindow = host.CreateWindow(host::WindowSpec{}, events);
  game.sound.LoadSounds(*gameWindow);
  shell::InstructionsForm form(host, game);
  form.Show();
  auto pointerOver = [&form](const shell::Control& c) {
    form.OnMouseMove({0, 0, c.Left + 3, c.Top + 3});
    return form.Window().CurrentCursor();
  };
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(pointerOver(form.ConfigLabel(i)), host::Cursor::Hand);
  EXPECT_EQ(pointerOver(form.ExitButton()), host::Cursor::Hand);
  EXPECT_EQ(pointerOver(form.Labels(9)), host::Cursor::Default);
  EXPECT_EQ(pointerOver(form.Labels(4)), host::Cursor::Default);
  Click(form, form.Labels(19));
  EXPECT_TRUE(form.Window().Visible()) << "plain labels do nothing";
  Click(form, form.ExitButton());
  EXPECT_EQ(host.Audio().PlayedNames(), std::vector<std::string>{"SBeep"});
  EXPECT_FALSE(form.Window().Visible());
}

constexpr const char* kPraise = "...you did great!  enter your initials...";

TEST_F(ShellWindowsTest, InitialsWindowMocksPoorNormalScoresAndPraisesOthers) {
  state.Score = 999;
  EXPECT_EQ(shell::InitialsForm(host, state).CommentsLabel().Caption,
            "... you did so bad, we should call it the hall of SHAME!  Enter initials.");
  state.Score = 1000;
  EXPECT_EQ(shell::InitialsForm(host, state).CommentsLabel().Caption, kPraise);
  state.Score = 5;
  state.RookieMode = true;
  EXPECT_EQ(shell::InitialsForm(host, state).CommentsLabel().Caption, kPraise);
}

TEST_F(ShellWindowsTest, TypedCharactersBecomeUpperCaseInitialsAndInvisibleOnesAreRefused) {
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
