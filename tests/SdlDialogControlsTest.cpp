// The controls inside the SDL back end's dialogs: the button row's focus, keys and clicks,
// and the input box's line editing over UTF-8.
#include <gtest/gtest.h>

#include "host/Keys.h"
#include "host/sdl/ButtonRow.h"
#include "host/sdl/LineEdit.h"

namespace {

using host::sdl::ButtonRow;
using host::sdl::LineEdit;
namespace ui = host::sdl::ui;
namespace vk = host::vk;

constexpr int kYes = 10, kNo = 11, kCancel = 12;

ButtonRow YesNoCancel() {
  ButtonRow row;
  row.Add(ui::Rect{10, 50, 75, 23}, "&Yes", U'Y', kYes);
  row.Add(ui::Rect{91, 50, 75, 23}, "&No", U'N', kNo);
  row.Add(ui::Rect{172, 50, 75, 23}, "Cancel", U'C', kCancel);
  return row;
}

int PressKey(ButtonRow& row, int key, int shift = 0) {
  int clicked = -2;
  row.Key(key, shift, clicked);
  return clicked;
}

TEST(SdlButtonRow, EnterPressesTheFirstButtonUntilFocusMovesAndFocusWraps) {
  ButtonRow row = YesNoCancel();
  EXPECT_EQ(PressKey(row, vk::Return), kYes);
  EXPECT_EQ(PressKey(row, vk::Tab), -1);
  EXPECT_EQ(PressKey(row, vk::Return), kNo);
  EXPECT_EQ(PressKey(row, vk::Right), -1);
  EXPECT_EQ(PressKey(row, vk::Space), kCancel);
  PressKey(row, vk::Tab);  // wraps from the last to the first
  EXPECT_EQ(PressKey(row, vk::Return), kYes);
  PressKey(row, vk::Left);  // and back from the first to the last
  EXPECT_EQ(PressKey(row, vk::Return), kCancel);
  PressKey(row, vk::Tab);
  PressKey(row, vk::Tab, host::kShiftMask);
  EXPECT_EQ(PressKey(row, vk::Return), kCancel);
  PressKey(row, vk::Up);
  EXPECT_EQ(PressKey(row, vk::Return), kNo);
}

TEST(SdlButtonRow, AccessLettersPressTheirButtonButNotWithCtrl) {
  ButtonRow row = YesNoCancel();
  EXPECT_EQ(PressKey(row, 'N'), kNo);
  EXPECT_EQ(PressKey(row, 'C'), kCancel);
  EXPECT_EQ(PressKey(row, 'Y'), kYes);
  EXPECT_EQ(PressKey(row, 'Y', host::kCtrlMask), -1);
  int clicked = -2;
  EXPECT_FALSE(row.Key('Q', 0, clicked));
  EXPECT_EQ(clicked, -1);
}

TEST(SdlButtonRow, AClickNeedsPressAndReleaseOnTheSameButton) {
  ButtonRow row = YesNoCancel();
  int clicked = -2;
  EXPECT_TRUE(row.MouseDown(100, 60));  // on No
  EXPECT_TRUE(row.MouseUp(100, 60, clicked));
  EXPECT_EQ(clicked, kNo);
  // The press also moved the focus there.
  EXPECT_EQ(PressKey(row, vk::Return), kNo);

  EXPECT_TRUE(row.MouseDown(20, 60));          // on Yes ...
  EXPECT_TRUE(row.MouseMove(20, 10));          // ... slid off: drawn up again
  EXPECT_FALSE(row.MouseMove(25, 12));         // still off: nothing changes
  EXPECT_TRUE(row.MouseUp(100, 60, clicked));  // released over No
  EXPECT_EQ(clicked, -1);

  EXPECT_FALSE(row.MouseDown(5, 5));  // between buttons
  EXPECT_FALSE(row.MouseUp(20, 60, clicked));
  EXPECT_EQ(clicked, -1);
}

TEST(SdlLineEdit, TypesAndDeletesWholeCharacters) {
  LineEdit edit("");
  for (char32_t ch : {U'a', U'\u00E9', U'\u20AC', U'z'}) edit.Insert(ch);
  EXPECT_EQ(edit.Text(), "a\u00E9\u20ACz");
  edit.Left();
  edit.Left();
  EXPECT_EQ(edit.Caret(), 3u);  // after "a" and the two-byte "é"
  edit.Backspace();
  EXPECT_EQ(edit.Text(), "a\u20ACz");
  edit.Delete();
  EXPECT_EQ(edit.Text(), "az");
  EXPECT_EQ(edit.Caret(), 1u);
  edit.Insert(U'-');
  EXPECT_EQ(edit.Text(), "a-z");
}

TEST(SdlLineEdit, StopsAtBothEnds) {
  LineEdit edit("\u00FCber");
  EXPECT_EQ(edit.Caret(), edit.Text().size());  // the caret starts after the default text
  edit.Delete();
  edit.Right();
  EXPECT_EQ(edit.Text(), "\u00FCber");
  edit.Home();
  edit.Backspace();
  edit.Left();
  EXPECT_EQ(edit.Caret(), 0u);
  EXPECT_EQ(edit.Text(), "\u00FCber");
  edit.Right();
  EXPECT_EQ(edit.Caret(), 2u);
  edit.End();
  edit.Backspace();
  EXPECT_EQ(edit.Text(), "\u00FCbe");
}

}  // namespace
