// The generated pictures as the game reads them from the embedded pack.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>

#include "assets/Assets.h"
#include "host/Surface.h"

namespace {

using host::Color;
using host::Surface;

constexpr Color kMagenta = host::Rgb(255, 0, 255);

struct Box {
  int x1 = 1 << 20, y1 = 1 << 20, x2 = -1, y2 = -1;
  void Add(int x, int y) {
    x1 = std::min(x1, x), y1 = std::min(y1, y), x2 = std::max(x2, x), y2 = std::max(y2, y);
  }
  bool Empty() const { return x2 < 0; }
  int Width() const { return x2 - x1 + 1; }
  int Height() const { return y2 - y1 + 1; }
};

// Bounding box of the pixels of `image` in the rectangle that differ from `background`.
Box Figure(const Surface& image, int x, int y, int w, int h, Color background) {
  Box box;
  for (int py = y; py < y + h && py < image.Height(); ++py)
    for (int px = x; px < x + w && px < image.Width(); ++px)
      if (image.GetPixel(px, py) != background) box.Add(px, py);
  return box;
}

bool IsBright(Color c) {
  return std::max({host::RedOf(c), host::GreenOf(c), host::BlueOf(c)}) > 100;
}

TEST(PictureAssets, EveryPictureHasItsSize) {
  const struct {
    const char* name;
    int w, h;
  } sizes[] = {{"ShipsPic", 390, 65},    {"EnemiesPic", 256, 64},    {"EnemiesMask", 256, 64},
               {"BlasterPic", 8, 4},     {"WeaponsPic", 80, 16},     {"PowerUpsPic", 160, 20},
               {"BarPic", 200, 16},      {"DragBox", 254, 16},       {"GameLogo", 240, 100},
               {"JoystickFace", 32, 32}, {"Icon32", 32, 32},         {"Icon16", 16, 16},
               {"HandCursor", 32, 32},   {"InvisibleCursor", 32, 32}};
  for (const auto& s : sizes) {
    const Surface& image = assets::Picture(s.name);
    EXPECT_EQ(image.Width(), s.w) << s.name;
    EXPECT_EQ(image.Height(), s.h) << s.name;
  }
}

TEST(PictureAssets, EnemyPictureIsBlackExactlyWhereTheMaskIsWhite) {
  const Surface& picture = assets::Picture("EnemiesPic");
  const Surface& mask = assets::Picture("EnemiesMask");
  ASSERT_EQ(picture.Width(), mask.Width());
  ASSERT_EQ(picture.Height(), mask.Height());
  for (int y = 0; y < mask.Height(); ++y) {
    for (int x = 0; x < mask.Width(); ++x) {
      const Color m = mask.GetPixel(x, y);
      ASSERT_TRUE(m == host::kBlack || m == host::kWhite) << "mask pixel " << x << "," << y;
      ASSERT_EQ(m == host::kWhite, picture.GetPixel(x, y) == host::kBlack)
          << "pixel " << x << "," << y;
    }
  }
}

TEST(PictureAssets, EachEnemyFigureFillsOnlyItsOwnSquare) {
  const Surface& mask = assets::Picture("EnemiesMask");
  // The figure sizes the hit tests and drawing offsets of the game were tuned for.
  const struct {
    int w, h, top;
  } expected[4] = {{12, 15, 0}, {27, 32, 0}, {44, 46, 0}, {61, 44, 10}};
  int inSquares = 0;
  for (int k = 0; k < 4; ++k) {
    const int side = 16 * (k + 1);
    const Box box = Figure(mask, 65 * k, 0, side, side, host::kWhite);
    ASSERT_FALSE(box.Empty()) << "kind " << k;
    EXPECT_NEAR(box.Width(), expected[k].w, 2) << "kind " << k;
    EXPECT_NEAR(box.Height(), expected[k].h, 2) << "kind " << k;
    EXPECT_NEAR(box.y1, expected[k].top, 1) << "kind " << k;
    for (int y = 0; y < side; ++y)
      for (int x = 65 * k; x < 65 * k + side && x < mask.Width(); ++x)
        inSquares += mask.GetPixel(x, y) == host::kBlack;
  }
  // Kind 3's square overhangs the sheet; its figure must not need the missing columns.
  EXPECT_GE(Figure(mask, 195, 0, 61, 64, host::kWhite).x1, 195);
  const Box all = Figure(mask, 0, 0, mask.Width(), mask.Height(), host::kWhite);
  int everywhere = 0;
  for (int y = all.y1; y <= all.y2; ++y)
    for (int x = all.x1; x <= all.x2; ++x) everywhere += mask.GetPixel(x, y) == host::kBlack;
  EXPECT_EQ(inSquares, everywhere) << "figure pixels outside every square";
}

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
      EXPECT_FALSE(Figure(sheet, x, 0, s.cell, s.cell, host::kBlack).Empty())
          << s.name << " cell " << c << " is empty";
    }
  }
}

