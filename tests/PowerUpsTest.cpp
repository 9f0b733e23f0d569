#include <gtest/gtest.h>

#include <memory>

#include "CombatTesting.h"
#include "assets/Assets.h"
#include "game/Game.h"
#include "game/PowerUps.h"
#include "host/RegistryFile.h"
#include "host/headless/HeadlessHost.h"

namespace {

struct RandomPowerUpTypeTest : ::testing::Test {
  host::HeadlessHost host{std::make_unique<host::MemoryRegistryStore>()};
  game::Game game{host};

  std::int32_t TypeFor(float r) {
    game.random.Force({r});
    return game::RandomPowerUpType(game);
  }
};

TEST_F(RandomPowerUpTypeTest, BandsOfTheDrawGiveTheirTypes) {
  EXPECT_EQ(TypeFor(0.0f), 0);
  EXPECT_EQ(TypeFor(0.4499f), 0);
  EXPECT_EQ(TypeFor(0.45f), 1);
  EXPECT_EQ(TypeFor(0.65f), 2);
  EXPECT_EQ(TypeFor(0.85f), 3);
  EXPECT_EQ(TypeFor(0.96f), 4);
  EXPECT_EQ(TypeFor(0.9799f), 4);
  EXPECT_EQ(TypeFor(0.98f), 6);
  EXPECT_EQ(TypeFor(0.9999f), 6);
}

TEST_F(RandomPowerUpTypeTest, TopWeaponLevelAndRookieModeReplaceTheRareTypes) {
  game.state.WeaponLevel = 7;
  EXPECT_EQ(TypeFor(0.9f), 5) << "no upgrade left: the mega blast";
  game.state.RookieMode = true;
  for (float r : {0.9f, 0.97f, 0.99f}) EXPECT_EQ(TypeFor(r), 2) << r;
  game.state.WeaponLevel = 3;
  EXPECT_EQ(TypeFor(0.9f), 3) << "upgrades still come in Rookie mode";
}

}  // namespace

namespace {

using combat_testing::CombatTest;
using game::Projectile;

struct PowerUpsTest : CombatTest {
  // Drops a power-up of this type right onto the ship and lets the frame collect it.
  void Collect(int kind) {
    PowerUp(kind, 300, 420, 0, 0);
    Frame();
    ASSERT_EQ(s.PowerUps.Count(), 0);
  }
};

TEST_F(PowerUpsTest, MoneyPaysAHundredPerWaveOrAHundredInRookieMode) {
  s.Wave = 7;
  Collect(0);
  EXPECT_EQ(s.Score, 700);
  EXPECT_EQ(Played("SMoney"), 1);
  s.RookieMode = true;
  Collect(0);
  EXPECT_EQ(s.Score, 800);
}

TEST_F(PowerUpsTest, RechargeFillsEnergyAndRepairsUpToAFullHull) {
  s.Energy = 40;
  s.Hull = 95;
  Collect(2);
  EXPECT_EQ(s.Energy, 100);
  EXPECT_EQ(s.Hull, 100) << "not 105";
  s.Hull = 50;
  Collect(2);
  EXPECT_EQ(s.Hull, 60);
  s.RookieMode = true;
  Collect(2);
  EXPECT_EQ(s.Hull, 100) << "Rookie mode repairs fully";
  EXPECT_EQ(Played("SUpgrade"), 3);
}

TEST_F(PowerUpsTest, UpgradesRaiseTheWeaponUntilTheTopLevelThenGiveBombs) {
  s.WeaponLevel = 2;
  Collect(3);
  EXPECT_EQ(s.WeaponLevel, 3);
  EXPECT_EQ(s.Weapon, 3) << "the new level is the selected weapon";
  EXPECT_EQ(s.WeaponReload, 10);
  EXPECT_EQ(Played("SUpgrade"), 1);
  s.WeaponLevel = 7;
  s.Bombs = 1;
  Collect(3);
  EXPECT_EQ(s.WeaponLevel, 7);
  EXPECT_EQ(s.Bombs, 4);
  EXPECT_EQ(Played("SBombFound"), 1);
}

TEST_F(PowerUpsTest, BombsFullRepairAndSlowRecharge) {
  s.Bombs = 5;
  s.Hull = 20;
  s.Energy = 0;
  Collect(4);
  EXPECT_EQ(s.Bombs, 5) << "a full repair never takes bombs away";
  EXPECT_EQ(s.Hull, 100);
  EXPECT_EQ(s.Energy, 100);
  s.Bombs = 1;
  Collect(4);
  EXPECT_EQ(s.Bombs, 3);
  Collect(1);
  EXPECT_EQ(s.Bombs, 4);
  Collect(6);
  EXPECT_EQ(s.RechargeTime, 250);
  EXPECT_EQ(Played("SSpecial"), 3);
  EXPECT_EQ(Played("SBombFound"), 1);
}

TEST_F(PowerUpsTest, TheMegaBlastTakesAThirdOfEveryLifeAndFansOutFifteenShots) {
  Enemy(3, 100, 60, 250);
  Enemy(1, 500, 60, 1);
  Collect(5);
  EXPECT_EQ(Played("SBombUsed"), 1);
  EXPECT_EQ(s.Bombs, 4);
  EXPECT_EQ(s.Enemies[1].Life, 166);
  EXPECT_EQ(s.Enemies[2].Life, 0);
  const int dx[15] = {10, 10, 9, 8, 6, 4, 2, 0, -2, -4, -6, -8, -9, -10, -10};
  const int dy[15] = {0, -2, -4, -6, -8, -9, -10, -10, -10, -9, -8, -6, -4, -2, 0};
  ASSERT_EQ(s.Shots.Count(), 15);
  for (int j = 1; j <= 15; ++j)
    EXPECT_EQ(s.Shots[j],
              (Projectile{
                  .Kind = 2, .Friendly = -1, .X = 311, .Y = 399, .DX = dx[j - 1], .DY = dy[j - 1]}))
        << j;
}

TEST_F(PowerUpsTest, APowerUpTouchingTheShipAsItLeavesIsStillCollected) {
  PowerUp(1, 300, 458);  // reaches row 461 on the ship
  PowerUp(1, 100, 458);  // reaches row 461 away from it
  Frame();
  EXPECT_EQ(s.Bombs, 2);
  EXPECT_EQ(s.PowerUps.Count(), 0);
}

TEST_F(PowerUpsTest, PowerUpsFallDrawnUntilTheyLeaveTheField) {
  PowerUp(2, 100, 100, 1, 3);
  PowerUp(0, 619, 100, 2, 3);  // drifts out to the right
  Frame();
  ASSERT_EQ(s.PowerUps.Count(), 1);
  EXPECT_EQ(s.PowerUps[1].X, 101);
  EXPECT_EQ(s.PowerUps[1].Y, 103);
  const host::Surface& sheet = assets::Picture("PowerUpsPic");
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(Screen().GetPixel(101 + x, 103 + y), sheet.GetPixel(40 + x, y));
  EXPECT_TRUE(AllBlack(100, 100, 120, 102)) << "the rows it left";
  s.PowerUps.Clear();
  s.ReducedSound = true;
  s.Hull = 50;
  Collect(2);
  EXPECT_EQ(s.Hull, 60) << "the effect comes without the cue";
  EXPECT_EQ(Played("SUpgrade"), 0);
}

}  // namespace
