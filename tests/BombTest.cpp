// The bomb's climb and the blast of its ring.
#include <set>

#include "CombatTesting.h"
#include "assets/Assets.h"
#include "game/Bomb.h"

namespace {

using combat_testing::CombatTest;
using game::Projectile;

constexpr host::Color kRed = host::Rgb(255, 0, 0);

struct BombTest : CombatTest {
  // A bomb about to go off at (300, 200): the blast is centred on (308, 208).
  void Detonate() {
    s.BombX = 300;
    s.BombY = 200;
    s.BombActive = true;
    game::DetonateBomb(*form);
  }
  bool AnyRed() { return AnyPixel(0, 0, 639, 479, kRed); }
};

TEST_F(BombTest, ABombNeverDetonatedComesBackIntoStockAtTheTop) {
  s.Bombs = 0;
  s.BombActive = true;
  s.BombX = 300;
  s.BombY = 100;
  Frame();
  EXPECT_EQ(s.BombY, 91);
  const host::Surface& weapons = assets::Picture("WeaponsPic");
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(Screen().GetPixel(300 + x, 91 + y), weapons.GetPixel(64 + x, y));
  for (int frame = 2; frame <= 5; ++frame) Frame();
  EXPECT_TRUE(s.BombActive) << "at row 55";
  MarkStatusBar();
  Frame();
  EXPECT_FALSE(s.BombActive);
  EXPECT_EQ(s.Bombs, 1);
  EXPECT_TRUE(StatusBarRedrawn());
  EXPECT_TRUE(AllBlack(300, 50, 315, 70)) << "no bomb left drawn";
}

TEST_F(BombTest, InRookieModeTheBombGoesOffByItselfAboveRow170) {
  s.RookieMode = true;
  s.BombActive = true;
  s.BombX = 300;
  s.BombY = 179;
  Frame();
  EXPECT_TRUE(s.BombActive) << "row 170 is still low enough";
  Frame();
  EXPECT_FALSE(s.BombActive);
  EXPECT_EQ(Played("SBombUsed"), 1);
  EXPECT_EQ(s.BombDelay, 5);
  EXPECT_EQ(s.Bombs, 1) << "used, not given back";
  EXPECT_TRUE(form->GameTimer().Enabled()) << "the game goes on after the blast";
}

TEST_F(BombTest, TheRingPaysBombValuesAndLeavesNoPieces) {
  Enemy(0, 280, 180, 10);
  Enemy(1, 330, 230, 50);
  Enemy(2, 250, 250, 50);
  Enemy(3, 340, 150, 50);
  Detonate();
  EXPECT_EQ(s.Score, 10 + 70 + 390 + 890);
  EXPECT_EQ(s.Enemies.Count(), 0) << "nothing splits";
  EXPECT_EQ(s.PowerUps.Count(), 0);
  EXPECT_EQ(s.Debris.Count(), 0);
  EXPECT_TRUE(Heard().empty()) << "no cue of its own";
}

TEST_F(BombTest, ASurvivorJumpsAndMayBeCaughtAgainWhereItLands) {
  Enemy(3, 280, 80, 250);
  Draws({0.0f});  // jumps to column 0, out of the ring's reach
  Detonate();
  ASSERT_EQ(s.Enemies.Count(), 1);
  EXPECT_EQ(s.Enemies[1].Life, 200);
  EXPECT_EQ(s.Enemies[1].X, 0);
  s.Enemies.Clear();
  Enemy(3, 280, 80, 250);
  Draws({0.5f});  // jumps to column 295, still inside the growing ring
  Detonate();
  EXPECT_EQ(s.Enemies.Count(), 0) << "caught five times over";
  EXPECT_EQ(s.Score, 890);
}

TEST_F(BombTest, TheRingSparesBeamersAndWhatOnlyItsMiddleCrosses) {
  Enemy(2, 290, 150, 250).BeamTime = 4;
  Enemy(3, 276, 325, 250);  // top edge 117 below the centre, corners over 120 away
  Enemy(0, 500, 420, 10);   // out of reach
  Detonate();
  ASSERT_EQ(s.Enemies.Count(), 3);
  EXPECT_EQ(s.Enemies[1].Life, 250);
  EXPECT_EQ(s.Enemies[2].Life, 250);
  EXPECT_EQ(s.Enemies[3].Life, 10);
}

TEST_F(BombTest, TheRingSweepsAwayShotsOfBothSidesAndPowerUpsUncollected) {
  PlayerShot(0, 310, 150);
  ZorbShot(5, 260, 240);
  PowerUp(1, 330, 260);
  PowerUp(0, 600, 440);  // out of reach
  Detonate();
  EXPECT_EQ(s.Shots.Count(), 0);
  ASSERT_EQ(s.PowerUps.Count(), 1);
  EXPECT_EQ(s.PowerUps[1].X, 600);
  EXPECT_EQ(s.Bombs, 1) << "the bomb power-up was destroyed, not collected";
  EXPECT_TRUE(AllBlack(330, 260, 349, 279));
}

TEST_F(BombTest, EveryRingIsOnScreenBeforeItIsErased) {
  std::set<int> seen;
  host.onPresent = [&] {
    for (int r = 1; r <= 120; ++r)
      if (Screen().GetPixel(308 + r, 208) == kRed) seen.insert(r);
  };
  const std::int64_t start = host.NowMs();
  Detonate();
  EXPECT_EQ(seen.size(), 120u);
  EXPECT_FALSE(AnyRed()) << "every ring erased";
  EXPECT_EQ(host.NowMs() - start, 480) << "a fixed half second";
}

TEST_F(BombTest, ASlowScreenShowsSeveralRingsAtOnceAndTheBlastKeepsItsLength) {
  std::set<int> seen;
  int presents = 0;
  host.onPresent = [&] {
    ++presents;
    for (int r = 1; r <= 120; ++r)
      if (Screen().GetPixel(308 + r, 208) == kRed) seen.insert(r);
    host.HeadlessHost::Sleep(25);  // presenting takes 25 ms here
  };
  const std::int64_t start = host.NowMs();
  Detonate();
  EXPECT_EQ(seen.size(), 120u) << "no ring skipped";
  EXPECT_LE(presents, 25);
  EXPECT_LE(host.NowMs() - start, 480 + 2 * 25) << "at most two slow presents late";
  EXPECT_FALSE(AnyRed());
}

}  // namespace
