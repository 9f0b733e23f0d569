// The SDL back end's popup menu: where its items lie and how the keyboard moves in it.
#include <gtest/gtest.h>

#include "host/sdl/MenuModel.h"
#include "host/sdl/Widgets.h"

namespace {

using host::sdl::MenuModel;

MenuModel SysMenu() {
  return MenuModel({"E&xit", "&Minimize", "-", "&About..."}, host::sdl::ui::DialogFont());
}

TEST(SdlMenuModel, StacksItemsAndSeparatorsInsideTheEdge) {
  const MenuModel menu = SysMenu();
  const int e = MenuModel::kEdge, item = MenuModel::kItemHeight;
  EXPECT_EQ(menu.Top(0), e);
  EXPECT_EQ(menu.Top(1), e + item);
  EXPECT_EQ(menu.Top(2), e + 2 * item);
  EXPECT_EQ(menu.Top(3), e + 2 * item + MenuModel::kSeparatorHeight);
  EXPECT_EQ(menu.Height(), menu.Top(3) + item + e);
  const int widest = host::sdl::ui::DialogFont().TextWidth("Minimize");
  EXPECT_EQ(menu.Width(), widest + MenuModel::kTextLeft + MenuModel::kTextRight + 2 * e);
}

TEST(SdlMenuModel, HitsItemsButNotSeparatorsOrTheEdge) {
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
  EXPECT_EQ(menu.ItemAt(x, -1), -1);
}

TEST(SdlMenuModel, ArrowKeysSkipSeparatorsAndWrap) {
  const MenuModel menu = SysMenu();
  EXPECT_EQ(menu.Step(-1, 1), 0);   // nothing highlighted: Down starts at the top
  EXPECT_EQ(menu.Step(-1, -1), 3);  // and Up at the bottom
  EXPECT_EQ(menu.Step(1, 1), 3);    // over the separator
  EXPECT_EQ(menu.Step(3, -1), 1);
  EXPECT_EQ(menu.Step(3, 1), 0);  // wraps
  EXPECT_EQ(menu.Step(0, -1), 3);
  const MenuModel separators({"-", "-"}, host::sdl::ui::DialogFont());
  EXPECT_EQ(separators.Step(-1, 1), -1);
}

TEST(SdlMenuModel, AccessLettersFindTheirItem) {
  const MenuModel menu = SysMenu();
  EXPECT_EQ(menu.ItemForKey('X'), 0);
  EXPECT_EQ(menu.ItemForKey('M'), 1);
  EXPECT_EQ(menu.ItemForKey('A'), 3);
  EXPECT_EQ(menu.ItemForKey('E'), -1);  // the first letter is not the access letter
}

}  // namespace
