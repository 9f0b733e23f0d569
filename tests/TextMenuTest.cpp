#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "host/Keys.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"
#include "shell/Form.h"
#include "shell/TextFields.h"
#include "shell/TextMenu.h"

namespace {

struct HostForm : shell::Form {
  using Form::Add;
  using Form::Form;
};

// A menu on a form of its own, its events recorded.
struct TextMenuTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  HostForm form{host, {.name = "Host", .caption = "", .width = 200, .height = 150}};
  shell::TextMenu menu{form};
  std::vector<std::pair<int, std::string>> clicks;
  std::vector<std::string> changed;
  int h = 0;

  TextMenuTest() {
    menu.Left = 20, menu.Top = 10, menu.Width = 150, menu.Height = 100;
    form.Add(menu);
    menu.InitProperties(shell::OleRgb(0, 0, 0), shell::OleRgb(255, 255, 255));
    menu.SetUsesHTML(false);
    menu.ItemClicked = [this](std::int16_t item, const std::string& link) {
      clicks.emplace_back(item, link);
    };
    menu.PropertyChanged = [this](const std::string& p) { changed.push_back(p); };
    h = menu.RowHeight();
  }

  // Pointer events in the control's own coordinates, routed through the form.
  void Move(int x, int y) { form.OnMouseMove({0, 0, menu.Left + x, menu.Top + y}); }
  void Release(int x, int y, int button = host::kLeftButton) {
    form.OnMouseUp({button, 0, menu.Left + x, menu.Top + y});
  }
  void Key(int code) { form.OnKeyDown(code, 0); }
  int RowMiddle(int row) const { return (row - 1) * h + h / 2; }
  // The first column of row `row` that differs from the background, or nothing.
  std::optional<int> FirstInk(int row) {
    const host::Surface& c = form.Window().Canvas();
    for (int x = 0; x < menu.Width; ++x)
      for (int y = (row - 1) * h; y < row * h; ++y)
        if (c.GetPixel(menu.Left + x, menu.Top + y) != host::kBlack) return x;
    return std::nullopt;
  }
};

TEST_F(TextMenuTest, InvalidOrEmptyItemListsGiveRowsThatCannotBeClicked) {
  for (const char* bad : {"A|B|C", ""}) {
    changed.clear();
    menu.SetMenuItems(bad);
    EXPECT_EQ(menu.MenuItems(), "Invalid MenuItems property|") << bad;
    EXPECT_EQ(changed, (std::vector<std::string>{"MenuItems", "MenuItems"}));
  }
  Release(5, RowMiddle(1));
  EXPECT_TRUE(clicks.empty()) << "the replacement row is plain text";
  // A single bar is one empty row that cannot be clicked.
  menu.SetMenuItems("|");
  EXPECT_FALSE(FirstInk(1));
  Release(5, RowMiddle(1));
  EXPECT_TRUE(clicks.empty());
}

TEST_F(TextMenuTest, LinksRaiseItemClickedWithTheTargetAsStoredOrOpenItWithUsesHtml) {
  menu.SetMenuItems("Title||Go|go|Blank|   |Spaced|  x ");
  Release(5, RowMiddle(1));
  Release(5, RowMiddle(2));
  Release(5, RowMiddle(3));
  Release(5, RowMiddle(4), host::kRightButton);
  EXPECT_EQ(clicks, (std::vector<std::pair<int, std::string>>{{2, "go"}, {4, "  x "}}));
  form.SetFocus(&menu);
  Key(host::vk::Down);
  EXPECT_EQ(menu.HighlightedRow(), 2) << "keys pass plain rows over";
  Key(host::vk::Up);
  EXPECT_EQ(menu.HighlightedRow(), 4);
  std::vector<std::string> opened;
  host.SetRecorder([&](const host::HeadlessRecord& r) { opened.push_back(r.text); });
  menu.SetUsesHTML(true);
  menu.SetMenuItems("Site| https://example.org/>frame ");
  Release(5, RowMiddle(1));
  EXPECT_EQ(clicks.size(), 2u) << "no event";
  EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org/"}));
}

// Capture, keys and releases beside the menu are seen in text-menu.scn.
TEST_F(TextMenuTest, HighlightAndHandFollowThePointerAndAReleaseAboveCountsForRowOne) {
  menu.SetMenuItems("One|1|Two|2");
  Move(5, RowMiddle(2));
  EXPECT_EQ(menu.HighlightedRow(), 2);
  EXPECT_EQ(form.Window().CurrentCursor(), host::Cursor::Hand);
  Move(5, RowMiddle(3));  // below the last row, still inside the control
  EXPECT_EQ(menu.HighlightedRow(), 0);
  EXPECT_EQ(form.Window().CurrentCursor(), host::Cursor::Default);
  Release(5, -(h - 1));  // less than one row above the top edge
  EXPECT_EQ(clicks, (std::vector<std::pair<int, std::string>>{{1, "1"}}));
}

