// Which group of Zorbs each wave and stage brings.
#include "CombatTesting.h"
#include "game/Waves.h"

namespace {

using combat_testing::CombatTest;
using game::Projectile;

struct WavesTest : CombatTest {
  // Sets up the group that follows the given wave and stage.
  void After(int wave, int stage) {
    s.Wave = wave;
    s.WaveStage = stage;
    game::SetUpWave(*form);
  }
  Projectile At(int kind, int x, int y, int dy, int life, int dx = 0) {
    return {.Kind = kind, .X = x, .Y = y, .DX = dx, .DY = dy, .Life = life};
  }
  std::vector<Projectile> Group() {
    std::vector<Projectile> group;
    for (int i = 1; i <= s.Enemies.Count(); ++i) group.push_back(s.Enemies[i]);
    return group;
  }
};

TEST_F(WavesTest, WaveOneIsEightSmallZorbsThenThreeSingleKindOnes) {
  After(0, 0);
  EXPECT_EQ(s.Wave, 1);
  EXPECT_EQ(s.WaveStage, 1);
  std::vector<Projectile> row;
  for (int i = 1; i <= 8; ++i) row.push_back(At(0, 71 * i - 8, 50, 4, 10));
  EXPECT_EQ(Group(), row);
  for (int stage = 1; stage <= 3; ++stage) {
    After(1, stage);
    EXPECT_EQ(s.WaveStage, stage + 1);
    EXPECT_EQ(Group(), std::vector{At(1, 304, 50, 4, 50)});
  }
  EXPECT_EQ(host.NowMs(), 0) << "no show within a wave";
}

TEST_F(WavesTest, WaveTwoEndsWithAKindTwoAndWaveThreeOpensWithRoamingKindOnes) {
  After(2, 3);
  EXPECT_EQ(s.WaveStage, 4);
  EXPECT_EQ(s.Enemies.Count(), 5);
  After(2, 4);
  EXPECT_EQ(s.WaveStage, 5);
  EXPECT_EQ(Group(), std::vector{At(2, 296, 50, 0, 250)});
  Draws({0.9f});
  After(2, 5);
  EXPECT_EQ(s.Wave, 3);
  EXPECT_EQ(s.WaveStage, 1);
  EXPECT_EQ(Group(), (std::vector{At(1, 112, 50, 1, 50, 2), At(1, 240, 50, 1, 50, 2),
                                  At(1, 368, 50, 1, 50, 2), At(1, 496, 50, 1, 50, 2)}));
}

TEST_F(WavesTest, WaveThreeBringsTwoKindTwoThenTheNineZorbFormation) {
  Draws({0.1f});
  After(3, 1);
  EXPECT_EQ(s.WaveStage, 2);
  EXPECT_EQ(Group(), (std::vector{At(2, 189, 50, 1, 250, -2), At(2, 402, 50, 1, 250, -2)}));
  After(3, 2);
  EXPECT_EQ(s.Wave, 4);
  EXPECT_EQ(Group(),
            (std::vector{At(0, 64, 100, 4, 10), At(1, 128, 50, 4, 50), At(2, 192, 50, 4, 250),
                         At(0, 256, 100, 4, 10), At(2, 320, 50, 4, 250), At(0, 384, 100, 4, 10),
                         At(2, 448, 50, 4, 250), At(1, 512, 50, 4, 50), At(0, 576, 100, 4, 10)}));
}

TEST_F(WavesTest, LaterWavesGrowByOneZorbAndEveryThirdIsTheLargest) {
  After(9, 1);
  EXPECT_EQ(s.Enemies.Count(), 14);
  int largest = 0;
  for (const Projectile& e : Group()) largest += e.Kind == 3;
  EXPECT_EQ(largest, 3);
}

TEST_F(WavesTest, RookiesNeverMeetTheLargestZorbs) {
  s.RookieMode = true;
  Draws({0.9f});
  After(4, 1);
  ASSERT_EQ(s.Enemies.Count(), 9);
  EXPECT_EQ(s.Enemies[3], At(2, 296, 50, 1, 250, 2)) << "a Kind 2 in its own place";
  After(11, 1);
  for (const Projectile& e : Group()) EXPECT_NE(e.Kind, 3);
}

TEST_F(WavesTest, SettingUpEmptiesTheFieldAndResetsTheCounters) {
  Enemy(0, 100, 100, 10);
  PlayerShot(0, 100, 300);
  PowerUp(0, 300, 300);
  AddTo(s.Debris, {.X = 5, .Y = 60});
  s.ReloadTime = 4;
  s.BombDelay = 3;
  s.VolleyTimer = 2;
  s.ShieldsUp = true;
  Screen().FillRect(0, 50, 639, 479, host::kWhite);
  After(1, 1);
  EXPECT_EQ(s.Shots.Count(), 0);
  EXPECT_EQ(s.PowerUps.Count(), 0);
  EXPECT_EQ(s.Debris.Count(), 0);
  EXPECT_EQ(s.Enemies.Count(), 1) << "only the new group";
  EXPECT_EQ(s.ReloadTime, 0);
  EXPECT_EQ(s.BombDelay, 0);
  EXPECT_EQ(s.VolleyTimer, 20);
  EXPECT_FALSE(s.ShieldsUp);
  EXPECT_TRUE(AllBlack(0, 50, 639, 400));
}

}  // namespace
