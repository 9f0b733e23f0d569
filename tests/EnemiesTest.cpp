// How the four kinds of Zorbs move, fire, beam, launch smaller ones and pay when destroyed.
#include "CombatTesting.h"

namespace {

using combat_testing::CombatTest;
using game::Projectile;

using EnemiesTest = CombatTest;

TEST_F(EnemiesTest, SmallZorbsDescendASineAndWrapRound) {
  Enemy(0, 100, 100, 10, 0, 4);
  Enemy(0, 300, 438, 10, 0, 4);  // passes row 440: back to row 150
  Enemy(0, 2, 100, 10, 0, 4);    // off the left edge: over to the right
  Enemy(0, 620, 21, 10, 0, 4);   // off the right edge: over to the left
  Enemy(0, 614, 21, 10, 0, 4);   // the right edge is at 624
  Frame();
  EXPECT_EQ(s.Enemies[1].X, 91);
  EXPECT_EQ(s.Enemies[1].Y, 104);
  EXPECT_EQ(s.Enemies[2].X, 297);
  EXPECT_EQ(s.Enemies[2].Y, 150);
  EXPECT_EQ(s.Enemies[3].X, 620);
  EXPECT_EQ(s.Enemies[4].X, 4);
  EXPECT_EQ(s.Enemies[5].X, 622);
}

TEST_F(EnemiesTest, BouncersTurnAtTheEdgesOfTheirBoxAndSometimesTakeANewCourse) {
  Enemy(1, 598, 60, 50, 4, 0);
  Enemy(1, 2, 60, 50, -4, 0);
  Enemy(1, 300, 98, 50, 0, 4);
  Enemy(1, 300, 52, 50, 0, -4);
  Frame();
  EXPECT_EQ(s.Enemies[1].X, 600);
  EXPECT_EQ(s.Enemies[1].DX, -4);
  EXPECT_EQ(s.Enemies[2].X, 4);
  EXPECT_EQ(s.Enemies[2].DX, 4);
  EXPECT_EQ(s.Enemies[3].Y, 102) << "below row 100 it only turns upwards";
  EXPECT_EQ(s.Enemies[3].DY, -4);
  EXPECT_EQ(s.Enemies[4].Y, 54);
  EXPECT_EQ(s.Enemies[4].DY, 4);

  s.Enemies.Clear();
  Enemy(1, 300, 60, 50, 1, 1);
  Draws({0.005f, 0.999f, 0.0f, 0.5f});  // the 1 % roll, then DX and DY
  Frame();
  EXPECT_EQ(s.Enemies[1].DX, 4);
  EXPECT_EQ(s.Enemies[1].DY, -4);
}

TEST_F(EnemiesTest, WanderersTurnBackAtTheirBoundsAndJumpNowAndThen) {
  // Kind 2 may reach x 588, kind 3 only 572: a step past the bound turns round.
  for (const auto& [kind, x] : {std::pair{2, 586}, std::pair{3, 570}}) {
    s.Enemies.Clear();
    Enemy(kind, x, 60, 250, 5, 0);
    Draws({0.5f, 0.5f, 0.4f, 0.4f, 0.5f, 0.5f, 0.5f});
    Frame();
    EXPECT_EQ(s.Enemies[1].X, x) << kind;
    EXPECT_EQ(s.Enemies[1].DX, -5) << kind;
  }
  s.Enemies.Clear();
  Enemy(2, 300, 75, 250, 0, 1);  // row 76 is out of bounds too
  Draws({0.5f, 0.5f, 0.1f, 0.4f, 0.5f, 0.5f, 0.5f});
  Frame();
  EXPECT_EQ(s.Enemies[1].Y, 75);
  EXPECT_EQ(s.Enemies[1].DY, -1);

  for (const auto& [kind, x] : {std::pair{2, 294}, std::pair{3, 286}}) {
    s.Enemies.Clear();
    Enemy(kind, 100, 60, 250);
    Draws({0.01f, 0.5f, 0.5f, 0.5f});  // a jump anywhere in the rows 50 to 74
    Frame();
    EXPECT_EQ(s.Enemies[1].X, x) << kind;
    EXPECT_EQ(s.Enemies[1].Y, 62) << kind;
  }
}

TEST_F(EnemiesTest, EachKindFiresItsOwnWay) {
  Enemy(0, 100, 100, 10);
  Draws({0.005f});
  Frame();
  ASSERT_EQ(s.Shots.Count(), 1);
  EXPECT_EQ(s.Shots[1], (Projectile{.X = s.Enemies[1].X + 6, .Y = 116, .DY = 6}))
      << "a blaster shot just below the small Zorb";

  s.Enemies.Clear();
  s.Shots.Clear();
  Enemy(1, 300, 60, 50);
  Draws({0.5f, 0.005f, 0.3f});
  Frame();
  ASSERT_EQ(s.Shots.Count(), 1);
  EXPECT_EQ(s.Shots[1], (Projectile{.Kind = 5, .X = 308, .Y = 92, .DY = 10}));
  EXPECT_EQ(Played("SPhoton"), 1);

  s.Enemies.Clear();
  s.Shots.Clear();
  Enemy(3, 300, 60, 250);
  s.VolleyTimer = 0;
  Draws({0.5f});
  Frame();
  ASSERT_EQ(s.Shots.Count(), 3) << "the large Zorb's volley";
  for (int j = 1; j <= 3; ++j)
    EXPECT_EQ(s.Shots[j], (Projectile{.X = 300 + 4 * j + 22, .Y = 140, .DX = 2 * j - 4, .DY = 15}));

  s.Shots.Clear();
  Draws({0.5f, 0.5f, 0.005f});
  Frame();
  EXPECT_EQ(s.Shots.Count(), 0) << "a successful fire roll means no volley";
  s.VolleyTimer = 7;
  Draws({0.5f});
  Frame();
  EXPECT_EQ(s.Shots.Count(), 0) << "volleys only when the volley timer is 0";
}

TEST_F(EnemiesTest, AZorbLaunchedBelowRowHundredTurnsUpwardsAtOnce) {
  Enemy(2, 200, 60, 250);
  Draws({0.5f, 0.5f, 0.005f, 0.7f, 0.5f});
  Frame();
  ASSERT_EQ(s.Enemies.Count(), 2);
  EXPECT_EQ(s.Enemies[2], (Projectile{.Kind = 1, .X = 208, .Y = 127, .DY = -3, .Life = 25}))
      << "launched at (208, 124), moved, and turned upwards below row 100";
}

TEST_F(EnemiesTest, DestroyedZorbsPayAndSplit) {
  // Kind 0 (10 points): waves.scn. Kind 1: 50 points and two small Zorbs, moved at once; a
  // second shot on it flies on.
  Enemy(1, 300, 60, 10);
  PlayerShot(0, 305, 80, 0, -10);
  PlayerShot(0, 310, 80, 0, -10);
  Frame();
  EXPECT_EQ(s.Score, 50);
  EXPECT_EQ(s.Shots.Count(), 1);
  ASSERT_EQ(s.Enemies.Count(), 2);
  EXPECT_EQ(s.Enemies[1], (Projectile{.X = 283, .Y = 80, .DY = 4, .Life = 10}));
  EXPECT_EQ(s.Enemies[2], (Projectile{.X = 331, .Y = 80, .DY = 4, .Life = 10}));

  // Kind 2 (250 points, two Kind 1 and a power-up): zorbs.scn.
  // Kind 3: 500 points, a Kind 2, and a weapon upgrade (a recharge at the top level).
  for (int level : {6, 7}) {
    s.Enemies.Clear();
    s.PowerUps.Clear();
    s.WeaponLevel = level;
    s.Score = 0;
    Enemy(3, 100, 60, 10);
    PlayerShot(0, 15, 80);
    Draws({0.01f});  // every wanderer jumps to (5, 50); the newcomer gets DX, DY = -2
    Frame();
    EXPECT_EQ(s.Score, 500);
    ASSERT_EQ(s.Enemies.Count(), 1);
    EXPECT_EQ(s.Enemies[1],
              (Projectile{.Kind = 2, .X = 5, .Y = 50, .DX = -2, .DY = -2, .Life = 50}));
    ASSERT_EQ(s.PowerUps.Count(), 1);
    EXPECT_EQ(s.PowerUps[1], (Projectile{.Kind = level < 7 ? 3 : 2, .X = 37, .Y = 146, .DY = 5}));
  }
}

}  // namespace
