// The generated pictures as the game reads them from the embedded pack.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "assets/Assets.h"
#include "host/Surface.h"

namespace {

using host::Color;
using host::Surface;

constexpr Color kMagenta = host::Rgb(255, 0, 255);

TEST(PictureAssets, SpriteCellsSitOnBlack) {
  // Plain copies paint the whole cell, so its corners must vanish on the black play field.
  const struct {
    const char* name;
    int cell, count;
  } sheets[] = {
      {"ShipsPic", 65, 6}, {"WeaponsPic", 16, 5}, {"PowerUpsPic", 20, 8}, {"BlasterPic", 4, 2}};
  for (const auto& s : sheets) {
    const Surface& sheet = assets::Picture(s.name);
    for (int c = 0; c < s.count; ++c) {
      const int x = c * s.cell, last = s.cell - 1;
      for (auto [dx, dy] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
        EXPECT_EQ(sheet.GetPixel(x + dx, dy), host::kBlack) << s.name << " cell " << c;
      host::Surface cell(s.cell, s.cell);
      cell.Blit(0, 0, s.cell, s.cell, sheet, x, 0);
      EXPECT_NE(cell, host::Surface(s.cell, s.cell)) << s.name << " cell " << c << " is empty";
    }
  }
}

TEST(PictureAssets, HandPointerShowsAFingertipAtItsHotSpot) {
  const assets::CursorImage& hand = assets::Cursor("Hand");
  ASSERT_EQ(hand.image.Width(), 32);
  EXPECT_EQ(hand.hotX, 5);
  EXPECT_EQ(hand.hotY, 0);
  std::set<Color> colours;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) colours.insert(hand.image.GetPixel(x, y));
  EXPECT_EQ(colours, (std::set<Color>{host::kBlack, host::kWhite, kMagenta}));
  // The tip is the topmost opaque pixel, and nothing opaque lies left of it on that row.
  EXPECT_FALSE(hand.transparent[5]);
  for (int x = 0; x < 5; ++x) EXPECT_TRUE(hand.transparent[x]) << x;
  const assets::CursorImage& invisible = assets::Cursor("Invisible");
  ASSERT_EQ(invisible.transparent.size(), 32u * 32u);
  EXPECT_TRUE(std::all_of(invisible.transparent.begin(), invisible.transparent.end(),
                          [](bool t) { return t; }));
}

}  // namespace
