// The toolkit both back ends draw their dialogs with: the button row's focus, keys and
// clicks, the caret of line editing, line breaks and access letters, and the popup menu's
// geometry and keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Keys.h"
#include "host/ui/ButtonRow.h"
#include "host/ui/LineEdit.h"
#include "host/ui/MenuModel.h"
#include "host/ui/Widgets.h"

namespace {

namespace ui = host::ui;
namespace vk = host::vk;
using ui::ButtonRow;
using ui::LineEdit;
using ui::MenuModel;

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

TEST(ToolkitButtonRow, EnterPressesTheFocusedButtonFocusWrapsAndAccessLettersPress) {
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
  // Access letters press their button, but not with Ctrl.
  EXPECT_EQ(PressKey(row, 'N'), kNo);
  EXPECT_EQ(PressKey(row, 'C'), kCancel);
  EXPECT_EQ(PressKey(row, 'Y'), kYes);
  EXPECT_EQ(PressKey(row, 'Y', host::kCtrlMask), -1);
  int clicked = -2;
  EXPECT_FALSE(row.Key('Q', 0, clicked));
  EXPECT_EQ(clicked, -1);
}

// Clicks that slide off or start beside the buttons are seen in dialogs.scn, as is editing
// the input box's line by whole characters.
TEST(ToolkitButtonRow, AClickMovesTheFocusAndSlidingOffRedrawsOnce) {
  ButtonRow row = YesNoCancel();
  int clicked = -2;
  EXPECT_TRUE(row.MouseDown(100, 60));  // on No
  EXPECT_TRUE(row.MouseUp(100, 60, clicked));
  EXPECT_EQ(clicked, kNo);
  EXPECT_EQ(PressKey(row, vk::Return), kNo);
  EXPECT_TRUE(row.MouseDown(20, 60));
  EXPECT_TRUE(row.MouseMove(20, 10)) << "slid off: drawn up again";
  EXPECT_FALSE(row.MouseMove(25, 12)) << "still off: nothing changes";
}

TEST(ToolkitLineEdit, TheCaretStartsAfterTheDefaultText) {
  EXPECT_EQ(LineEdit("\u00FCber").Caret(), 5u);
}

TEST(ToolkitText, KeepsLineBreaksAndGivesALongWordItsOwnLine) {
  const host::Font& font = ui::DialogFont();
  EXPECT_EQ(ui::WrapText("one\r\ntwo\n\nthree", font, 1000),
            (std::vector<std::string>{"one", "two", "", "three"}));
  const int narrow = font.TextWidth("ab");
  EXPECT_EQ(ui::WrapText("ab Supercalifragilistic cd", font, narrow),
            (std::vector<std::string>{"ab", "Supercalifragilistic", "cd"}));
  EXPECT_EQ(ui::WrapText("", font, 100), (std::vector<std::string>{""}));
}

TEST(ToolkitText, AccessLettersComeFromTheAmpersand) {
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

MenuModel SysMenu() {
  return MenuModel({"E&xit", "&Minimize", "-", "&About..."}, ui::DialogFont());
}

TEST(ToolkitMenuModel, HitsItemsButNotSeparatorsOrTheEdge) {
  const MenuModel menu = SysMenu();
  const int x = menu.Width() / 2;
  EXPECT_EQ(menu.ItemAt(x, menu.Top(0)), 0);
  EXPECT_EQ(menu.ItemAt(x, menu.Top(1) - 1), 0);
  EXPECT_EQ(menu.ItemAt(x, menu.Top(1)), 1);
  EXPECT_EQ(menu.ItemAt(x, menu.Top(2) + 2), -1);  // the separator
  EXPECT_EQ(menu.ItemAt(x, menu.Top(3) + 5), 3);
  EXPECT_EQ(menu.ItemAt(x, 1), -1);                       // top edge
  EXPECT_EQ(menu.ItemAt(x, menu.Height() - 1), -1);       // bottom edge
  EXPECT_EQ(menu.ItemAt(1, menu.Top(1) + 5), -1);         // left edge
  EXPECT_EQ(menu.ItemAt(menu.Width(), menu.Top(1)), -1);  // beyond the right
  EXPECT_EQ(menu.Height(), menu.Top(3) + MenuModel::kItemHeight + MenuModel::kEdge);
}

TEST(ToolkitMenuModel, ArrowKeysSkipSeparatorsAndWrapAndAccessLettersFindTheirItem) {
  const MenuModel menu = SysMenu();
  EXPECT_EQ(menu.Step(-1, 1), 0);   // nothing highlighted: Down starts at the top
  EXPECT_EQ(menu.Step(-1, -1), 3);  // and Up at the bottom
  EXPECT_EQ(menu.Step(1, 1), 3);    // over the separator
  EXPECT_EQ(menu.Step(3, -1), 1);
  EXPECT_EQ(menu.Step(3, 1), 0);  // wraps
  EXPECT_EQ(menu.Step(0, -1), 3);
  const MenuModel separators({"-", "-"}, ui::DialogFont());
  EXPECT_EQ(separators.Step(-1, 1), -1);
  EXPECT_EQ(menu.ItemForKey('X'), 0);
  EXPECT_EQ(menu.ItemForKey('M'), 1);
  EXPECT_EQ(menu.ItemForKey('A'), 3);
  EXPECT_EQ(menu.ItemForKey('E'), -1);  // the first letter is not the access letter
}

}  // namespace