// The Zorbs' blaster shot is the main danger on the field: it must stay red, yet be about
// as easy to see on black as the player's own shot.
TEST(PictureAssets, EnemyShotIsRedAndStandsOutOnBlack) {
  const Surface& shots = assets::Picture("BlasterPic");
  auto luma = [](Color c) {
    return 0.299 * host::RedOf(c) + 0.587 * host::GreenOf(c) + 0.114 * host::BlueOf(c);
  };
  double lit[2] = {0, 0};
  int count[2] = {0, 0};
  int green = 0;
  for (int cell = 0; cell < 2; ++cell)
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const Color c = shots.GetPixel(4 * cell + x, y);
        if (c == host::kBlack) continue;
        lit[cell] += luma(c);
        ++count[cell];
        if (cell == 1) {
          EXPECT_EQ(host::RedOf(c), 255) << x << "," << y;
          EXPECT_GT(host::RedOf(c), host::BlueOf(c)) << x << "," << y;
          green += host::GreenOf(c);
        }
      }
  ASSERT_EQ(count[1], 12) << "a round 4 x 4 ball with dark corners";
  EXPECT_LT(green / count[1], 128) << "red on the whole, not orange or yellow";
  EXPECT_GT(lit[1] / count[1], 0.7 * lit[0] / count[0]);
}

TEST(PictureAssets, BankingShipPosesMirrorEachOtherAndDifferFromLevelFlight) {
  const Surface& ships = assets::Picture("ShipsPic");
  for (int shield = 0; shield < 2; ++shield) {
    int levelDifferences = 0;
    for (int y = 0; y < 65; ++y) {
      for (int x = 0; x < 65; ++x) {
        const Color left = ships.GetPixel(65 * shield + x, y);
        ASSERT_EQ(left, ships.GetPixel(65 * (4 + shield) + 64 - x, y))
            << "shield " << shield << " pixel " << x << "," << y;
        levelDifferences += left != ships.GetPixel(65 * (2 + shield) + x, y);
      }
    }
    EXPECT_GT(levelDifferences, 200) << "the banking pose hardly differs from level flight";
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

TEST(PictureAssets, PowerUpSignsAreToldApart) {
  const Surface& sheet = assets::Picture("PowerUpsPic");
  for (int a = 0; a < 8; ++a) {
    for (int b = a + 1; b < 8; ++b) {
      int differing = 0;
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
          differing += sheet.GetPixel(20 * a + x, y) != sheet.GetPixel(20 * b + x, y);
      EXPECT_GT(differing, 60) << "power-ups " << a << " and " << b << " look alike";
    }
  }
}

TEST(PictureAssets, WindowPicturesKeepTheirHotAndQuietAreas) {
  // The title strip: the emblem fills the menu corner (x 0..16) and column 17 parts it from
  // the name, so a press left of it always means the emblem.
  const Surface& strip = assets::Picture("DragBox");
  EXPECT_FALSE(Figure(strip, 0, 0, 17, 16, host::kBlack).Empty());
  EXPECT_TRUE(Figure(strip, 17, 0, 1, 16, host::kBlack).Empty());
  EXPECT_EQ(Figure(strip, 0, 0, 254, 16, host::kBlack).x2, 253) << "stripe reaches the end";
  // The logo: the menu prints its white version line over (144, 32)-(223, 46).
  const Surface& logo = assets::Picture("GameLogo");
  for (int y = 32; y <= 46; ++y)
    for (int x = 144; x <= 223; ++x)
      ASSERT_FALSE(IsBright(logo.GetPixel(x, y))) << "busy version area at " << x << "," << y;
}

TEST(PictureAssets, MeterStripsRunFromWarningToFull) {
  const Surface& bar = assets::Picture("BarPic");
  const Color hullLow = bar.GetPixel(0, 3), hullFull = bar.GetPixel(199, 3);
  EXPECT_GT(host::RedOf(hullLow), 2 * host::GreenOf(hullLow));
  EXPECT_GT(host::GreenOf(hullFull), 2 * host::RedOf(hullFull));
  const Color energyLow = bar.GetPixel(0, 11), energyFull = bar.GetPixel(199, 11);
  EXPECT_NEAR(host::RedOf(energyLow), host::BlueOf(energyLow), 20);
  EXPECT_GT(host::BlueOf(energyFull), 2 * host::RedOf(energyFull));
  EXPECT_GT(host::GreenOf(energyFull), 2 * host::RedOf(energyFull));
}

TEST(PictureAssets, IconFileHoldsFourPaletteImages) {
  const auto ico = assets::File("Skirmora.ico");
  ASSERT_GE(ico.size(), 6u + 4 * 16);
  auto u16 = [&ico](std::size_t at) { return ico[at] | (ico[at + 1] << 8); };
  auto u32 = [&](std::size_t at) {
    return static_cast<std::size_t>(u16(at) | (u16(at + 2) << 16));
  };
  EXPECT_EQ(u16(0), 0);
  EXPECT_EQ(u16(2), 1);
  ASSERT_EQ(u16(4), 4);
  const int sizes[4] = {32, 16, 32, 16}, bits[4] = {8, 8, 4, 4};
  for (int i = 0; i < 4; ++i) {
    const std::size_t entry = 6 + 16 * i;
    EXPECT_EQ(ico[entry], sizes[i]);
    EXPECT_EQ(u16(entry + 6), bits[i]);
    const std::size_t bytes = u32(entry + 8), offset = u32(entry + 12);
    ASSERT_LE(offset + bytes, ico.size()) << "image " << i;
    const int size = sizes[i], bpp = bits[i];
    const std::size_t expected = 40 + 4 * (std::size_t{1} << bpp) +
                                 static_cast<std::size_t>((size * bpp + 31) / 32 * 4 * size) +
                                 static_cast<std::size_t>((size + 31) / 32 * 4 * size);
    EXPECT_EQ(bytes, expected) << "image " << i;
    EXPECT_EQ(u32(offset + 8), static_cast<std::size_t>(2 * size)) << "height counts the mask";
  }
}

}  // namespace
