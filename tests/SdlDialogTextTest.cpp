// Text handling of the SDL back end's dialogs: word wrapping and "&" access letters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/sdl/Widgets.h"

namespace {

namespace ui = host::sdl::ui;

TEST(SdlDialogText, WrapsAtSpacesWithinTheWidthAndDropsSpacesAtBreaks) {
  const host::Font& font = ui::DialogFont();
  const std::string text = "Welcome to Skirmora!  To find out how to play, click on Instructions.";
  const int limit = font.TextWidth("Welcome to Skirmora!  To find");
  const std::vector<std::string> lines = ui::WrapText(text, font, limit);
  ASSERT_GE(lines.size(), 2u);
  std::string joined;
  for (const std::string& line : lines) {
    EXPECT_LE(font.TextWidth(line), limit) << line;
    EXPECT_NE(line.front(), ' ') << line;
    EXPECT_NE(line.back(), ' ') << line;
    if (!joined.empty()) joined += ' ';
    joined += line;
  }
  EXPECT_EQ(lines[0], "Welcome to Skirmora!  To find");  // inner double spaces stay
  EXPECT_EQ(joined, "Welcome to Skirmora!  To find out how to play, click on Instructions.");
}

TEST(SdlDialogText, KeepsLineBreaksAndGivesALongWordItsOwnLine) {
  const host::Font& font = ui::DialogFont();
  EXPECT_EQ(ui::WrapText("one\r\ntwo\n\nthree", font, 1000),
            (std::vector<std::string>{"one", "two", "", "three"}));
  const int narrow = font.TextWidth("ab");
  EXPECT_EQ(ui::WrapText("ab Supercalifragilistic cd", font, narrow),
            (std::vector<std::string>{"ab", "Supercalifragilistic", "cd"}));
  EXPECT_EQ(ui::WrapText("", font, 100), (std::vector<std::string>{""}));
}

TEST(SdlDialogText, AccessLettersComeFromTheAmpersand) {
  EXPECT_EQ(ui::AccessKey("E&xit"), U'X');
  EXPECT_EQ(ui::AccessKey("&about..."), U'A');
  EXPECT_EQ(ui::AccessKey("OK"), 0u);
  EXPECT_EQ(ui::AccessKey("Fish && &Chips"), U'C');
  EXPECT_EQ(ui::AccessKey("trailing&"), 0u);
  EXPECT_EQ(ui::PlainCaption("Fish && &Chips"), "Fish & Chips");
  EXPECT_EQ(ui::PlainCaption("&Minimize"), "Minimize");
  EXPECT_EQ(ui::CaptionWidth("&Minimize", ui::DialogFont()),
            ui::DialogFont().TextWidth("Minimize"));
}

}  // namespace