TEST_F(TextMenuTest, HighlightedRowsAreDrawnInTheActiveLinkColourWithinTheControl) {
  // A control whose last row is cut by its bottom edge, on a form of another colour.
  menu.Height = 2 * h - 3;
  menu.SetMenuItems("One|1|Two|2");
  menu.SetBackColor(shell::OleRgb(0, 0, 64));
  menu.SetLinkColor(shell::OleRgb(128, 128, 128));
  menu.SetALinkColor(shell::OleRgb(192, 192, 255));
  const host::Surface& canvas = form.Window().Canvas();
  auto brightest = [&] {
    host::Color best = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < menu.Width; ++x)
        best = std::max(best, canvas.GetPixel(menu.Left + x, menu.Top + y));
    return best;
  };
  EXPECT_EQ(brightest(), host::Rgb(128, 128, 128));
  Move(5, RowMiddle(1));
  EXPECT_EQ(brightest(), host::Rgb(192, 192, 255));
  Move(5, menu.Height - 1);  // the last row
  Move(5, RowMiddle(1));
  for (int y = menu.Top; y <= menu.Top + menu.Height; ++y)
    EXPECT_EQ(canvas.GetPixel(menu.Left + menu.Width, y), host::kBlack) << "right of row " << y;
  for (int x = menu.Left; x < menu.Left + menu.Width; ++x)
    EXPECT_EQ(canvas.GetPixel(x, menu.Top + menu.Height), host::kBlack) << "below column " << x;
}

TEST_F(TextMenuTest, IndentAndUnderlineApplyToLinksOnly) {
  menu.SetMenuItems("Plain||Link|x");
  const int plainStart = FirstInk(1).value();
  const int linkStart = FirstInk(2).value();
  EXPECT_EQ(plainStart, linkStart);
  menu.SetIndentLinks(true);
  EXPECT_EQ(FirstInk(1).value(), plainStart);
  EXPECT_EQ(FirstInk(2).value(), linkStart + 10);
  auto inkBelowBaseline = [&](int row) {
    const host::Font& f = host::Font::Get(menu.Font());
    int count = 0;
    for (int x = 0; x < menu.Width; ++x)
      if (form.Window().Canvas().GetPixel(menu.Left + x,
                                          menu.Top + (row - 1) * h + f.Ascent() + 1) != 0)
        ++count;
    return count;
  };
  const int before = inkBelowBaseline(2);
  menu.SetUnderlineLinks(true);
  EXPECT_GT(inkBelowBaseline(2), before + 10) << "links are underlined";
  EXPECT_EQ(inkBelowBaseline(1), 0) << "plain rows never are";
}

TEST_F(TextMenuTest, SavedPropertiesSkipDefaultsAndLoadInOrder) {
  shell::PropertyBag bag;
  menu.SetMenuItems("A|a");
  menu.SetLinkColor(shell::OleRgb(0, 0, 255));  // the default: not written
  menu.SetUnderlineLinks(true);
  menu.WriteProperties(bag);
  EXPECT_TRUE(bag.count("MenuItems"));
  EXPECT_TRUE(bag.count("Font"));
  EXPECT_FALSE(bag.count("LinkColor"));
  EXPECT_TRUE(bag.count("UsesHTML")) << "UsesHTML is off here, which is not its default";
  EXPECT_TRUE(bag.count("UnderlineLinks"));
  EXPECT_FALSE(bag.count("IndentLinks"));

  menu.ReadProperties({{"MenuItems", std::string("B|b")}, {"ForeColor", std::string("oops")}});
  EXPECT_EQ(menu.MenuItems(), "B|b");
  EXPECT_EQ(menu.ForeColor(), shell::OleRgb(255, 255, 255)) << "a bad value keeps the old one";
  EXPECT_EQ(menu.BackColor(), shell::kSysButtonFace) << "a missing value takes the default";
  EXPECT_TRUE(menu.UsesHTML());
}

// The text operations the menu splits its items with.
TEST(TextFieldsTest, CountOccurrencesRestartsOneCharacterAfterEachMatch) {
  EXPECT_EQ(shell::CountOccurrences("a|b|c", "|"), 2);
  EXPECT_EQ(shell::CountOccurrences("", "|"), 0);
  EXPECT_EQ(shell::CountOccurrences("abc", "|"), 0);
  EXPECT_EQ(shell::CountOccurrences("||", "|"), 2);
  EXPECT_EQ(shell::CountOccurrences("aaa", "aa"), 2) << "overlapping matches count";
}

TEST(TextFieldsTest, GetFieldTakesSeparatorDelimitedFields) {
  EXPECT_EQ(shell::GetField("a|b|c", "|", 3), "c");
  EXPECT_EQ(shell::GetField("a||c", "|", 2), "") << "fields may be empty";
  EXPECT_EQ(shell::GetField("a=b=c", "=", 2), "b") << "up to the next separator";
  // Without a separator, the whole text whatever the index.
  EXPECT_EQ(shell::GetField("plain", "|", 1), "plain");
  EXPECT_EQ(shell::GetField("plain", "|", 7), "plain");
}

TEST(TextFieldsTest, MidRangeCountsCharactersFromOne) {
  EXPECT_EQ(shell::MidRange("Skirmora", 1, 4), "Skir");
  EXPECT_EQ(shell::MidRange("Skirmora", 5, 8), "mora");
  EXPECT_EQ(shell::MidRange("Skirmora", 5, 99), "mora");
  EXPECT_EQ(shell::MidRange("Skirmora", 4, 3), "");
  EXPECT_EQ(shell::MidRange("Ä®Ö", 2, 2), "®") << "characters, not bytes";
}

}  // namespace
